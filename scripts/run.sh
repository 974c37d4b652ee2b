#!/usr/bin/env bash
# Builds and runs Zentra!.exe under Wine: on $DISPLAY when there is one, otherwise on a private
# Xvfb display, where a short calculation is shown and photographed instead. The program shown is
# the 32-bit build where this machine executes 32-bit code, else the same tree's 64-bit build
# (ZENTRA_ASSUME_NO_32BIT=1 forces that path).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/setup.sh
source scripts/lib/machine.sh
source scripts/lib/xvfb.sh

preset=$(zentra_windows_test_preset)
# The native build brings the help file's compiler tests; the window needs only the Windows build.
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
echo "run: showing the $preset build: $(zentra_windows_test_reason)"

bin=$root/build/$preset/bin
program=$bin/Zentra!.exe

if [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
    echo "Running Zentra!.exe on display $DISPLAY (close the window to end)."
    exec scripts/wine-run.sh "$program"
fi

app_pid=
cleanup() {
    if [[ -n $app_pid ]] && kill -0 "$app_pid" 2>/dev/null; then
        scripts/wine-run.sh "$bin/zentra-dde.exe" --quiet Exit >/dev/null 2>&1 || true
        for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
        kill "$app_pid" 2>/dev/null || true
    fi
    # Wine's own helper processes leave the display before it goes.
    scripts/wine-stop.sh
    zentra_xvfb_stop
}
trap cleanup EXIT
zentra_xvfb_start
echo "No X display is set: running Zentra!.exe on a private Xvfb display $DISPLAY."

scripts/wine-run.sh "$program" &
app_pid=$!
window=
for _ in $(seq 600); do
    window=$(xdotool search --name '^Quorvel$' 2>/dev/null | head -1) && [[ -n $window ]] && break
    sleep 0.1
done
if [[ -z $window ]]; then
    echo "run: the window did not appear" >&2
    exit 1
fi

# Nobody can see that display: show a calculation by DDE and keep a picture of the window.
scripts/wine-run.sh "$bin/zentra-dde.exe" --quiet Clear 1 2 Enter 1 8 Enter LCM >/dev/null
sleep 0.5
echo "The window \"Quorvel\" after 12, Enter, 18, Enter, LCM:"
scripts/wine-run.sh "$bin/zentra-probe.exe" text Zentra.Grid | tr -d '\r' | sed 's/^/  grid:   /'
echo
# The pane raises its exponents, which its plain text cannot show ("36 = 22 . 32"): print the
# result as the command line writes it, after checking that the pane shows just that.
pane=$(scripts/wine-run.sh "$bin/zentra-probe.exe" text Zentra.ResultPane | tr -d '\r')
result=$(scripts/wine-run.sh "$bin/zentra-cli.exe" lcm 12 18 | tr -d '\r')
if [[ $pane == "$(sed 's/\^//g; s/ \* / . /g' <<<"$result")" ]]; then
    echo "  result: $result"
else
    echo "  result: the pane shows \"$pane\" where \"$result\" was expected" >&2
fi
eval "$(xdotool getwindowgeometry --shell "$window")"
shot=$root/build/run-screenshot.png
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot"
echo "Screenshot: $shot"

if [[ -t 0 ]]; then
    echo "It keeps running on $DISPLAY: DISPLAY=$DISPLAY scripts/wine-run.sh" \
        "build/$preset/bin/zentra-dde.exe 7 Enter GCD drives it by DDE. Press Enter to close it."
    read -r _
fi
