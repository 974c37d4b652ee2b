# Sourced by the project's test scripts: labelled checks that count failures, and waiting for a
# condition with a deadline instead of fixed sleeps.

failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
ok() { echo "ok: $*"; }

expect_eq() {  # label expected actual
    if [[ "$2" == "$3" ]]; then ok "$1"; else fail "$1: expected [$2], got [$3]"; fi
}

# Waits until COMMAND succeeds, polling every 0.1 s, for at most SECONDS.
wait_for() {  # seconds command...
    local deadline=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        ((SECONDS >= deadline)) && return 1
        sleep 0.1
    done
}

check() {  # label seconds command...: passes when the command succeeds within the time
    local label=$1
    shift
    if wait_for "$@"; then ok "$label"; else fail "$label"; fi
}
