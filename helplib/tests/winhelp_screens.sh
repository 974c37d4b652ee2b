#!/usr/bin/env bash
# Opens Zentra!.hlp in the help viewer under Wine the way the program does (started on the file,
# and through WinHelp with topic numbers), checks the text each window shows, and saves
# screenshots of the contents topic, the clipboard-script topic, a What's This popup and the
# About tab page.
# Usage: winhelp_screens.sh <bin folder> <screenshot folder> <source root>
set -euo pipefail
bin=$1
out=$2
root=$3
if [[ -z "${DISPLAY:-}" ]]; then
    echo "no DISPLAY: the help viewer needs an X server; skipped"
    exit 77
fi
mkdir -p "$out"
# The viewer is a Wine built-in: it runs in the prefix of the build under test.
source "$root/scripts/lib/machine.sh"
ZENTRA_WINE_ARCH=$(zentra_pe_arch "$bin/WinHelpProbe.exe")
export ZENTRA_WINE_ARCH

# The viewer outlives the probe that starts it and inherits its output: the probe therefore
# writes into files, never into a pipe someone waits on.
work=$(mktemp -d)
probe() {
    if ! (cd "$bin" && timeout 60 "$root/scripts/wine-run.sh" WinHelpProbe.exe "$@") \
        >"$work/out" 2>>"$work/log"; then
        echo "WinHelpProbe $* failed:"
        cat "$work/log"
        return 1
    fi
}
shot() { import -window root -crop "$(head -n1 "$work/out")" +repage "$out/$1"; }
cleanup() {
    probe tab-done || true
    probe quit || true
    rm -rf "$work"
}
trap cleanup EXIT

# As Help > Help Topics does: the viewer started on the file opens at the contents topic.
(cd "$bin" && timeout 120 "$root/scripts/wine-run.sh" winhlp32.exe 'Zentra!.hlp') \
    >"$work/viewer" 2>&1 &
probe wait "A first calculation: type 12, press Enter"
shot help-contents.png
probe quit
# As F1 and What's This do: topics by number through WinHelp.
probe context 100 "A first calculation: type 12, press Enter"
probe context 204 "the four lines :c, 12, 18 and :l clears the display"
shot help-clipboard-scripts.png
probe popup 105 "Numbers up to 999,999,999,999" 201 Factorization
shot help-popup-105.png
probe quit
cat "$work/log"

tab_out="$work/tab"
(cd "$bin" && timeout 90 "$root/scripts/wine-run.sh" WinHelpProbe.exe tab) >"$tab_out" 2>>"$work/log" &
tab_pid=$!
for _ in $(seq 1 300); do
    [[ -s "$tab_out" ]] && break
    kill -0 "$tab_pid" 2>/dev/null || break
    sleep 0.1
done
if [[ ! -s "$tab_out" ]]; then
    echo "the About tab page did not appear"
    exit 1
fi
cp "$tab_out" "$work/out"
shot help-about-tab.png
probe tab-done
wait "$tab_pid"
echo "screenshots in $out"
