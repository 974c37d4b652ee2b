#!/usr/bin/env bash
# Runs a Windows program under Wine with one of the build tree's own prefixes, chosen by the
# program's PE machine type: 32-bit programs in build/wineprefix (32-bit Wine), 64-bit programs
# in build/wineprefix64 (64-bit Wine). A prefix is created on first use (about 10 s).
# A program given by a name that is no file here (a Wine built-in such as winhlp32.exe) runs in
# the prefix of ZENTRA_WINE_ARCH (win32 or win64), else in the one this machine can run.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=lib/machine.sh
source "$root/scripts/lib/machine.sh"

arch=$(zentra_pe_arch "${1:-}")
if [[ -z $arch ]]; then
    arch=${ZENTRA_WINE_ARCH:-$(zentra_windows_test_preset)}
fi

# Debian's /usr/bin/wine tries the 32-bit loader first: the loaders are called directly. One
# server binary serves both kinds of prefix; Debian's own wrapper prefers the 64-bit one too.
if [[ $arch == win64 ]]; then
    export WINEPREFIX=${ZENTRA_WINEPREFIX64:-$root/build/wineprefix64}
    loader=/usr/lib/wine/wine64
else
    export WINEPREFIX=${ZENTRA_WINEPREFIX32:-$root/build/wineprefix}
    loader=/usr/lib/wine/wine
fi
server=/usr/lib/wine/wineserver64
[[ -x $server ]] || server=/usr/lib/wine/wineserver32
export WINEARCH=$arch WINELOADER=$loader WINESERVER=$server
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

mkdir -p "$(dirname "$WINEPREFIX")"
(
    flock 9
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        "$loader" wineboot -i >/dev/null 2>&1 || true
        "$server" -w || true
    fi
) 9>"$WINEPREFIX.lock"

exec "$loader" "$@"
