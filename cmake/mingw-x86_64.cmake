# Cross toolchain: 64-bit Windows binaries with MinGW-w64 (x86_64), the test vehicle for machines
# that cannot execute 32-bit code (the product is the i686 build).
set(ZENTRA_MINGW_PROCESSOR x86_64)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake")
