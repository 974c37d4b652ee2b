#!/usr/bin/env bash
# End-to-end test: starts Zentra!.exe under Wine and drives it from outside by DDE, real key
# events, mouse clicks, menus and clipboard scripts; reads the grid and the result pane back
# through WM_GETTEXT and the clipboard.
# Usage: e2e.sh BIN_DIR WORK_DIR COMPANY VERSION. Uses $DISPLAY, or a private Xvfb when it is unset.
# Leaves screenshots in WORK_DIR: screenshot.png (the window after a calculation), linear.png (the
# linear view with its demonstration expression) and slide.png (a frame of the mode switch).
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/scripts/lib/session.sh"
session_args bin work company version -- "$@"
mkdir -p "$work"
session_begin

# A failed execute is named on standard error; the exit code counts them.
dde() { wine_run "$bin/zentra-dde.exe" "$@" >/dev/null; }
# The settings key, read and written in the program's own prefix.
settings_key="HKLM\\SOFTWARE\\$company\\Zentra!"
reg_value() {  # value name ("/ve" for the default value)
    local name=(/v "$1")
    [[ $1 == /ve ]] && name=(/ve)
    reg_run query "$settings_key" "${name[@]}" 2>/dev/null | tr -d '\r' |
        awk '/REG_/ { sub(/^ *[^ ]+( [^ ]+)? +REG_[A-Z_]+ */, ""); print }'
}
reg_run delete "$settings_key" /f >/dev/null 2>&1

# CR LF in the grid's text becomes "|", the tab between a row's cells ";".
grid_text() { probe text Zentra.Grid | tr '\t' ';' | sed -e 's/\r$//' | paste -sd'|'; }
result_text() { probe text Zentra.ResultPane; }
grid_is() { [[ $(grid_text) == "$1" ]]; }
result_is() { [[ $(result_text) == "$1" ]]; }
# Waits for the grid (and the result) to show what a step should produce, then compares.
expect_display() {  # label grid [result]
    wait_for 10 grid_is "$2"
    local grid
    grid=$(grid_text)
    expect_eq "$1: grid" "$2" "$grid"
    # The result pane names an internal failure, if there was one.
    [[ $grid == "$2" ]] || echo "  the result pane says: [$(result_text)]" >&2
    if (($# > 2)); then
        wait_for 10 result_is "$3"
        expect_eq "$1: result" "$3" "$(result_text)"
    fi
}

keys() {  # xdotool key names, typed into the window
    xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
    xdotool key --delay 40 "$@"
}

wine_run "$bin/Zentra!.exe" >"$work/app.log" 2>&1 &
app_pid=$!
if ! wait_for 60 window_shown; then
    fail "the window Quorvel did not appear"
    exit 1
fi
win=$(window_id)
wait_for 10 probe text Zentra.Grid
echo "window up after $((SECONDS - started)) s"

# --- Geometry ------------------------------------------------------------------------------------
probe layout | tr -d '\r' >"$work/layout.txt"
read -r _ width height _ _ < <(grep '^window ' "$work/layout.txt")
read -r _ client_width client_height < <(grep '^client ' "$work/layout.txt")
expect_eq "first outer size" "341 250" "$width $height"
# The window's own panels stand at 1 px; the linear view's panel inside the display panel does not.
window_panels() { awk '$1 == "Zentra.Panel" && $2 == 1 { print $2, $3, $4, $5 }' "$1"; }
mapfile -t panels < <(window_panels "$work/layout.txt")
expect_eq "display panel" "1 0 $((client_width - 2)) 75" "${panels[0]:-}"
expect_eq "keypad panel" "1 106 $((client_width - 2)) 127" "${panels[1]:-}"
expect_eq "result pane" "0 75 $client_width 24" \
    "$(grep '^Zentra.ResultPane ' "$work/layout.txt" | cut -d' ' -f2-5)"
# Visible keys: caption at column x, row y; 36 x 28 px each.
visible_keys=$(awk '$1 == "Zentra.CommandButton" && $6 == 1 && $7 != "" \
                    { print $7 "@" $2 "," $3 "/" $4 "x" $5 }' "$work/layout.txt" | sort | paste -sd' ')
expected_keys=$(printf '%s\n' Clear@5,0 Del@46,0 Back@87,0 Enter@128,0 7@210,0 8@251,0 9@292,0 \
    P@5,33 LCM@46,33 GCD@87,33 X@128,33 '*@169,33' 4@210,33 5@251,33 6@292,33 \
    0@169,66 1@210,66 2@251,66 3@292,66 | sed 's|$|/36x28|' | sort | paste -sd' ')
expect_eq "keypad keys" "$expected_keys" "$visible_keys"

# The menu bar as drawn: the widest run of blank columns between its first and last caption.
# (Menus cannot be read from another process under Wine.)
menu_bar_widest_gap() {
    local X Y WIDTH HEIGHT bar
    eval "$(xdotool getwindowgeometry --shell "$win")"
    bar=$((HEIGHT - $(probe layout | tr -d '\r' | sed -n 's/^client [0-9]* //p')))
    import -window root -crop "$((WIDTH - 8))x$((bar - 2))+$((X + 4))+$((Y + 1))" +repage \
        "$work/menu-bar.png"
    convert "$work/menu-bar.png" -colorspace gray -threshold 50% -negate \
        -scale "$((WIDTH - 8))x1!" -threshold 1% txt:- |
        awk -F'[,:]' 'NR > 1 && /#FFFFFF|white|gray\(255\)/ {
            if (last >= 0 && $1 - last - 1 > widest) widest = $1 - last - 1; last = $1 }
            BEGIN { last = -1; widest = 0 } END { print widest }'
}
# Between "Actions", "Edit" and "Help" lie a few blank columns, never the width of a caption.
gap=$(menu_bar_widest_gap)
((gap > 0 && gap < 30)) && echo "ok: no gap in the menu bar ($gap px)" ||
    fail "a gap of $gap px in the menu bar without /E"

# --- DDE -----------------------------------------------------------------------------------------
dde Clear 1 2 Enter 1 8 Enter LCM
expect_eq "DDE executes acknowledged" 0 $?
expect_display "DDE 12 Enter 18 Enter LCM" "12;= 2^2 * 3|18;= 2 * 3^2|;" "36 = 22 . 32"
dde --quiet enter Minimise LCM
expect_eq "lower-case and unknown DDE strings refused" 2 $?
dde Clear
expect_display "DDE Clear" ";"
iconic() { [[ $(probe layout | grep '^window ' | cut -d' ' -f5 | tr -d '\r') == "$1" ]]; }
dde Minimize
if wait_for 5 iconic 1; then echo "ok: DDE Minimize"; else fail "DDE Minimize"; fi
dde Restore
if wait_for 5 iconic 0; then echo "ok: DDE Restore"; else fail "DDE Restore"; fi

# --- Keyboard ------------------------------------------------------------------------------------
keys 1 2 Return 1 8 Return ctrl+l
expect_display "keys 1 2 Return 1 8 Return ctrl+l" "12;= 2^2 * 3|18;= 2 * 3^2|;" "36 = 22 . 32"
read -r _ _ _ enabled _ < <(probe layout | grep '^window ')
expect_eq "window enabled again after the operation" 1 "$enabled"
# The screenshot of the README: the window as the user sees it after the calculation.
eval "$(xdotool getwindowgeometry --shell "$win")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/screenshot.png"
# Up selects the row of 18; Copy puts its number on the clipboard.
keys Up
dde Copy
expect_eq "DDE Copy of the current cell" "18" "$(probe clip-text)"
# A double click on a result cell shows that line in the result pane; Ctrl+Insert copies the cell.
menu_bar=$((HEIGHT - client_height))
# (Tried up to three times: on a loaded machine two clicks may arrive too far apart.)
for _ in 1 2 3; do
    xdotool mousemove --window "$win" 130 $((menu_bar + 2 + 18 + 9)) click --repeat 2 --delay 60 1
    wait_for 3 result_is "18 = 2 . 32" && break
done
expect_eq "double click on the result of 18" "18 = 2 . 32" "$(result_text)"
keys ctrl+Insert
expect_eq "Ctrl+Insert copies the current cell" "= 2 * 3^2" "$(probe clip-text)"
keys Escape
expect_display "Esc presses Clear" ";"
keys 4 BackSpace 9 KP_Enter KP_6 Return Up Delete
expect_display "Back, numeric keypad and Del" "9;|;"
keys ctrl+z
expect_display "Ctrl+Z restores the deleted line" "9;|6;|;"
keys Delete
expect_display "Del again" "9;|;"
keys alt+BackSpace
expect_display "Alt+Backspace restores it too" "9;|6;|;"

# --- Menus ---------------------------------------------------------------------------------------
dde Clear 1 2 Enter 1 8 Enter
keys alt+a n
expect_display "Actions > Cancellation" "2;= 2|3;= 3|;"
keys alt+e u
expect_display "Edit > Undo restores and refactors" "12;= 2^2 * 3|18;= 2 * 3^2|;"
keys alt+a g
expect_display "Actions > Greatest Common Divisor" "12;= 2^2 * 3|18;= 2 * 3^2|;" "6 = 2 . 3"
keys alt+e a
expect_display "Edit > Clear All" ";"

# --- Mouse ---------------------------------------------------------------------------------------
# Keys are clicked at their centres: the window's client area starts below the menu bar.
click_key() {  # x y of the key inside the keypad panel
    xdotool mousemove --window "$win" $((1 + $1 + 18)) $((menu_bar + 106 + $2 + 14)) click 1
    sleep 0.1
}
click_key 210 33   # 4
click_key 128 0    # Enter
click_key 292 33   # 6
click_key 128 0    # Enter
click_key 87 33    # GCD
expect_display "mouse: 4 Enter 6 Enter GCD" "4;= 2^2|6;= 2 * 3|;" "2"
click_key 169 33   # product
expect_display "mouse: product" "4;= 2^2|6;= 2 * 3|;" "24 = 23 . 3"
click_key 128 33   # cancellation
expect_display "mouse: cancellation" "2;= 2|3;= 3|;"
click_key 5 0      # Clear
expect_display "mouse: Clear" ";"
xdotool mousemove --window "$win" $((1 + 46 + 18)) $((menu_bar + 106 + 14)) click 3
if wait_for 5 probe popup; then echo "ok: right click on a key opens What's This"; else
    fail "right click on a key showed no popup menu"
fi
# Its only item shows the key's help topic (Wine's viewer opens it in its window).
xdotool key w
help_shows() { probe texts "Quorvel Help" | tr -d '\r' | grep -q "^$1\$"; }
if wait_for 15 help_shows Del; then echo "ok: What's This on the Del key"; else
    fail "What's This on the Del key showed no help on it"
fi
# The empty result pane is disabled: the window itself sees the press over its rectangle.
probe close "Quorvel Help" >/dev/null
help_gone() { ! xdotool search --name '^Quorvel Help$' >/dev/null; }
wait_for 10 help_gone
xdotool windowfocus --sync "$win" 2>/dev/null
xdotool mousemove --window "$win" 100 $((menu_bar + 75 + 12)) click 3
wait_for 5 probe popup
xdotool key w
if wait_for 15 help_shows "The result pane"; then echo "ok: What's This on the disabled pane"; else
    fail "What's This on the disabled result pane showed no help on it"
fi
probe close "Quorvel Help" >/dev/null

# --- Clipboard scripts ---------------------------------------------------------------------------
printf ':c\r\n12\r\n18\r\n:l' | probe clip-set
dde Paste
expect_display "DDE Paste of a CR LF script" "12;= 2^2 * 3|18;= 2 * 3^2|;" "36 = 22 . 32"
printf ':c\n4\n6\n:g\n' | probe clip-set
keys ctrl+v
expect_display "Ctrl+V of a script with LF line ends" "4;= 2^2|6;= 2 * 3|;" "2"
printf ':c\r9\r12\r:l' | probe clip-set
keys shift+Insert
expect_display "Shift+Insert of a script with CR line ends" "9;= 3^2|12;= 2^2 * 3|;" "36 = 32 . 22"
printf '5\r\n1234567890123\r\n7\r\n' | probe clip-set
dde Clear Paste
expect_display "a 13-digit value ends the numbers" "5;|;"
# Copy of the result: the pane takes the focus when clicked.
dde Clear 1 2 Enter 1 8 Enter LCM
xdotool mousemove --window "$win" 100 $((menu_bar + 75 + 12)) click 1
keys ctrl+c
rtf=$(probe clip-rtf)
if [[ $rtf == '{\rtf1'* && $rtf == *36* ]]; then echo "ok: Ctrl+C on the result pane copies RTF"; else
    fail "result pane copy: got [$rtf]"
fi

# --- A burst of 10,000 DDE executes --------------------------------------------------------------
burst=$work/burst.txt
expected=$work/burst-expected.txt
: >"$burst"
: >"$expected"
count=0
number=1
while ((count < 10000)); do
    digits=$number
    if ((count + ${#digits} + 1 > 10000)); then digits=${digits:0:$((10000 - count - 1))}; fi
    grep -o . <<<"$digits" >>"$burst"
    echo Enter >>"$burst"
    echo "$digits" >>"$expected"
    count=$((count + ${#digits} + 1))
    number=$((number * 7 + 3))
    ((number > 999999999999)) && number=$((number % 99991 + 1))
done
dde Clear
burst_start=$(date +%s%N)
summary=$(wine_run "$bin/zentra-dde.exe" --quiet <"$burst")
status=$?
burst_ms=$((($(date +%s%N) - burst_start) / 1000000))
echo "burst: $summary (wall $burst_ms ms)"
expect_eq "burst: every execute acknowledged" "0 sent 10000, acknowledged 10000" \
    "$status $(cut -d, -f1-2 <<<"$summary")"
probe text Zentra.Grid | tr -d '\r' | cut -f1 | sed '/^$/d' >"$work/burst-grid.txt"
if cmp -s "$expected" "$work/burst-grid.txt"; then
    echo "ok: burst: all $(wc -l <"$expected") lines present, digit for digit"
else
    fail "burst: the grid differs from the executes ($(wc -l <"$work/burst-grid.txt") lines)"
fi

# The factorization of all those lines, and of 30,000 pasted below them, takes a moment: the
# window is disabled meanwhile.
window_enabled() { [[ $(probe layout | grep '^window ' | cut -d' ' -f4) == "$1" ]]; }
seq 100000000001 100000030000 | sed 's/$/\r/' | probe clip-set
dde --timeout 60000 Paste
expect_eq "30,000 lines pasted below the burst" 0 $?
watch=$work/watch.txt
probe wait-disabled 20000 >"$watch" &
watch_pid=$!
wait_for 10 grep -q watching "$watch"
dde '*'
expect_eq "factorization of the burst's lines acknowledged" 0 $?
wait "$watch_pid"
expect_eq "the window is disabled while the factorization runs" 0 $?
if wait_for 5 window_enabled 1; then echo "ok: enabled again"; else fail "still disabled"; fi

# --- Resizing ------------------------------------------------------------------------------------
xdotool windowsize "$win" 420 300
grow_done() { [[ $(probe layout | grep '^client ' | cut -d' ' -f2) == 420 ]]; }
wait_for 5 grow_done
probe layout | tr -d '\r' >"$work/layout-wide.txt"
mapfile -t panels < <(window_panels "$work/layout-wide.txt")
expect_eq "wider window: display panel" "1 0 418 75" "${panels[0]:-}"
expect_eq "wider window: keypad panel" "1 106 418 127" "${panels[1]:-}"
expect_eq "wider window: keys keep their places" "Clear 5 0 36 28" \
    "$(awk '$7 == "Clear" { print $7, $2, $3, $4, $5 }' "$work/layout-wide.txt")"

# --- Tabular mode: fast typing, rows left emptied, Undo, "*" and "/" -----------------------------
fast_keys() {  # xdotool key names, typed with no delay between the keys
    xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
    xdotool key --delay 0 "$@"
}
dde Clear
fast_keys 1 2 Return 3 3 Return
expect_display "fast: 1 2 Return 3 3 Return" "12;|33;|;"
fast_keys 9 8 7 6 5 4 3 2 1 0 1 2 Return
expect_display "fast: twelve digits" "12;|33;|987654321012;|;"
# Twelve-digit numbers with doubled digits, all typed in one go.
dde Clear
RANDOM=10
typed=()
lines=
for _ in $(seq 20); do
    number=
    while ((${#number} < 12)); do
        digit=$((RANDOM % 10))
        ((RANDOM % 3 == 0)) && number+=$digit
        number+=$digit
    done
    number=$((10#${number:0:12}))
    typed+=($(grep -o . <<<"$number") Return)
    lines+="$number;|"
done
fast_keys "${typed[@]}"
expect_display "fast: 20 numbers with doubled digits" "$lines;"
# An emptied row goes when it is left; the next digit goes to the new line.
dde Clear 1 2 Enter 1 8 Enter 2 0 Enter
keys ctrl+Home BackSpace BackSpace Down 5
expect_display "Down from an emptied row" "18;|20;|5;"
dde Clear 1 2 Enter 1 8 Enter 2 0 Enter
keys ctrl+Home BackSpace BackSpace
xdotool mousemove --window "$win" 30 $((menu_bar + 2 + 18 + 9)) click 1
keys 5
expect_display "click from an emptied row" "18;|20;|5;"
# Undo of Del leaves no factorization beside another number.
dde Clear 4 Enter 6 Enter 9 Enter '*'
keys ctrl+Home Down Delete ctrl+z
expect_display "Undo of Del after a factorization" "4;= 2^2|6;|9;|;"
# "*" and "/" typed on the main keyboard or on the numeric keypad.
dde Clear 1 2 Enter 1 8 Enter
keys asterisk
expect_display "typed *: factorization" "12;= 2^2 * 3|18;= 2 * 3^2|;"
keys slash
expect_display "typed /: cancellation" "2;= 2|3;= 3|;"
dde Clear 4 Enter
keys KP_Multiply
expect_display "numeric keypad *" "4;= 2^2|;"

# --- Exit ----------------------------------------------------------------------------------------
dde Exit
if wait_for 10 app_gone; then echo "ok: DDE Exit ends the program"; else fail "DDE Exit"; fi

# Alt+F4 reaches the window's key preview as a system key and ends the program as well.
wine_run "$bin/Zentra!.exe" >>"$work/app.log" 2>&1 &
app_pid=$!
wait_for 60 window_shown
win=$(window_id)
wait_for 10 probe text Zentra.Grid
xdotool windowfocus --sync "$win" 2>/dev/null
exit_start=$(date +%s%N)
xdotool key alt+F4
window_gone() { ! window_shown; }
wait_for 15 window_gone
exit_ms=$((($(date +%s%N) - exit_start) / 1000000))
echo "Alt+F4: window gone after $exit_ms ms"
# Wine waits 2 s for a window manager when a shown window is hidden; the window must not.
((exit_ms < 1500)) || fail "Alt+F4 took $exit_ms ms"
if wait_for 15 app_gone; then echo "ok: Alt+F4 ends the program"; else fail "Alt+F4"; fi

# --- Linear mode --------------------------------------------------------------------------------
start_app() {  # arguments of the program
    wine_run "$bin/Zentra!.exe" "$@" >>"$work/app.log" 2>&1 &
    app_pid=$!
    wait_for 60 window_shown
    win=$(window_id)
    wait_for 10 probe text Zentra.Grid
}
edit_text() { probe text Edit | tr -d '\r'; }
edit_is() { [[ $(edit_text) == "$1" ]]; }
expect_edit() {  # label text
    wait_for 10 edit_is "$2"
    expect_eq "$1" "$2" "$(edit_text)"
}
window_enabled() { [[ $(probe layout | grep '^window ' | cut -d' ' -f4) == "$1" ]]; }
# The left edge of the grid and of the linear view's panel (the panel that holds the Edit).
view_lefts() {
    probe layout | tr -d '\r' | awk '$1 == "Zentra.Grid" { g = $2 }
        $1 == "Zentra.Panel" && $2 != 1 { p = $2 } END { print g, p }'
}
in_place() {  # grid|linear: that view at 0, the other outside the panel's left edge
    local grid linear
    read -r grid linear < <(view_lefts)
    if [[ $1 == grid ]]; then ((grid == 0 && linear < 0)); else ((linear == 0 && grid < 0)); fi
}
demo='(((-(+200+3*2))) ^ - 1 - (0.1)^(-1))/ ((3/2^3)^(-1)*(1.5)^3 + (-1/3)^(-1))'

start_app /E
expect_eq "settings written at start: folder" "Z:${bin//\//\\}" "$(reg_value /ve)"
expect_eq "settings written at start: version" "$version" "$(reg_value CurrentVersion)"
# (Menus cannot be read from another process under Wine: Alt+M either opens one or does nothing.)
keys alt+m
if wait_for 5 probe popup; then echo "ok: with /E the Mode menu is shown"; else
    fail "with /E Alt+M opened no Mode menu"
fi
keys Escape Escape
dde 1 2 Enter 1 8 Enter
expect_display "lines typed before the switch" "12;|18;|;"
probe wait-disabled 20000 >"$work/slide-watch.txt" &
watch_pid=$!
wait_for 10 grep -q watching "$work/slide-watch.txt"
keys alt+m l
wait "$watch_pid"
expect_eq "the window is disabled while the views slide" 0 $?
eval "$(xdotool getwindowgeometry --shell "$win")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/slide.png"
if wait_for 10 window_enabled 1; then echo "ok: enabled after the slide"; else fail "slide"; fi
if in_place linear; then echo "ok: linear view in place, grid outside"; else
    fail "after the switch: views at $(view_lefts)"
fi
expect_edit "demonstration expression" "$demo"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/linear.png"
keys Escape parenleft 1 2 plus 6 parenright slash 3 exclam
expect_edit "typed by keys, each once; letters are not typed" "(12+6)/3!"
keys a Return
expect_edit "= normalises the line" "(12+6)/(2*3)"
expect_eq "no message" "" "$(result_text)"
keys Escape parenleft 1 plus Return
wait_for 10 result_is "No digit found (1)."
expect_eq "a faulty expression keeps its text" "(1+" "$(edit_text)"
expect_eq "its message" "No digit found (1)." "$(result_text)"
read -r sel_start sel_end < <(probe sel Edit | tr -d '\r')
expect_eq "one character selected" 1 $((sel_end - sel_start))
dde Clear 4 2 Enter
expect_edit "DDE digits, Clear and Enter act on the line" "42"
# Over the About panel typed keys reach neither the hidden line nor the operator keys' access
# keys; DDE still acts, but the result pane it fills stays disabled until the panel closes.
linear_away() { read -r _ linear < <(view_lefts); ((linear < -300)) && window_enabled 1; }
linear_back() { in_place linear && window_enabled 1; }
pane_enabled() { probe enabled Zentra.ResultPane | tr -d '\r'; }
keys alt+h a
check "Help > About over the linear view" 15 linear_away
keys 1 5 plus minus asterisk slash period asciicircum exclam parenleft parenright plus BackSpace
dde LCM
wait_for 10 result_is "36 = 22 . 32"
expect_eq "DDE LCM under the About panel" "36 = 22 . 32" "$(result_text)"
expect_eq "the result pane stays disabled under the panel" 0 "$(pane_enabled)"
keys alt+h a
check "Help > About again slides the line back" 15 linear_back
expect_edit "typing over the About panel left the line alone" "42"
expect_eq "the result pane is enabled once the panel has closed" 1 "$(pane_enabled)"
keys alt+m t
wait_for 3 window_enabled 0
wait_for 10 window_enabled 1
# (The LCM under the About panel factorized them.)
expect_display "back in tabular mode: the grid's rows unchanged" "12;= 2^2 * 3|18;= 2 * 3^2|;"
keys alt+m l
wait_for 3 window_enabled 0
wait_for 10 window_enabled 1
expect_edit "the line kept its text" "42"
# Copy, Paste and Undo act on the line; the hidden grid stays as it is.
printf 'x' | probe clip-set
keys ctrl+c
expect_eq "Ctrl+C copies the whole line" "42" "$(probe clip-text)"
printf '5!\r\n18\r\n' | probe clip-set
dde Clear Paste
expect_edit "DDE Paste of plain text: its first line goes into the line" "5!"
dde Enter
expect_edit "= expands the pasted factorial" "2*3*4*5"
keys shift+Left shift+Left ctrl+c
expect_eq "Ctrl+C copies the line's selection" "*5" "$(probe clip-text)"
keys ctrl+z
expect_edit "Ctrl+Z brings back the line from before =" "5!"
expect_display "the grid did not change behind the line" "12;= 2^2 * 3|18;= 2 * 3^2|;"
# A script is a calculation for the display: it runs in tabular mode, which slides in.
printf ':c\r\n4\r\n6\r\n:l' | probe clip-set
keys ctrl+v
wait_for 3 window_enabled 0
wait_for 10 window_enabled 1
if in_place grid; then echo "ok: a pasted script switches to tabular mode"; else
    fail "after a pasted script: views at $(view_lefts)"
fi
expect_display "the script ran there" "4;= 2^2|6;= 2 * 3|;" "12 = 22 . 3"
keys alt+m l
wait_for 3 window_enabled 0
wait_for 10 window_enabled 1
expect_edit "the line is as the script found it" "5!"
# Log-off: the session's end runs the shut-down (the window is not closed first).
expect_eq "the window lets the session end" 1 "$(probe end-session | tr -d '\r')"
expect_eq "Mode stored at the end of the session" "1" "$(reg_value Mode)"
dde Exit
wait_for 10 app_gone
expect_eq "Mode stored at shut-down" "1" "$(reg_value Mode)"

start_app
probe wait-disabled 1500 >/dev/null
expect_eq "stored linear mode shown without a slide" 1 $?
if in_place linear; then echo "ok: linear view in place at start"; else
    fail "linear start: views at $(view_lefts)"
fi
expect_edit "first activation presets the line" "$demo"
# Started in linear mode without /E: the Mode menu and the expression keys as /E gives them.
keys alt+m
if wait_for 5 probe popup; then echo "ok: started in linear mode, the Mode menu is shown"; else
    fail "started in linear mode without /E, Alt+M opened no Mode menu"
fi
keys Escape Escape
expect_eq "started in linear mode: the expression keys' captions" "^ ! ( )" \
    "$(probe layout | tr -d '\r' | awk '$1 == "Zentra.CommandButton" && $6 == 1 &&
        $7 ~ /^[!^()]$/ { print $7 }' | paste -sd' ')"
keys alt+m t
wait_for 3 window_enabled 0
wait_for 10 window_enabled 1
if in_place grid; then echo "ok: back to tabular mode"; else fail "no way back: $(view_lefts)"; fi
dde Exit
wait_for 10 app_gone

start_app
keys alt+m
wait_for 1 probe popup && fail "without /E Alt+M opened a menu" || echo "ok: without /E no Mode menu"
dde Exit
wait_for 10 app_gone

reg_run add "$settings_key" /v Mode /d 7x /f >/dev/null 2>&1
start_app
if in_place grid; then echo "ok: a garbage Mode starts in tabular mode"; else
    fail "garbage Mode: views at $(view_lefts)"
fi
dde Exit
wait_for 10 app_gone

# --- A damaged prime table -----------------------------------------------------------------------
# The second prime (3) of RCDATA 101 becomes 4: the program says so and does not start.
mkdir -p "$work/damaged"
damaged="$work/damaged/Zentra!.exe"
cp "$bin/Zentra!.exe" "$damaged"
offset=$(LC_ALL=C grep -obUaP '\x02\x00\x00\x03\x00\x00\x05\x00\x00\x07\x00\x00\x0b\x00\x00' \
    "$damaged" | head -1 | cut -d: -f1)
printf '\x04' | dd of="$damaged" bs=1 seek=$((offset + 3)) conv=notrunc status=none
wine_run "$damaged" >"$work/damaged.log" 2>&1 &
app_pid=$!
box_shown() { xdotool search --onlyvisible --name '^Zentra!$' >/dev/null; }
if wait_for 30 box_shown; then echo "ok: a damaged prime table is reported"; else
    fail "no message about the damaged prime table"
fi
window_shown && fail "the window opened with a damaged prime table"
probe close 'Zentra!' >/dev/null
wait_for 10 app_gone
wait "$app_pid"
expect_eq "exit code with a damaged prime table" 1 $?

echo "e2e finished in $((SECONDS - started)) s with $failures failure(s)"
exit $((failures > 0))
