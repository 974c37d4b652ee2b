#!/usr/bin/env bash
# Soak under Wine: what other programs on the desktop can do to the window at once. Four DDE
# clients send executes in parallel while the clipboard keeps changing; one client types numbers
# (the model), the others send strings that must not touch the lines (Paste of texts not worth
# pasting, unknown and binary strings). Then large clipboard texts are pasted. Checked: every
# execute acknowledged or refused as the DDE table says, no line lost or garbled, the window alive.
# Usage: soak.sh BIN_DIR WORK_DIR [EXECUTES_PER_CLIENT] [BIG_CLIPBOARD_MB]
#   default 10000 executes and 16 MB (minutes); the test command runs a short version.
#        soak.sh BIN_DIR WORK_DIR restarts [CYCLES]
#   starts and exits the program CYCLES times (default 200), switching the mode in between by
#   keys; every start must show the mode of the last exit.
set -uo pipefail
export LC_ALL=C
bin=$1
work=$2
per_client=${3:-10000}
big_mb=${4:-16}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
mkdir -p "$work"
source "$root/scripts/lib/session.sh"
dde() { wine_run "$bin/zentra-dde.exe" --quiet --timeout 120000 "$@"; }
session_cleanup_extra() {
    [[ -n ${changer_pid:-} ]] && { touch "$work/changer.stop"; kill "$changer_pid" 2>/dev/null; }
}
session_begin

# Tests before this one may have stored either mode; this one starts from tabular.
settings_key="HKLM\\SOFTWARE\\${ZENTRA_COMPANY:-Zentra Software}\\Zentra!"
reg_run add "$settings_key" /v Mode /d 0 /f >/dev/null 2>&1

if [[ $per_client == restarts ]]; then
    cycles=${4:-200}
    # The left edges of the grid and of the linear view's panel: the view at 0 is the mode shown.
    shown_mode() {
        probe layout | tr -d '\r' | awk '$1 == "Zentra.Grid" { g = $2 }
            $1 == "Zentra.Panel" && $2 != 1 { p = $2 } END {
                if (g == 0 && p < 0) print "tabular"; else if (p == 0 && g < 0) print "linear" }'
    }
    mode_is() { [[ $(shown_mode) == "$1" ]]; }
    enabled() { [[ $(probe layout | grep '^window ' | cut -d' ' -f4) == 1 ]]; }
    started=$SECONDS
    expected=tabular
    RANDOM=13
    wrong=0
    for ((cycle = 1; cycle <= cycles; cycle++)); do
        wine_run "$bin/Zentra!.exe" /E >>"$work/app.log" 2>&1 &
        app_pid=$!
        wait_for 60 probe text Zentra.Grid || { fail "cycle $cycle: no window"; break; }
        if ! wait_for 5 mode_is "$expected"; then
            fail "cycle $cycle: started in [$(shown_mode)], the last exit left $expected"
            wrong=$((wrong + 1))
        fi
        # None, one or two switches before the exit; mostly one.
        switches=$(((RANDOM % 4 + 1) / 2))
        for ((s = 0; s < switches; s++)); do
            [[ $expected == tabular ]] && expected=linear || expected=tabular
            win=$(window_id)
            xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
            xdotool key --delay 40 alt+m "${expected:0:1}"
            wait_for 10 mode_is "$expected" && wait_for 10 enabled ||
                fail "cycle $cycle: the switch to $expected did not end"
        done
        # DDE Exit and closing the window both save the mode.
        if ((cycle % 2)); then dde Exit >/dev/null; else probe close >/dev/null; fi
        wait_for 20 app_gone || { fail "cycle $cycle: the program did not end"; break; }
        app_pid=
    done
    echo "$((cycle - 1)) starts and exits in $((SECONDS - started)) s, $wrong in a wrong mode"
    echo "$failures failures"
    ((failures == 0))
    exit
fi

wine_run "$bin/Zentra!.exe" >"$work/app.log" 2>&1 &
app_pid=$!
for _ in $(seq 600); do probe text Zentra.Grid >/dev/null 2>&1 && break; sleep 0.1; done
dde Clear >/dev/null || fail "Clear refused"
# The clipboard as another program may have left it (the help test hands numbers to its calculator
# through it) would be pasted by the first clients; they start from a text not worth pasting.
printf 'abc' | probe clip-set >/dev/null || fail "clipboard not set"
[[ -z $(probe text Zentra.Grid | tr -d '\r\t') ]] || fail "the grid is not empty after Clear"

# Column 0 of every row, one a line, without the factorizations.
lines() { probe text Zentra.Grid | tr -d '\r' | cut -f1; }

# --- Four clients at once --------------------------------------------------------------------
RANDOM=7
: >"$work/model.txt" >"$work/a.cmds"
sent=0
while ((sent < per_client)); do
    number=$((RANDOM % 9 + 1))$((RANDOM % 100000))
    echo "$number" >>"$work/model.txt"
    grep -o . <<<"$number" >>"$work/a.cmds"
    echo Enter >>"$work/a.cmds"
    sent=$((sent + ${#number} + 1))
done
junk_verbs=(Paste Paste Paste Foo enter lcm "Paste " "" $'\x01\x02\x7f' "$(printf 'x%.0s' {1..300})")
refused_verbs=(0 0 0 1 1 1 1 1 1 1)
for client in b c d; do
    : >"$work/$client.cmds"
    refused=0
    for ((i = 0; i < per_client; i++)); do
        pick=$((RANDOM % ${#junk_verbs[@]}))
        printf '%s\n' "${junk_verbs[$pick]}" >>"$work/$client.cmds"
        refused=$((refused + refused_verbs[pick]))
    done
    echo "$refused" >"$work/$client.refused"
done

# Clipboard texts that Paste must leave alone: no operation code, no positive leading number.
# It stops at a flag, not by a signal: a killed loop would leave its last clip-set running into
# the steps below.
rm -f "$work/changer.stop"
(
    texts=("abc" "0"$'\r\n'"12" $'\x80\x81binary' "-0.4"$'\r\n'"7" "&Hzz")
    while [[ ! -e $work/changer.stop ]]; do
        printf '%s' "${texts[$((RANDOM % ${#texts[@]}))]}" | probe clip-set >/dev/null 2>&1
    done
) &
changer_pid=$!

started=$SECONDS
clients=()
for client in a b c d; do
    dde <"$work/$client.cmds" >"$work/$client.summary" 2>"$work/$client.err" &
    clients+=($!)
done
wait "${clients[@]}"
touch "$work/changer.stop"
wait "$changer_pid" 2>/dev/null
changer_pid=
echo "four clients, $per_client executes each: $((SECONDS - started)) s"

read -r _ a_sent _ a_ack _ a_failed _ <"$work/a.summary"
[[ ${a_failed%,} == 0 && ${a_sent%,} == "$(wc -l <"$work/a.cmds")" ]] &&
    ok "model client: every digit and Enter acknowledged" || fail "model client: $(cat "$work/a.summary")"
for client in b c d; do
    read -r _ _ _ _ _ failed _ <"$work/$client.summary"
    expected=$(cat "$work/$client.refused")
    [[ ${failed%,} == "$expected" ]] && ok "client $client: $expected refused as the table says" ||
        fail "client $client: expected $expected refused, $(cat "$work/$client.summary")"
done
app_running && ok "window alive after the clients" || fail "the window died"
lines >"$work/lines.txt"
if diff <(cat "$work/model.txt"; echo) "$work/lines.txt" >"$work/lines.diff"; then
    ok "all $(wc -l <"$work/model.txt") typed numbers in order, nothing else"
else
    fail "lines differ from the model: $(head -5 "$work/lines.diff" | tr '\n' ' ')"
fi

# --- Large clipboard texts -------------------------------------------------------------------
paste_text() {  # label file expected-lines-file
    probe clip-set <"$2" >/dev/null 2>"$work/clip-set.err" ||
        { fail "$1: clipboard not set: $(tr -d '\r' <"$work/clip-set.err")"; return; }
    dde Paste >/dev/null || fail "$1: Paste refused"
    app_running || { fail "$1: the window died"; return; }
    lines >"$work/after.txt"
    if cmp -s "$3" "$work/after.txt"; then ok "$1"; else fail "$1: lines changed"; fi
}
bytes=$((big_mb * 1024 * 1024))
lines >"$work/before.txt"
head -c "$bytes" /dev/urandom | tr -d '\0' | sed 's/^[0-9:&+ .-]*/x/' >"$work/binary.txt"
paste_text "$big_mb MB of binary bytes leave the lines alone" "$work/binary.txt" "$work/before.txt"
yes 'junk text, 12' | head -c "$bytes" >"$work/junk.txt"
paste_text "$big_mb MB of junk lines leave the lines alone" "$work/junk.txt" "$work/before.txt"
{ printf '1'; head -c $((1024 * 1024)) /dev/zero | tr '\0' '7'; } >"$work/long.txt"
paste_text "one 1 MB line of digits enters nothing" "$work/long.txt" "$work/before.txt"
{ printf ':c\r\n'; seq 1 100000 | sed 's/$/\r/'; } >"$work/numbers.txt"
{ seq 1 100000; echo; } >"$work/numbers.expected"
paste_text "100,000 numbers after :c become 100,000 lines" "$work/numbers.txt" "$work/numbers.expected"

dde Exit >/dev/null
for _ in $(seq 100); do app_running || break; sleep 0.1; done
app_running && fail "Exit did not end the program" || ok "Exit ends the program"
app_pid=
echo "$failures failures"
((failures == 0))
