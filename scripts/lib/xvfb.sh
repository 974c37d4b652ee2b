# Sourced by the project's scripts: a private X display that is stopped again by whoever started it.
#
#   zentra_xvfb_start      starts Xvfb on a free display number (Xvfb picks it: -displayfd),
#                          waits until it answers, exports DISPLAY and sets ZENTRA_XVFB_PID
#   zentra_xvfb_stop       stops that server, and nothing else

ZENTRA_XVFB_PID=

zentra_xvfb_start() {
    local fifo log number=
    fifo=$(mktemp -u "${TMPDIR:-/tmp}/zentra-xvfb.XXXXXX")
    log=$(mktemp "${TMPDIR:-/tmp}/zentra-xvfb-log.XXXXXX")
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >"$log" 2>&1 &
    ZENTRA_XVFB_PID=$!
    # Xvfb writes the display number when it is ready to accept clients.
    read -r -t 30 number <"$fifo" || true
    rm -f "$fifo"
    if [[ -z $number ]] || ! kill -0 "$ZENTRA_XVFB_PID" 2>/dev/null; then
        echo "Xvfb did not start:" >&2
        cat "$log" >&2
        rm -f "$log"
        zentra_xvfb_stop
        return 1
    fi
    rm -f "$log"
    export DISPLAY=:$number
}

zentra_xvfb_stop() {
    if [[ -n $ZENTRA_XVFB_PID ]]; then
        kill "$ZENTRA_XVFB_PID" 2>/dev/null || true
        wait "$ZENTRA_XVFB_PID" 2>/dev/null || true
        ZENTRA_XVFB_PID=
    fi
}
