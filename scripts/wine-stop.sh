#!/usr/bin/env bash
# Ends the Wine sessions of the build tree's own prefixes (and of no other prefix).
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
server=/usr/lib/wine/wineserver64
[[ -x $server ]] || server=/usr/lib/wine/wineserver32
for prefix in "$root/build/wineprefix" "$root/build/wineprefix64"; do
    [[ -d $prefix ]] || continue
    WINEPREFIX=$prefix timeout 20 "$server" -k 2>/dev/null || true
done
