#!/usr/bin/env bash
# End-to-end test: starts Zentra!.exe under Wine, drives it and reads it back from outside.
# Usage: e2e.sh BIN_DIR WORK_DIR. Uses $DISPLAY, or a private Xvfb when it is unset.
set -uo pipefail

bin=$1
work=$2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
mkdir -p "$work"
failures=0
started=$SECONDS

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

expect_eq() {  # label expected actual
    if [[ "$2" != "$3" ]]; then
        fail "$1: expected [$2], got [$3]"
    else
        echo "ok: $1"
    fi
}

xvfb_pid=
app_pid=
app_running() { [[ -n $app_pid ]] && kill -0 "$app_pid" 2>/dev/null; }
cleanup() {
    if app_running; then
        probe close >/dev/null 2>&1
        wait_for 10 eval '! app_running' || kill -9 "$app_pid" 2>/dev/null
    fi
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

if [[ -z ${DISPLAY:-} ]]; then
    export DISPLAY=:$((500 + RANDOM % 400))
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi

wine_run() { "$root/scripts/wine-run.sh" "$@"; }
probe() { wine_run "$bin/zentra-probe.exe" "$@"; }
dde() { wine_run "$bin/zentra-dde.exe" "$@"; }

# Waits until COMMAND succeeds, polling every 0.1 s, for at most SECONDS.
wait_for() {  # seconds command...
    local deadline=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        ((SECONDS >= deadline)) && return 1
        sleep 0.1
    done
}

window_id() { xdotool search --name '^Quorvel$' 2>/dev/null | head -1; }
window_shown() { [[ -n $(window_id) ]]; }

wine_run "$bin/Zentra!.exe" >"$work/app.log" 2>&1 &
app_pid=$!
if ! wait_for 60 window_shown; then
    fail "the window Quorvel did not appear"
    exit 1
fi
echo "window up after $((SECONDS - started)) s"

# --- Geometry ------------------------------------------------------------------------------------
probe layout >"$work/layout.txt"
read -r _ width height < <(grep '^window ' "$work/layout.txt")
read -r _ client_width _ < <(grep '^client ' "$work/layout.txt")
expect_eq "first outer size" "341 250" "$width $height"
mapfile -t panels < <(grep '^Zentra.Panel ' "$work/layout.txt" | cut -d' ' -f2-5)
expect_eq "display panel" "1 0 $((client_width - 2)) 75" "${panels[0]:-}"
expect_eq "keypad panel" "1 106 $((client_width - 2)) 127" "${panels[1]:-}"

echo "e2e finished in $((SECONDS - started)) s with $failures failure(s)"
exit $((failures > 0))
