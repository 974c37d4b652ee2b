#!/usr/bin/env bash
# Makes the window's screenshots in docs/ from the build: the window after a calculation at
# 96 dpi (docs/screenshot.png) and at 144 dpi (docs/screenshot-144dpi.png), each from its own
# start in a Wine prefix of that resolution (tests/e2e/dpi.sh, which also checks the layout).
# Usage: scripts/screenshots.sh [PRESET]; the default is the Windows preset this machine runs.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=lib/machine.sh
source "$root/scripts/lib/machine.sh"
preset=${1:-$(zentra_windows_test_preset)}
cmake --build --preset "$preset" --target zentra-gui zentra-probe zentra-dde
work=$root/build/$preset/screenshots
bash "$root/tests/e2e/dpi.sh" "$root/build/$preset/bin" "$work" 96 144
cp "$work/screenshot-96dpi.png" "$root/docs/screenshot.png"
cp "$work/screenshot-144dpi.png" "$root/docs/screenshot-144dpi.png"
echo "docs/screenshot.png and docs/screenshot-144dpi.png made by the $preset build"
