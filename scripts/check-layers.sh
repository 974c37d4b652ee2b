#!/usr/bin/env bash
# The layer rule: a source file includes nothing of a layer above its own. From the bottom up:
#   0  common/, resources/          shared types and build-time data
#   1  engine/                      numbers in; factor tables, values and texts out
#   2  input/, controls/            the line editing and normaliser; the push button's logic
#   3  window/                      the window's logic on its ports
#   4  platform/, every win32/     the Win32 platform
# The command line (tools/zentra-cli) stands on layer 2. The portable layers (0-3) never include
# <windows.h>. Exit code 1 and one line per offending include when the rule is broken.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

layer_of() {  # path -> layer number, or "" for files outside the layers
    case $1 in
        platform/* | */win32/*) echo 4 ;;
        window/*) echo 3 ;;
        input/* | controls/* | tools/zentra-cli/*) echo 2 ;;
        engine/*) echo 1 ;;
        common/* | resources/*) echo 0 ;;
        *) echo "" ;;
    esac
}

broken=0
while IFS= read -r file; do
    own=$(layer_of "$file")
    [[ -n $own ]] || continue
    while IFS=: read -r line included; do
        target=$(layer_of "$included")
        if [[ -n $target ]] && ((target > own)); then
            echo "$file:$line: includes $included (layer $target) from layer $own"
            broken=1
        fi
    done < <(grep -noE '^#include "[^"]+"' "$file" | sed -E 's/^([0-9]+):#include "(.*)"$/\1:\2/')
    if ((own < 4)) && grep -qiE '^#include <windows\.h>' "$file"; then
        echo "$file: includes <windows.h> in portable layer $own"
        broken=1
    fi
done < <(git ls-files '*.h' '*.cpp')
if ((broken)); then
    echo "check-layers: a file includes a layer above its own (see scripts/check-layers.sh)" >&2
    exit 1
fi
echo "check-layers: every include stays on its own layer or below"
