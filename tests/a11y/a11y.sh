#!/usr/bin/env bash
# The program as a screen reader sees it, from another process (zentra-msaa-client.exe): the tree
# from the top window with the names of all 28 keys in both modes, the grid's lines and cells and
# the result; a calculation driven by default actions alone; the keys unavailable under the About
# panel; the focus and value events of a typed session, each resolved to the element it names; and
# high contrast in a prefix of its own.
# Leaves contrast.png (the window in high contrast) in WORK_DIR.
# Usage: a11y.sh BIN_DIR WORK_DIR COMPANY. Uses $DISPLAY, or a private Xvfb.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/scripts/lib/session.sh"
session_args bin work company -- "$@"
mkdir -p "$work"
work=$(cd "$work" && pwd)
session_begin

client() { wine_run "$bin/zentra-msaa-client.exe" "$@" | tr -d '\r'; }
# The keys as "name:states" in the window's order (the About panel's OK image left out).
keys_seen() {
    client walk | awk -F'\t' '$2 == "button" && $3 != "OK" { printf "%s%s:%s", sep, $3, $5; sep = "|" }'
}
result_is() { [[ $(client value Result) == "$1" ]]; }
keys() {
    xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
    xdotool key --delay 40 "$@"
}
start() {  # Zentra! arguments
    reg_run add "HKLM\\SOFTWARE\\$company\\Zentra!" /v Mode /d 0 /f >/dev/null 2>&1
    wine_run "$bin/Zentra!.exe" "$@" >"$work/app.log" 2>&1 &
    app_pid=$!
    wait_for 60 window_shown || { fail "the window Quorvel did not appear"; exit 1; }
    win=$(window_id)
    wait_for 20 client value Result
}
stop() {
    probe close >/dev/null 2>&1
    wait_for 10 app_gone || kill -9 "$app_pid" 2>/dev/null
    app_pid=
}
# One screen pixel as rrggbb.
pixel() {  # x y
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- | awk 'NR == 2 { print tolower(substr($3, 2, 6)) }'
}
# The colours of a key's caption: how many of its pixels have `colour`.
pixels_of() {  # element colour
    local x y w h
    read -r x y w h < <(client where "$1")
    import -window root -crop "${w}x${h}+$x+$y" -depth 8 txt:- | grep -ci "#$2"
}
# A point on a grid cell's right-hand line and inside a key's face (its top left inside the frame).
grid_line_pixel() { local x y w h; read -r x y w h < <(client where "$1"); pixel $((x + w - 1)) $((y + h / 2)); }

start /E

# --- Events of a typed session, recorded out of context --------------------------------------------
# Long enough for the session on a loaded machine; the client resolves the events after it.
wine_run "$bin/zentra-msaa-client.exe" events 15 >"$work/events.txt" &
events_pid=$!
wait_for 10 grep -q listening "$work/events.txt"
# Wine's program learns of a new hook at its next call to the server: one round trip first.
client value Result >/dev/null
keys 1 2 Return 1 8 Return
client press "Least common multiple" >/dev/null
check "LCM through its default action" 10 result_is "36 = 2^2 * 3^2"
wait "$events_pid"
sed -i 's/\r$//' "$work/events.txt"
# Kind, window and the name of the element the event resolves to, repeats of one line folded.
events=$(awk -F'\t' '$1 != "listening" { print $1, $2, $3 }' "$work/events.txt" | uniq | paste -sd'|')
# A digit changes the line's number and clears its factorization; Enter moves the focus to the next
# line's number; LCM rewrites the current (empty) line too, then the result.
line_typed() {  # line
    local cell="value Zentra.Grid Line $1"
    printf '%s' "$cell number|$cell factors|$cell number|$cell factors"
    printf '%s' "|focus Zentra.Grid Line $(($1 + 1)) number|selection Zentra.Grid Line $(($1 + 1)) number"
}
typed="$(line_typed 1)|$(line_typed 2)"
expected="$typed|value Zentra.Grid Line 3 number|value Zentra.Grid Line 3 factors|value Zentra.ResultPane Result"
expect_eq "focus and value events in order" "$expected" "$events"

# --- The tree, tabular mode ---------------------------------------------------------------------------
client walk >"$work/tree-tabular.txt"
top=$(head -1 "$work/tree-tabular.txt")
expect_eq "the top window" "0|client|Quorvel|3" "$(cut -f1-3,6 <<<"$top" | tr '\t' '|')"
# Depth below the table, role, name=value:states/child count.
grid=$(awk -F'\t' '$2 == "table" { base = $1 } $2 ~ /^(table|row|cell)$/ {
    printf "%s%d %s %s=%s:%s/%s", sep, $1 - base, $2, $3, $4, $5, $6; sep = "|" }' "$work/tree-tabular.txt")
grid_tree="0 table Calculator display=:-/3"
grid_tree+="|1 row Line 1=12 = 2^2 * 3:-/2|2 cell Line 1 number=12:-/0|2 cell Line 1 factors== 2^2 * 3:-/0"
grid_tree+="|1 row Line 2=18 = 2 * 3^2:-/2|2 cell Line 2 number=18:-/0|2 cell Line 2 factors== 2 * 3^2:-/0"
grid_tree+="|1 row Line 3=:S/2|2 cell Line 3 number=:FS/0|2 cell Line 3 factors=:-/0"
expect_eq "the grid: a table of lines, each a row of two cells" "$grid_tree" "$grid"
expect_eq "the table's focus and selection: the current line, then its cell" \
    "Line 3 > Line 3 number|Line 3 > Line 3 number" "$(client focused "Calculator display" | paste -sd'|')"
expect_eq "the result pane is text with the result as its value" "label|Result|36 = 2^2 * 3^2" \
    "$(awk -F'\t' '$3 == "Result" { print $2 "|" $3 "|" $4 }' "$work/tree-tabular.txt")"
expect_eq "a key: shortcut and default action" "Least common multiple|Ctrl+L|Press" \
    "$(awk -F'\t' '$3 == "Least common multiple" { print $3 "|" $7 "|" $8 }' "$work/tree-tabular.txt")"
digits="0:-|1:-|2:-|3:-|4:-|5:-|6:-|7:-|8:-|9:-"
tabular="Clear:-|Delete number:-|Back:-|Enter:-|Decimal point:I|Divide:I|Multiply:I|Minus:I|Plus:I"
tabular+="|Power:U|Factorial:U|Opening bracket:U|Closing bracket:U|Factorization:-"
tabular+="|Least common multiple:-|Greatest common divisor:-|Cancellation:-|Product:-|$digits"
expect_eq "the 28 keys, tabular mode" "$tabular" "$(keys_seen)"

# --- A calculation by default actions alone ------------------------------------------------------------
expect_eq "7, Enter, LCM pressed" "7 0x00000000|Enter 0x00000000|Least common multiple 0x00000000" \
    "$(client press 7 Enter "Least common multiple" | tr '\t' ' ' | paste -sd'|')"
check "their result read back" 10 result_is "252 = 2^2 * 3^2 * 7"

# --- Colours without high contrast: the designed ones -------------------------------------------------
expect_eq "grid lines in their grey" "c0c0c0" "$(grid_line_pixel "Line 1 number")"
lcm_purple=$(pixels_of "Least common multiple" 800080)
((lcm_purple > 10)) && ok "LCM's caption in purple ($lcm_purple px)" || fail "LCM's caption: $lcm_purple purple px"

# --- Under the About panel every key is unavailable; its OK image presses it away -----------------------
wine_run "$bin/zentra-msaa-client.exe" events 15 >"$work/slide-events.txt" &
events_pid=$!
wait_for 10 grep -q listening "$work/slide-events.txt"
client value Result >/dev/null
keys alt+h a
about_shown() { keys_seen | grep -q '^Clear:U|' && ! client walk | grep -q $'\tOK\t\tU'; }
check "About panel: keys unavailable, OK available" 15 about_shown
expect_eq "no key left available" "" "$(keys_seen | tr '|' '\n' | grep -v ':I\?U' | paste -sd'|')"
expect_eq "a disabled key refuses its default action" 1 "$(client press 7 >/dev/null; echo $?)"
client press OK >/dev/null
about_gone() { keys_seen | grep -q '^Clear:-|'; }
check "OK's default action closes the panel" 15 about_gone
wait "$events_pid"
expect_eq "each slide's end is told" 2 "$(grep -c '^reorder' "$work/slide-events.txt")"

# --- Linear mode: the other keys and Enter's other name --------------------------------------------------
keys alt+m l
linear="Clear:-|Delete number:-|Back:-|Equals:-|Decimal point:-|Divide:-|Multiply:-|Minus:-|Plus:-"
linear+="|Power:-|Factorial:-|Opening bracket:-|Closing bracket:-|Factorization:I"
linear+="|Least common multiple:I|Greatest common divisor:I|Cancellation:I|Product:I|$digits"
linear_keys() { [[ $(keys_seen) == "$linear" ]]; }
check "the 28 keys, linear mode" 15 linear_keys || echo "  seen: $(keys_seen)" >&2
expect_eq "the expression line stays a standard edit" "edit" \
    "$(client walk | awk -F'\t' '$2 == "edit" && $4 != "" { print $2; exit }')"
keys alt+m t

# --- A key that takes the focus shows it: a dotted frame inside its own ------------------------------
focus_frame() { pixels_of "Least common multiple" 0a0a0a; }
expect_eq "no focus frame on a key without the focus" 0 "$(focus_frame)"
# (Asked again while the slide back to the tabular view keeps the window disabled.)
key_focused() { client focus "Least common multiple" && client walk | grep -q $'\tLeast common multiple\t\tF\t'; }
check "a key takes the focus when asked" 15 key_focused
framed() { (($(focus_frame) > 20)); }
check "the focused key shows a focus frame" 10 framed
stop

# --- High contrast in a prefix of its own: the user's colours, and back when it is turned off ------------
export ZENTRA_WINEPREFIX32=$work/contrast-prefix ZENTRA_WINEPREFIX64=$work/contrast-prefix64
contrast_cleanup() {
    local prefix server=/usr/lib/wine/wineserver64
    [[ -x $server ]] || server=/usr/lib/wine/wineserver32
    for prefix in "$ZENTRA_WINEPREFIX32" "$ZENTRA_WINEPREFIX64"; do
        [[ -d $prefix ]] && WINEPREFIX=$prefix timeout 20 "$server" -k 2>/dev/null
    done
    return 0
}
session_cleanup_extra() { contrast_cleanup; }
colours="HKCU\\Control Panel\\Colors"
reg_run add "$colours" /v Window /d "0 0 0" /f >/dev/null 2>&1
reg_run add "$colours" /v WindowText /d "255 255 0" /f >/dev/null 2>&1
reg_run add "$colours" /v ButtonFace /d "0 0 0" /f >/dev/null 2>&1
reg_run add "$colours" /v ButtonText /d "255 255 255" /f >/dev/null 2>&1
reg_run add "HKCU\\Control Panel\\Accessibility\\HighContrast" /v Flags /d 127 /f >/dev/null 2>&1
start
client press 1 2 Enter >/dev/null
sleep 1
expect_eq "high contrast: grid lines in the window text colour" "ffff00" "$(grid_line_pixel "Line 1 number")"
expect_eq "high contrast: no purple caption" 0 "$(pixels_of "Least common multiple" 800080)"
lcm_white=$(pixels_of "Least common multiple" ffffff)
((lcm_white > 10)) && ok "high contrast: LCM's caption in the button text colour" ||
    fail "high contrast: LCM's caption has $lcm_white button-text px"
eval "$(xdotool getwindowgeometry --shell "$win")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/contrast.png"
reg_run add "HKCU\\Control Panel\\Accessibility\\HighContrast" /v Flags /d 126 /f >/dev/null 2>&1
client setting-changed
sleep 1
expect_eq "turned off: grid lines grey again" "c0c0c0" "$(grid_line_pixel "Line 1 number")"
lcm_purple=$(pixels_of "Least common multiple" 800080)
((lcm_purple > 10)) && ok "turned off: LCM's caption purple again" || fail "turned off: $lcm_purple purple px"
stop
echo "$failures failures"
((failures == 0))
