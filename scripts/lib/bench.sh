# Sourced by the benchmarks that time the running program under Wine: the session of
# scripts/lib/session.sh on the Windows build this machine runs (PRESET=win32|win64 overrides),
# with $bin, $cli (the native zentra-cli) and a scratch folder $work that goes at exit. Expects
# $root. A script's own clean-up goes in `bench_cleanup_extra`.

source "$root/scripts/lib/machine.sh"
preset=${PRESET:-$(zentra_windows_test_preset)}
bin=$root/build/$preset/bin
cli=$root/build/native/bin/zentra-cli
work=
source "$root/scripts/lib/session.sh"

session_cleanup_extra() {
    if declare -F bench_cleanup_extra >/dev/null; then bench_cleanup_extra; fi
    [[ -n $work ]] && rm -rf "$work"
}

# Builds the given Windows targets and the native zentra-cli, then starts the session.
bench_begin() {  # windows-targets...
    echo "machine: $(zentra_windows_test_reason); build: $preset"
    cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" --target "$@" >/dev/null ||
        exit 1
    cmake --preset native >/dev/null && cmake --build --preset native --target zentra-cli >/dev/null ||
        exit 1
    work=$(mktemp -d)
    session_begin
}
