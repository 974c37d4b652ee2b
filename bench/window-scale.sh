#!/usr/bin/env bash
# Zentra!.exe at scale, under Wine with the Windows build this machine runs (win32 where 32-bit
# code runs, else win64): start-up against a minimal window, DDE executes against a minimal DDEML
# server on the same service and topic, clipboard-script pastes of 1,000 to 100,000 lines, the
# five operations, Clear and Undo on 100,000 lines, factorization against the native
# `zentra-cli factor` on the same numbers. Every figure comes from this one run; the display's
# every line is checked after each step that changes it.
# Usage: bench/window-scale.sh   (RUNS=N start-ups per program, default 7; PRESET=win32|win64)
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/lib/bench.sh"
runs=${RUNS:-7}
yardstick_pid=
bench_cleanup_extra() {
    if [[ -n $yardstick_pid ]] && kill -0 "$yardstick_pid" 2>/dev/null; then
        wine_run "$bin/zentra-dde.exe" --quiet Exit >/dev/null 2>&1
        wait "$yardstick_pid" 2>/dev/null
    fi
}
bench_begin zentra-gui zentra-dde zentra-probe bench-window bench-dde-server bench-client

# Sends one execute (or standard input's lines) and prints the client's round-trip milliseconds.
dde_ms() {
    local out
    out=$(wine_run "$bin/zentra-dde.exe" --timeout 300000 "$@") || fail "DDE $* refused: $out"
    tr -d '\r' <<<"$out" | sed -n 's/.*, \([0-9]*\) ms$/\1/p'
}

winpath() { echo "Z:${1//\//\\}"; }

# The grid's text (rows joined by CR LF, cells by a tab) against the file of expected rows.
check_grid() {  # label expected-file
    probe text Zentra.Grid | tr -d '\r' >"$work/grid.txt"
    printf '\n' >>"$work/grid.txt"
    if cmp -s "$work/grid.txt" "$2"; then
        echo "checked: $1 ($(wc -l <"$2") rows)"
    else
        fail "$1: the display differs from what was expected (first difference below)"
        diff "$2" "$work/grid.txt" | head -5 >&2
    fi
}

# The result pane's text against the command line's result of the same operation: the pane shows
# "^" as a raised exponent and "*" as a raised dot; the value has no digits to group when it is
# too large, as it is for 100,000 random numbers.
check_pane() {  # label cli-operation
    probe text Zentra.ResultPane | tr -d '\r' >"$work/pane.txt"
    printf '\n' >>"$work/pane.txt"
    "$cli" "$2" <"$numbers" | sed 's/\^//g; s/ \* / . /g' >"$work/pane-expected.txt"
    if cmp -s "$work/pane.txt" "$work/pane-expected.txt"; then
        echo "checked: $1 ($(wc -c <"$work/pane.txt") characters)"
    else
        fail "$1: the result pane differs from zentra-cli $2"
        cmp "$work/pane-expected.txt" "$work/pane.txt" | head -2 >&2
    fi
}

# Clipboard scripts and the rows each should leave: the numbers, then the empty new line.
python3 "$root/bench/make_inputs.py" "$work"
numbers=$work/random.txt
make_script() {  # count leading-code [trailing-code] -> script with CR LF line ends
    { echo "$2"; head -n "$1" "$numbers"; [[ -n ${3:-} ]] && echo "$3"; } | sed 's/$/\r/' |
        head -c -2 >"$work/script-$1.txt"
    { head -n "$1" "$numbers" | sed 's/$/\t/'; printf '\t\n'; } >"$work/rows-$1.txt"
}
for n in 1000 10000 100000; do make_script "$n" ":c"; done
{ echo ":c"; head -n 1000 "$numbers"; echo ":*"; } | sed 's/$/\r/' | head -c -2 >"$work/script-star.txt"

declare -A figure
ms_to_s() { awk -v ms="$1" 'BEGIN { printf "%.3f", ms / 1000 }'; }

# ---- Start-up ------------------------------------------------------------------------------
start=$(wine_run "$bin/bench-client.exe" start "$runs" "Quorvel=$(winpath "$bin/Zentra!.exe")" \
    "Zentra bench window=$(winpath "$bin/bench-window.exe")") || fail "start-up timing failed"
ours_start=$(awk '/^Quorvel / { print $3 }' <<<"$start")
minimal_start=$(awk '/^Zentra bench window / { print $5 }' <<<"$start")

# ---- DDE executes: the same 2,000 digits and Enters to a minimal server and to the window ------
for ((i = 0; i < 500; i++)); do printf '1\n2\n3\nEnter\n'; done >"$work/executes.txt"
wine_run "$bin/bench-dde-server.exe" >/dev/null 2>&1 &
yardstick_pid=$!
wait_for 30 wine_run "$bin/zentra-dde.exe" --quiet --timeout 1000 0 || fail "minimal DDE server"
minimal_dde=$(dde_ms <"$work/executes.txt")
minimal_dde2=$(dde_ms <"$work/executes.txt")
((minimal_dde2 < minimal_dde)) && minimal_dde=$minimal_dde2
wine_run "$bin/zentra-dde.exe" --quiet Exit >/dev/null 2>&1
wait "$yardstick_pid" 2>/dev/null
yardstick_pid=

wine_run "$bin/Zentra!.exe" >"$work/app.log" 2>&1 &
app_pid=$!
wait_for 60 probe text Zentra.Grid || { fail "the window did not start"; exit 1; }
ours_dde=$(dde_ms <"$work/executes.txt")
{ for ((i = 0; i < 500; i++)); do printf '123\t\n'; done; printf '\t\n'; } >"$work/rows-123.txt"
check_grid "2,000 DDE executes" "$work/rows-123.txt"

# ---- Pastes --------------------------------------------------------------------------------
paste_ms() {  # script-file -> milliseconds of the DDE "Paste" round trip
    probe clip-set <"$1" || fail "clipboard"
    dde_ms Paste
}
figure[paste_star]=$(paste_ms "$work/script-star.txt")
for n in 1000 10000 100000; do
    figure[paste_$n]=$(paste_ms "$work/script-$n.txt")
    check_grid "paste of $n lines" "$work/rows-$n.txt"
done

# ---- Operations on 100,000 lines -------------------------------------------------------------
figure[factor]=$(dde_ms "*")
{ "$cli" factor <"$numbers"; printf '\t\n'; } >"$work/rows-factored.txt"
check_grid "factorization of 100000 lines" "$work/rows-factored.txt"
best_cli=
for ((i = 0; i < 3; i++)); do
    t0=$(date +%s%N)
    "$cli" factor <"$numbers" >/dev/null
    t=$((($(date +%s%N) - t0) / 1000000))
    [[ -z $best_cli || $t -lt $best_cli ]] && best_cli=$t
done
figure[lcm]=$(dde_ms LCM)
check_pane "LCM of 100000 lines in the result pane" lcm
figure[gcd]=$(dde_ms GCD)
figure[cancel]=$(dde_ms /)
figure[product]=$(wine_run "$bin/bench-client.exe" click "*" | awk '{ printf "%d", $1 + 0.5 }')
check_pane "product of 100000 lines in the result pane" product
check_grid "after LCM, GCD, cancellation (GCD 1) and product" "$work/rows-factored.txt"
figure[clear]=$(dde_ms Clear)
printf '\t\n' >"$work/rows-empty.txt"
check_grid "Clear" "$work/rows-empty.txt"
# Edit > Undo (menu item 210).
figure[undo]=$(wine_run "$bin/bench-client.exe" command 210 | awk '{ printf "%d", $1 + 0.5 }')
check_grid "Undo of 100000 lines" "$work/rows-100000.txt"
dde_ms Exit >/dev/null
wait "$app_pid" 2>/dev/null
app_pid=

# ---- Table ---------------------------------------------------------------------------------
row() {  # work figure target-text ratio
    printf '%-46s %12s %22s %7s\n' "$1" "$2" "$3" "$4"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0) ? a / b : 0 }'; }
per_line() { awk -v ms="$1" -v n="$2" 'BEGIN { printf "%.1f us/line", ms * 1000 / n }'; }
echo
row "work (Wine, $preset build)" "figure" "target" "ratio"
start_extra=$(awk -v a="$ours_start" -v b="$minimal_start" 'BEGIN { printf "%.0f", a - b }')
row "start-up: window vs minimal window (median)" "+$start_extra ms" "<= +100 ms" \
    "$(ratio "$start_extra" 100)"
row "  (Zentra!.exe / minimal window)" "$ours_start / $minimal_start" "" ""
ours_exec=$(awk -v ms="$ours_dde" 'BEGIN { printf "%.3f", ms / 2000 }')
minimal_exec=$(awk -v ms="$minimal_dde" 'BEGIN { printf "%.3f", ms / 2000 }')
row "DDE execute (2,000 digits and Enters)" "$ours_exec ms" "<= 1.5 x $minimal_exec ms" \
    "$(ratio "$ours_exec" "$(awk -v m="$minimal_exec" 'BEGIN { print 1.5 * m }')")"
row "paste 1,000 lines + \":*\"" "$(ms_to_s "${figure[paste_star]}") s" "" ""
for n in 1000 10000 100000; do
    target=""
    r=""
    [[ $n == 10000 ]] && target="<= 0.15 s" && r=$(ratio "${figure[paste_$n]}" 150)
    [[ $n == 100000 ]] && target="<= 1.0 s" && r=$(ratio "${figure[paste_$n]}" 1000)
    row "paste $n lines ($(per_line "${figure[paste_$n]}" "$n"))" \
        "$(ms_to_s "${figure[paste_$n]}") s" "$target" "$r"
done
row "factorization of 100,000 lines" "$(ms_to_s "${figure[factor]}") s" \
    "<= 2 x $(ms_to_s "$best_cli") s (cli)" "$(ratio "${figure[factor]}" $((2 * best_cli)))"
for op in lcm gcd cancel product; do
    row "$op of 100,000 lines" "$(ms_to_s "${figure[$op]}") s" "<= 0.3 s" \
        "$(ratio "${figure[$op]}" 300)"
done
row "Clear of 100,000 lines" "$(ms_to_s "${figure[clear]}") s" "<= 0.1 s" \
    "$(ratio "${figure[clear]}" 100)"
row "Undo of 100,000 lines" "$(ms_to_s "${figure[undo]}") s" "<= 0.1 s" \
    "$(ratio "${figure[undo]}" 100)"
echo "(ratio = figure / target: 1.00 or below meets the target)"
((failures == 0)) || echo "$failures check(s) failed" >&2
exit $((failures > 0))
