#!/usr/bin/env bash
# Runs a Windows program under Wine with the build tree's own 32-bit prefix (created on first use).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

mkdir -p "$(dirname "$WINEPREFIX")"
(
    flock 9
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w || true
    fi
) 9>"$WINEPREFIX.lock"

exec wine "$@"
