#!/usr/bin/env bash
# Builds the presets and runs every test: the native tests under AddressSanitizer and UBSan, then
# the Windows tests under Wine on a private Xvfb display. The 32-bit product (win32) always builds
# and its file checks always run; the Windows programs run from the win32 build where this machine
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
    # The 32-bit product cannot run here: build what ships and check its files.
    build win32 zentra-gui zentra_helptab zentra_help zentra_dist
    ctest --preset win32-files
fi
build "$windows"

cleanup() {
    scripts/wine-stop.sh
    zentra_xvfb_stop
}
trap cleanup EXIT
zentra_xvfb_start
ctest --preset "$windows"
echo "test: the Windows tests ran on the $windows build ($(zentra_windows_test_reason))"
