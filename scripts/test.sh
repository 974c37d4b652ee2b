#!/usr/bin/env bash
# Builds the presets and runs every test: the native tests under AddressSanitizer and UBSan, then
# the Windows tests under Wine on a private Xvfb display. Both Windows builds ship: the win32
# build always builds and its file checks always run, and the win64 build always makes the
# packages (which take the 32-bit program and help library from the win32 build), checks them and
# runs the install test. The other Windows tests run from the win32 build where this machine
# executes 32-bit code, else from the win64 build under 64-bit Wine (ZENTRA_ASSUME_NO_32BIT=1
# forces that path).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/setup.sh
scripts/check-layers.sh
source scripts/lib/machine.sh
source scripts/lib/xvfb.sh

windows=$(zentra_windows_test_preset)
echo "test: Windows tests run on the $windows build: $(zentra_windows_test_reason)"

build() {  # preset [targets...]
    local preset=$1
    shift
    cmake --preset "$preset" >/dev/null
    if (($# > 0)); then
        cmake --build --preset "$preset" --target "$@"
    else
        cmake --build --preset "$preset"
    fi
}

build native-asan
ctest --preset native-asan -j "$(nproc)"

if [[ $windows == win64 ]]; then
    # The 32-bit build cannot run here: build what ships and check its files.
    build win32 zentra-gui zentra_helptab zentra_help zentra_dist
    ctest --preset win32-files
    build win64
else
    build win32
fi
# The 64-bit packages, and the probes their install test drives the installed program with.
build win64 zentra-gui zentra_helptab zentra-probe zentra-dde zentra_dist

cleanup() {
    scripts/wine-stop.sh
    zentra_xvfb_stop
}
trap cleanup EXIT
zentra_xvfb_start
ctest --preset "$windows"
if [[ $windows == win32 ]]; then
    ctest --preset win64-packages
fi
echo "test: the Windows tests ran on the $windows build ($(zentra_windows_test_reason))"
