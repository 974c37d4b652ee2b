#!/usr/bin/env bash
# The linear mode's expression line at its longest, under Wine with the Windows build this machine
# runs: "=" on the largest factorial the normaliser accepts (its expanded product fills the line),
# a key at the end and at the start of that line, and 1,000 digits sent by DDE to an empty line.
# Each figure is the DDE round trip plus the paint the change leaves behind; the line is read back
# and compared after every step.
# Usage: bench/linear-long.sh   (PRESET=win32|win64; TIMEOUT_MS=N per execute, default 900000;
#                                FACTORIAL=n takes n! instead of the largest)
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/lib/bench.sh"
timeout_ms=${TIMEOUT_MS:-900000}
client() { wine_run "$bin/bench-client.exe" "$@"; }
bench_begin zentra-gui zentra-dde zentra-probe bench-client

# Milliseconds of one execute (or standard input's lines) and of the paint it leaves behind.
dde_paint_ms() {
    local out paint
    out=$(wine_run "$bin/zentra-dde.exe" --timeout "$timeout_ms" "$@") || fail "DDE $* refused: $out"
    paint=$(client paint | tr -d '\r')
    awk -v dde="$(tr -d '\r' <<<"$out" | sed -n 's/.*, \([0-9]*\) ms$/\1/p')" -v paint="$paint" \
        'BEGIN { printf "%d", dde + paint + 0.5 }'
}

# The line as the user typed it: the box may show it broken over several lines.
line_text() { probe text Edit | tr -d '\r\n'; }
check_line() {  # label expected-text
    local line
    line=$(line_text)
    if [[ $line == "$2" ]]; then
        echo "checked: $1 (${#line} characters)"
    else
        fail "$1: the line differs (${#line} characters, expected ${#2}): ${line:0:60}..."
    fi
}

# The largest n whose factorial the normaliser expands.
low=1
high=32767
while ((low < high)); do
    mid=$(((low + high + 1) / 2))
    if "$cli" normalize "$mid!" >/dev/null 2>&1; then low=$mid; else high=$((mid - 1)); fi
done
n=${FACTORIAL:-$low}
product=$("$cli" normalize "$n!")
echo "factorial: $n! (the largest accepted: $low!; ${#product} characters after \"=\")"

wine_run "$bin/Zentra!.exe" /E >"$work/app.log" 2>&1 &
app_pid=$!
wait_for 60 probe text Edit || { fail "the window did not start"; exit 1; }
window_enabled() { [[ $(probe layout | grep '^window ' | cut -d' ' -f4 | tr -d '\r') == 1 ]]; }
client command 222 >/dev/null  # Mode > Linear
sleep 0.5
wait_for 30 window_enabled || fail "the switch to the linear mode did not end"

declare -A figure
wine_run "$bin/zentra-dde.exe" --quiet Clear $(grep -o . <<<"$n") >/dev/null
client click "!" >/dev/null
check_line "typed" "$n!"
figure[equals]=$(dde_paint_ms Enter)
check_line "\"=\" on $n!" "$product"
figure[end]=$(dde_paint_ms 7)
check_line "a digit at the end" "${product}7"
client caret 0
figure[start]=$(dde_paint_ms 7)
check_line "a digit at the start" "7${product}7"
client caret 0
figure[delete]=$(dde_paint_ms Delete)
check_line "Delete at the start" "${product}7"

wine_run "$bin/zentra-dde.exe" --quiet Clear >/dev/null
digits=$(for ((i = 0; i < 1000; i++)); do echo $((i * 7 % 10)); done)
figure[digits]=$(dde_paint_ms <<<"$digits")
check_line "1,000 DDE digits" "$(tr -d '\n' <<<"$digits")"
# The same digits in tabular mode, for comparison: the grid takes twelve digits a line.
client command 221 >/dev/null  # Mode > Tabular
sleep 0.5
wait_for 30 window_enabled || fail "the switch to the tabular mode did not end"
wine_run "$bin/zentra-dde.exe" --quiet Clear >/dev/null
figure[tabular]=$(dde_paint_ms <<<"$digits")
wine_run "$bin/zentra-dde.exe" --quiet Exit >/dev/null
wait "$app_pid" 2>/dev/null
app_pid=

row() { printf '%-48s %10s %10s %7s\n' "$1" "$2" "$3" "$4"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
seconds() { awk -v ms="$1" 'BEGIN { printf "%.3f s", ms / 1000 }'; }
echo
row "work (Wine, $preset build, ${#product}-character line)" figure target ratio
row "\"=\" on $n!" "$(seconds "${figure[equals]}")" "<= 1 s" "$(ratio "${figure[equals]}" 1000)"
row "a digit at the end of that line" "$(seconds "${figure[end]}")" "<= 0.05 s" \
    "$(ratio "${figure[end]}" 50)"
row "a digit at its start" "$(seconds "${figure[start]}")" "<= 0.05 s" \
    "$(ratio "${figure[start]}" 50)"
row "Delete at its start" "$(seconds "${figure[delete]}")" "<= 0.05 s" \
    "$(ratio "${figure[delete]}" 50)"
row "1,000 DDE digits on an empty line" "$(seconds "${figure[digits]}")" "<= 1 s" \
    "$(ratio "${figure[digits]}" 1000)"
row "  (the same in tabular mode)" "$(seconds "${figure[tabular]}")" "" ""
echo "(ratio = figure / target: 1.00 or below meets the target)"
((failures == 0)) || echo "$failures check(s) failed" >&2
exit $((failures > 0))
