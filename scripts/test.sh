#!/usr/bin/env bash
# Builds the presets and runs every test: natively, then the Windows tests under Wine on a private
# Xvfb display. The 32-bit product build (win32) always builds and its file checks always run; the
# Windows programs run from the win32 build where this machine executes 32-bit code, else from the
# win64 build under 64-bit Wine (ZENTRA_ASSUME_NO_32BIT=1 forces that path).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/setup.sh
source scripts/lib/machine.sh
source scripts/lib/xvfb.sh

windows=$(zentra_windows_test_preset)
echo "test: Windows tests run on the $windows build: $(zentra_windows_test_reason)"

presets=(native win32)
[[ $windows == win64 ]] && presets+=(win64)
for preset in "${presets[@]}"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

ctest --preset native -j "$(nproc)"
if [[ $windows == win64 ]]; then
    # What can be checked of the 32-bit product without executing it.
    ctest --preset win32-files
fi

cleanup() {
    scripts/wine-stop.sh
    zentra_xvfb_stop
}
trap cleanup EXIT
zentra_xvfb_start
ctest --preset "$windows"
echo "test: the Windows tests ran on the $windows build ($(zentra_windows_test_reason))"
