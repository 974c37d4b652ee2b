#!/usr/bin/env bash
# The window survives its own failures: a test build of the program fails on request, once inside
# the DDE callback ("FaultProbe") and once inside the main window's procedure ("FaultProbeWindow",
# a grid row that does not exist). Each time the window must stay, say so in the result pane and
# go on working; the failing execute is refused.
# Usage: fault.sh BIN_DIR FAULT_PROGRAM WORK_DIR COMPANY. Uses $DISPLAY, or a private Xvfb.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/scripts/lib/session.sh"
session_args bin program work company -- "$@"
session_program=$program
mkdir -p "$work"
session_begin

dde() { wine_run "$bin/zentra-dde.exe" --quiet "$@" >/dev/null; }

# Whatever another test stored, this one starts in tabular mode.
reg_run add "HKLM\\SOFTWARE\\$company\\Zentra!" /v Mode /d 0 /f >/dev/null 2>&1
wine_run "$program" >"$work/app.log" 2>&1 &
app_pid=$!
wait_for 60 probe text Zentra.Grid || { fail "the window did not appear"; exit 1; }

lines() { probe text Zentra.Grid | tr -d '\r' | cut -f1 | paste -sd' '; }
result_is() { [[ $(probe text Zentra.ResultPane | tr -d '\r') == "$1" ]]; }

dde Clear 1 2 Enter
expect_eq "the lines before" "12 " "$(lines)"

dde FaultProbe
expect_eq "a failing execute is refused" 1 $?
check "the DDE failure is shown" 10 result_is "[Internal error: fault probe]"
app_running && ok "window alive after a failure in the DDE callback" || fail "died in the DDE callback"

dde Clear 1 2 Enter
dde FaultProbeWindow
check "the window's failure is shown" 10 result_is "[Internal error: grid row out of range]"
win=$(xdotool search --name '^Quorvel$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$win")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/fault.png"
app_running && ok "window alive after a failure in its procedure" || fail "died in its procedure"

dde 3 Enter
expect_eq "the window goes on working" "12 3 " "$(lines)"
dde Exit
check "Exit still ends the program" 10 app_gone
wait "$app_pid"
expect_eq "exit code" 0 $?
app_pid=
echo "$failures failures"
((failures == 0))
