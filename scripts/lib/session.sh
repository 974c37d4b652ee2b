# Sourced by the scripts that drive the running program from outside (the end-to-end tests, the
# fault test, the soak): the checks, a private X display, the Wine runner, the probe, the
# program's process and its window, and the clean-up at exit. Expects $root (the checkout) and
# $bin (the folder of the Windows build's programs); `session_program` may name another program
# file than $bin/Zentra!.exe.

source "$root/scripts/lib/checks.sh"
source "$root/scripts/lib/xvfb.sh"
source "$root/scripts/lib/machine.sh"

# When the sourcing script began; its closing line reports the seconds since.
started=$SECONDS

# Names the script's arguments after its usage: `session_args bin work -- "$@"` sets $bin and
# $work, or stops with the usage line when the count differs.
session_args() {
    local names=()
    while [[ $1 != -- ]]; do
        names+=("$1")
        shift
    done
    shift
    if (($# != ${#names[@]})); then
        echo "usage: $(basename "$0") ${names[*]^^}" >&2
        exit 2
    fi
    local i
    for i in "${!names[@]}"; do printf -v "${names[i]}" '%s' "${@:i+1:1}"; done
}

wine_run() { "$root/scripts/wine-run.sh" "$@"; }
probe() { wine_run "$bin/zentra-probe.exe" "$@"; }
# The registry of the program's own Wine prefix.
reg_run() { ZENTRA_WINE_ARCH=$(zentra_pe_arch "${session_program:-$bin/Zentra!.exe}") wine_run reg "$@"; }

app_pid=
app_running() { [[ -n $app_pid ]] && kill -0 "$app_pid" 2>/dev/null; }
app_gone() { ! app_running; }
window_id() { xdotool search --name '^Quorvel$' 2>/dev/null | head -1; }
window_shown() { [[ -n $(window_id) ]]; }

# At exit: a program still running is asked to close (by force after 10 s), then the script's
# own `session_cleanup_extra` runs when it has one, then the private display goes.
session_cleanup() {
    if app_running; then
        probe close >/dev/null 2>&1
        wait_for 10 app_gone || kill -9 "$app_pid" 2>/dev/null
    fi
    if declare -F session_cleanup_extra >/dev/null; then session_cleanup_extra; fi
    zentra_xvfb_stop
}

# Installs the clean-up and starts a private X display unless $DISPLAY names one. Wine's desktop
# process keeps the display of the first program in the prefix: call this before any Wine program.
session_begin() {
    trap session_cleanup EXIT
    if [[ -z ${DISPLAY:-} ]]; then
        zentra_xvfb_start || exit 1
    fi
}
