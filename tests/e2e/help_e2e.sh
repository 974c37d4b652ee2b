#!/usr/bin/env bash
# End-to-end test of the Help menu, F1 and the outside calculator: runs a copy of Zentra!.exe from
# a folder whose name holds a blank, with the stand-in calculator beside it as calc.exe.
# Usage: help_e2e.sh BIN_DIR STANDIN_CALC WORK_DIR COMPANY VERSION WEB_ADDRESS SUPPORT_MAIL. Uses
# $DISPLAY, or a private Xvfb when unset. Leaves screenshots of the help viewer and the About panel
# in WORK_DIR. The desktop's xdg-open and xdg-email are replaced by scripts that note their
# arguments: no browser or mail program starts.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/scripts/lib/session.sh"
session_args bin standin work company version web_address support_mail -- "$@"
mkdir -p "$work"

dde() { wine_run "$bin/zentra-dde.exe" --quiet "$@" >/dev/null; }
count_is() { [[ $(probe count "$1" | tr -d '\r') == "$2" ]]; }
# What the program started goes with it.
session_cleanup_extra() {
    probe close "Quorvel Help" >/dev/null 2>&1
    probe close Calculator >/dev/null 2>&1
}
session_begin

# The copy: program, help file and the stand-in calculator, in a folder with a blank in its name
# (later in folders outside the ANSI code page). Starts run the copy in $folder.
copy_program() {  # folder
    folder=$1
    rm -rf "$folder"
    mkdir -p "$folder"
    cp "$bin/Zentra!.exe" "$bin/Zentra!.hlp" "$folder/"
    cp "$standin" "$folder/calc.exe"
}
copy_program "$work/run here"

# Wine hands web and mail addresses to these two, unchanged.
fakebin="$work/fakebin"
mkdir -p "$fakebin"
for tool in xdg-open xdg-email; do
    printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s/%s.log"\n' "$work" "$tool" >"$fakebin/$tool"
    chmod +x "$fakebin/$tool"
    : >"$work/$tool.log"
done

keys() {
    xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
    xdotool key --delay 60 "$@"
}
start_app() {
    PATH="$fakebin:$PATH" wine_run "$folder/Zentra!.exe" >>"$work/app.log" 2>&1 &
    app_pid=$!
    wait_for 60 window_shown || { fail "the window Quorvel did not appear"; exit 1; }
    win=$(window_id)
    wait_for 10 probe text Zentra.Grid
}
help_shows() { probe texts "Quorvel Help" | tr -d '\r' | grep -qx "$1"; }
help_check() {  # label topic-title: names the topic shown when it is not the expected one
    if wait_for 15 help_shows "$2"; then ok "$1"; else
        fail "$1: the help shows [$(probe texts "Quorvel Help" | tr -d '\r' | head -1)]"
    fi
}
shoot() {  # file window-name: a screenshot of that top-level window
    local id
    id=$(xdotool search --name "^$2\$" | head -1)
    [[ -n $id ]] || return 1
    eval "$(xdotool getwindowgeometry --shell "$id")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"
}
calc_text() { probe text Edit Calculator | tr -d '\r'; }
calc_is() { [[ $(calc_text) == "$1" ]]; }

: >"$work/app.log"
start_app
echo "window up after $((SECONDS - started)) s"

# --- Help Topics ---------------------------------------------------------------------------------
menu_bar=$(($(xdotool getwindowgeometry --shell "$win" | sed -n 's/^HEIGHT=//p') - \
    $(probe layout | tr -d '\r' | sed -n 's/^client [0-9]* //p')))
keys alt+h h
check "Help Topics opens the help viewer on the help file" 30 help_shows "Quorvel Help Contents"
shoot "$work/help-topics.png" "Quorvel Help"
keys alt+h h
sleep 1  # a second viewer, if one were started, would need this long to show up
check "a second Help Topics starts no second viewer" 5 count_is "Quorvel Help" 1
# A minimized viewer comes back for Help Topics. (Moved aside first: without a window manager a
# minimized window stays drawn where it was, over the main window; a click makes the main window
# Wine's active one again.)
activate() { xdotool mousemove --window "$win" 200 $((menu_bar + 30)) click 1; }
probe move "Quorvel Help" 360 0 >/dev/null
probe minimize "Quorvel Help" >/dev/null
if wait_for 5 probe iconic "Quorvel Help"; then
    activate
    keys alt+h h
    check "Help Topics restores a minimized viewer" 10 eval '! probe iconic "Quorvel Help"'
else
    fail "the help viewer could not be minimized for the test"
fi

# --- F1 ------------------------------------------------------------------------------------------
# Without a window manager the viewer (952 x 741) opens over the main window and takes the keys:
# once open it is moved aside, a click gives the main window the keys back, and every further F1
# switches the open viewer's topic. (Each F1 is tried again on a loaded machine.)
close_help() {
    probe close "Quorvel Help" >/dev/null
    wait_for 10 count_is "Quorvel Help" 0
    wait_for 10 eval '! probe class MS_WINHELP'
}
f1_check() {  # label topic-title keys-before-F1...
    local label=$1 topic=$2
    shift 2
    for _ in 1 2 3; do
        activate
        "$@"
        keys F1
        wait_for 10 help_shows "$topic" && break
        keys Escape Escape
    done
    help_check "$label" "$topic"
    probe move "Quorvel Help" 360 0 >/dev/null
}
point_at() { xdotool mousemove --window "$win" "$1" "$2"; }
close_help
# The GCD key, at column 2 of row 1 of the keypad.
f1_check "F1 over the GCD key shows its topic" "Greatest Common Divisor" \
    point_at $((1 + 87 + 18)) $((menu_bar + 106 + 33 + 14))
f1_check "a second F1, on the focused display, switches to its topic" "The calculator display" \
    point_at 200 $((menu_bar + 30))
f1_check "F1 on the highlighted Edit > Paste switches to its topic" "Paste and clipboard scripts" \
    keys alt+e Down Down
keys Escape Escape
f1_check "F1 over the GCD key again switches back" "Greatest Common Divisor" \
    point_at $((1 + 87 + 18)) $((menu_bar + 106 + 33 + 14))
close_help

# --- Calculator ----------------------------------------------------------------------------------
# A click activates the window for Wine as well as for X after the help viewer had the focus.
xdotool mousemove --window "$win" 200 $((menu_bar + 30)) click 1
dde Clear 1 2 3
keys F2
calc_check() {  # label expected
    if wait_for 20 calc_is "$2"; then ok "$1"; else fail "$1: the calculator shows [$(calc_text)]"; fi
}
calc_check "F2 starts the calculator and hands 123 over" 123
dde Clear 4 5
keys F2
calc_check "F2 with the calculator running hands 45 over at once" 12345

# --- Web page and bug report --------------------------------------------------------------------
handed() { grep -qxF "$2" "$work/$1.log"; }
keys alt+h p
check "Visit the Webpage opens $web_address" 20 handed xdg-open "$web_address"
keys alt+h b
check "Send Bug Report opens a mail with an encoded subject" 20 \
    handed xdg-email "$support_mail?subject=Zentra!%20Bug%20Report"

# --- About ---------------------------------------------------------------------------------------
# Places from the child layout: the grid's left edge, the OK image (the picture further left; its
# shadow lies 3 pixels right and down) and whether the window is enabled.
layout() { probe layout | tr -d '\r'; }
grid_left() { layout | awk '$1 == "Zentra.Grid" { print $2; exit }'; }
ok_place() { layout | awk '$1 == "Zentra.Picture" { print $2, $3 }' | sort -n | head -1; }
window_enabled() { layout | awk '$1 == "window" { print $4 }'; }
about_shows() { (($(grid_left) < -300)) && [[ $(window_enabled) == 1 ]]; }
display_in_place() { [[ $(grid_left) == 0 && $(window_enabled) == 1 ]]; }
ok_at() { [[ $(ok_place) == "$1" ]]; }
dde Clear 7 Enter 8
rows_before=$(probe text Zentra.Grid | tr -d '\r')
keys alt+h a
check "Help > About slides the display away" 15 about_shows
expect_eq "the About label names program, version, web page and copyright" \
    "Zentra! $version|$web_address|Copyright (C) $company" \
    "$(probe text Zentra.AboutLabel | tr -d '\r' | paste -sd'|')"
shoot "$work/about.png" Quorvel
# Keys typed over the panel reach neither the hidden grid nor the keys' access keys.
keys 4 2 Return
# The "4" key of the keypad (the panel starts 106 pixels down the client area).
xdotool mousemove --window "$win" $((1 + 210 + 18)) $((menu_bar + 106 + 33 + 14)) click 1
read -r ok_x ok_y <<<"$(ok_place)"
# The OK image's place in the window's client area: the display panel at (1, 0), its sunken edge
# 2 pixels wide.
ok_cx=$((1 + 2 + ok_x + 20))
ok_cy=$((menu_bar + 2 + ok_y + 10))
xdotool mousemove --window "$win" "$ok_cx" "$ok_cy" mousedown 1
check "pressing the OK image sinks it by 2 pixels" 5 ok_at "$((ok_x + 2)) $((ok_y + 2))"
xdotool mousemove --window "$win" $((ok_cx - 120)) $((ok_cy + 40))
check "dragging off the OK image lets it rise" 5 ok_at "$ok_x $ok_y"
xdotool mouseup 1
sleep 0.3  # a slide, if the release had started one, would have moved the grid by now
if about_shows; then ok "a release after dragging off keeps the About panel"; else
    fail "the About panel closed after a drag off its OK image"
fi
# Keys typed while the display slides back in (the window disabled) do nothing either.
xdotool mousemove --window "$win" "$ok_cx" "$ok_cy" click 1 sleep 0.1 key --delay 30 2 3 4
check "a click on the OK image slides the display back" 15 display_in_place
expect_eq "keys and a click on the keypad over the About panel and its slide did nothing" \
    "$rows_before" "$(probe text Zentra.Grid | tr -d '\r')"

# --- Exit closes what the program started --------------------------------------------------------
dde Exit
check "Exit ends the program" 15 app_gone
check "Exit closed the help viewer" 10 count_is "Quorvel Help" 0
check "Exit closed the calculator" 10 count_is Calculator 0

# --- Folders outside the ANSI code page -----------------------------------------------------------
# One start from each: the version information, the settings' folder, the help file, the addresses
# and the calculator all pass through file names that only Unicode holds.
source "$root/scripts/lib/machine.sh"
settings_key="HKLM\\SOFTWARE\\$company\\Zentra!"
settings_export="$(cd "$work" && pwd)/settings.reg"
settings_value() {  # name ("@" for the default value): through an export, as reg query writes
    # in the console's code page; empty unless the value is a REG_SZ
    rm -f "$settings_export"
    ZENTRA_WINE_ARCH=$(zentra_pe_arch "$bin/Zentra!.exe") wine_run reg export "$settings_key" \
        "Z:${settings_export//\//\\}" /y >/dev/null 2>&1
    [[ -f $settings_export ]] || return
    local name=$1
    [[ $name == @ ]] || name="\"$name\""
    iconv -f UTF-16 -t UTF-8 "$settings_export" | tr -d '\r' |
        sed -n "s/^$name=\"\(.*\)\"\$/\1/p" | sed 's/\\\\/\\/g'
}
viewer_closed() {  # its hidden window too, so that the next request starts afresh
    probe close "Quorvel Help" >/dev/null
    wait_for 10 count_is "Quorvel Help" 0
    wait_for 10 eval '! probe class MS_WINHELP'
}
foreign_folder_check() {  # label folder
    local label=$1
    copy_program "$2"
    : >"$work/xdg-open.log"
    : >"$work/xdg-email.log"
    start_app
    expect_eq "$label: the About label has the version" "Zentra! $version" \
        "$(probe text Zentra.AboutLabel | tr -d '\r' | head -1)"
    local windows_folder
    windows_folder="Z:$(cd "$folder" && pwd | tr / '\\')"
    expect_eq "$label: the settings name the folder" "$windows_folder" "$(settings_value @)"
    expect_eq "$label: the settings have the version" "$version" "$(settings_value CurrentVersion)"
    keys alt+h h
    check "$label: Help Topics opens the help file" 30 help_shows "Quorvel Help Contents"
    viewer_closed
    xdotool mousemove --window "$win" 200 $((menu_bar + 30)) click 1
    keys F1
    check "$label: F1 opens the help file" 30 help_shows "The calculator display"
    viewer_closed
    xdotool mousemove --window "$win" 200 $((menu_bar + 30)) click 1
    dde Clear 6 7
    keys F2
    calc_check "$label: F2 starts the calculator beside the program" 67
    xdotool mousemove --window "$win" 200 $((menu_bar + 30)) click 1
    keys alt+h p
    check "$label: Visit the Webpage opens $web_address" 20 handed xdg-open "$web_address"
    keys alt+h b
    check "$label: Send Bug Report opens a mail" 20 \
        handed xdg-email "$support_mail?subject=Zentra!%20Bug%20Report"
    dde Exit
    check "$label: Exit ends the program" 15 app_gone
    check "$label: Exit closed the calculator" 10 count_is Calculator 0
}
# Wine reads Unix file names in the locale's character set.
export LC_ALL=C.UTF-8
foreign_folder_check "Cyrillic folder" "$work/Программы и данные"
foreign_folder_check "CJK folder" "$work/程序 数据"

echo "help e2e finished in $((SECONDS - started)) s with $failures failure(s)"
exit $((failures > 0))
