// Built into the sanitizer builds only. GMP-ECM 7.0.5 does not free the curve record that each
// curve sets up (about a hundred bytes); the leak is the library's, so LeakSanitizer is told to
// pass it over and still reports everything else. GMP is built without frame pointers, so the
// allocations' stacks are unwound the slow way, through to the library function named here.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:ell_curve_init\n";
}
extern "C" const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}
extern "C" const char* __lsan_default_options() {
    return "print_suppressions=0";
}
