# Cross toolchain: 32-bit Windows binaries with MinGW-w64 (i686), the product.
set(ZENTRA_MINGW_PROCESSOR i686)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake")
