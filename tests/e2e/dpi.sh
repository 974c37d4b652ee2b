#!/usr/bin/env bash
# The window at screen resolutions other than 96 dpi: starts Zentra!.exe once per resolution in a
# Wine prefix of its own whose LogPixels is that resolution, and checks that the window, its
# panels, every key, the About panel's label and the OK image with its shadow lie where the
# 96-dpi layout puts them, scaled by dpi/96 (within a pixel), that every key lies inside the
# keypad panel and the client area, that every caption is drawn whole inside its key's face and
# that each of the keys' frame lines is one pixel scaled thick.
# At 96 dpi the window is then told that it moved to a screen of 144 dpi while the About panel
# slides in (WM_DPICHANGED, as Wine itself never sends it) and checked again.
# Usage: dpi.sh BIN_DIR WORK_DIR [DPI...] (default 96 120 144 192). Uses $DISPLAY, or a private
# Xvfb when it is unset. Leaves WORK_DIR/screenshot-<dpi>dpi.png: the window after a calculation.
set -uo pipefail

bin=$1
work=$2
shift 2
dpis=("$@")
((${#dpis[@]})) || dpis=(96 120 144 192)
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
mkdir -p "$work"
work=$(cd "$work" && pwd)
source "$root/scripts/lib/session.sh"

arch=$(zentra_pe_arch "$bin/Zentra!.exe")
# Wine hands the prefix's LogPixels to every program; each run gets it from a fresh server.
export ZENTRA_WINEPREFIX32=$work/prefix-win32 ZENTRA_WINEPREFIX64=$work/prefix-win64
prefix=$ZENTRA_WINEPREFIX32
[[ $arch == win64 ]] && prefix=$ZENTRA_WINEPREFIX64
server=/usr/lib/wine/wineserver64
[[ -x $server ]] || server=/usr/lib/wine/wineserver32
stop_prefix() { WINEPREFIX=$prefix "$server" -k >/dev/null 2>&1; WINEPREFIX=$prefix "$server" -w; }
session_cleanup_extra() { stop_prefix; }
session_begin

set_dpi() {  # dpi
    local value key
    for key in 'HKCU\Control Panel\Desktop' \
        'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
        value=$(printf '0x%x' "$1")
        reg_run add "$key" /v LogPixels /t REG_DWORD /d "$value" /f >/dev/null 2>&1 ||
            fail "LogPixels $1 in $key"
    done
    stop_prefix
}

# `pixels` at 96 dpi at DPI: nearest, halves up (the program's rounding).
scale() { echo $((($1 * dpi + 48) / 96)); }
near() {  # label expected actual: each field within one pixel
    local -a want got
    read -r -a want <<<"$2"
    read -r -a got <<<"$3"
    local i
    for i in "${!want[@]}"; do
        local d=$((${got[i]:-99999} - want[i]))
        if ((${#got[@]} != ${#want[@]} || d < -1 || d > 1)); then
            fail "$dpi dpi, $1: expected [$2] (+-1), got [$3]"
            return
        fi
    done
    ok "$dpi dpi, $1"
}

# Captions at their 96-dpi places (column x, row y) in the keypad panel; 36 x 28 px each.
keys96=(Clear@5,0 Del@46,0 Back@87,0 Enter@128,0 7@210,0 8@251,0 9@292,0
    P@5,33 LCM@46,33 GCD@87,33 X@128,33 '*@169,33' 4@210,33 5@251,33 6@292,33
    0@169,66 1@210,66 2@251,66 3@292,66)

check_layout() {  # layout file
    local layout=$1 width height client_width client_height
    read -r _ width height _ _ < <(grep '^window ' "$layout")
    read -r _ client_width client_height < <(grep '^client ' "$layout")
    near "first outer size" "$(scale 341) $(scale 250)" "$width $height"
    local inset display keypad
    inset=$(scale 1)
    display=$(awk -v l="$inset" '$1 == "Zentra.Panel" && $2 == l && $3 == 0 { print $2, $3, $4, $5 }' \
        "$layout" | head -1)
    keypad=$(awk -v l="$inset" '$1 == "Zentra.Panel" && $2 == l && $3 > 0 { print $2, $3, $4, $5 }' \
        "$layout" | head -1)
    near "display panel" "$inset 0 $((client_width - $(scale 2))) $(scale 75)" "$display"
    near "result pane" "0 $(scale 75) $client_width $(scale 24)" \
        "$(grep '^Zentra.ResultPane ' "$layout" | cut -d' ' -f2-5)"
    near "keypad panel" "$inset $(scale 106) $((client_width - $(scale 2))) $(scale 127)" "$keypad"

    local panel_top panel_width entry caption place x y got
    read -r _ panel_top panel_width _ <<<"$keypad"
    for entry in "${keys96[@]}"; do
        caption=${entry%@*}
        place=${entry#*@}
        x=${place%,*}
        y=${place#*,}
        got=$(awk -v c="$caption" '$1 == "Zentra.CommandButton" && $6 == 1 && $7 == c \
            { print $2, $3, $4, $5 }' "$layout")
        near "key $caption" "$(scale "$x") $(scale "$y") $(scale 36) $(scale 28)" "$got"
    done
    # Every visible key inside the keypad panel, and the panel's keys inside the client area.
    local outside
    outside=$(awk -v w="$panel_width" -v top="$panel_top" -v ch="$client_height" \
        '$1 == "Zentra.CommandButton" && $6 == 1 && ($2 < 0 || $3 < 0 || $2 + $4 > w || \
         top + $3 + $5 > ch) { print $7 }' "$layout" | paste -sd' ')
    expect_eq "$dpi dpi: every key inside the keypad panel and the client area" "" "$outside"

    # The About panel under the views: the label, the OK image in the top right corner of the
    # display panel and its shadow down and right of it.
    local display_width ok shadow ok_x ok_y
    display_width=$(awk '{ print $3 }' <<<"$display")
    near "About label" "$(scale 10) $(scale 10)" \
        "$(awk '$1 == "Zentra.AboutLabel" { print $2, $3 }' "$layout")"
    ok=$(awk '$1 == "Zentra.Picture" { print $2, $3, $4, $5 }' "$layout" | sort -n | head -1)
    shadow=$(awk '$1 == "Zentra.Picture" { print $2, $3, $4, $5 }' "$layout" | sort -n | tail -1)
    read -r ok_x ok_y _ _ <<<"$ok"
    near "OK image" "$((display_width - $(scale 48) - $(scale 8))) $(scale 2) $(scale 48) $(scale 24)" \
        "$ok"
    near "OK image's shadow" "$((ok_x + $(scale 3))) $((ok_y + $(scale 3))) $(scale 48) $(scale 24)" \
        "$shadow"
}

# The screenshot's menu bar height and the keypad panel's place: BAR PANEL_X PANEL_TOP.
keypad_on_shot() {  # layout screenshot
    # The screenshot is the window's X11 area: the menu bar over the client area.
    echo "$(($(identify -format '%h' "$2") - $(awk '$1 == "client" { print $3 }' "$1")))" \
        "$(awk -v l="$(scale 1)" '$1 == "Zentra.Panel" && $2 == l && $3 > 0 { print $2, $3 }' \
            "$1" | head -1)"
}

# Across the middle of a key without a caption, each of the frame's two rings is one pixel
# scaled thick on both sides.
check_frame() {  # layout screenshot
    local ring bar panel_x panel_top kx ky kw kh runs
    ring=$(scale 1)
    read -r bar panel_x panel_top < <(keypad_on_shot "$1" "$2")
    read -r kx ky kw kh < <(awk '$1 == "Zentra.CommandButton" && $6 == 1 && NF == 6 \
        { print $2, $3, $4, $5 }' "$1" | head -1)
    # Colour runs: outer ring, inner ring, face, inner ring, outer ring.
    runs=$(convert "$2" -crop "${kw}x1+$((panel_x + kx))+$((bar + panel_top + ky + kh / 2))" \
        +repage -depth 8 txt:- | awk 'NR > 1 { print $3 }' | uniq -c | awk '{ print $1 }' |
        paste -sd' ')
    expect_eq "$dpi dpi: the keys' frame lines $ring px each" \
        "$ring $ring $((kw - 4 * ring)) $ring $ring" "$runs"
}

# Each visible key's face (inside its two rings) on the screenshot of the window: no caption's ink
# runs from one edge of the face to the other, so none is cut.
check_captions() {  # layout screenshot
    local layout=$1 shot=$2 bar panel_x panel_top cut=() ring
    ring=$(scale 1)
    read -r bar panel_x panel_top < <(keypad_on_shot "$layout" "$shot")
    while read -r caption kx ky kw kh; do
        local fw=$((kw - 4 * ring)) fh=$((kh - 4 * ring)) box bw bh bx by
        box=$(convert "$shot" -crop "${fw}x${fh}+$((panel_x + kx + 2 * ring))+$((bar + panel_top + ky + 2 * ring))" \
            +repage -fuzz 8% -trim -format '%w %h %X %Y' info: 2>/dev/null)
        read -r bw bh bx by <<<"${box//+/}"
        # A caption wider (or taller) than the face starts at its edge and is cut at the other.
        if (((bx == 0 && bw >= fw) || (by == 0 && bh >= fh))); then
            cut+=("$caption(${bw}x${bh}+$bx+$by in ${fw}x$fh)")
        fi
    done < <(awk '$1 == "Zentra.CommandButton" && $6 == 1 && $7 != "" { print $7, $2, $3, $4, $5 }' \
        "$layout")
    expect_eq "$dpi dpi: every caption whole inside its key" "" "${cut[*]}"
}

dde() { wine_run "$bin/zentra-dde.exe" "$@" >/dev/null; }
result_is() { [[ $(probe text Zentra.ResultPane) == "$1" ]]; }
keys() {
    xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
    xdotool key --delay 40 "$@"
}
layout() { probe layout | tr -d '\r'; }
# The grid wholly out of the display panel (the About panel shows), or back in place; the window
# enabled, the slide over.
about_shows() { layout | awk '$1 == "window" { e = $4 } $1 == "Zentra.Grid" && !g++ { r = $2 + $4 }
                              END { exit !(e == 1 && r <= 0) }'; }
display_in_place() { layout | awk '$1 == "window" { e = $4 } $1 == "Zentra.Grid" && !g++ { x = $2 }
                                   END { exit !(e == 1 && x == 0) }'; }

# The window moves to a screen of `to` dpi while the About panel slides in: the slide ends with
# the panel shown, everything where a start at `to` dpi puts it, and the OK image still closes it.
check_dpi_change() {  # to
    local from=$dpi
    keys alt+h a
    dpi=$1
    probe dpi-changed "$dpi" 0 0 "$(scale 341)" "$(scale 250)" || fail "WM_DPICHANGED not sent"
    check "$from to $dpi dpi during the slide: the About panel shows" 15 about_shows
    layout >"$work/layout-$from-to-$dpi.txt"
    check_layout "$work/layout-$from-to-$dpi.txt"
    eval "$(xdotool getwindowgeometry --shell "$win")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/about-$from-to-${dpi}dpi.png"
    check_frame "$work/layout-$from-to-$dpi.txt" "$work/about-$from-to-${dpi}dpi.png"
    local bar ok_x ok_y ok_w ok_h
    bar=$((HEIGHT - $(awk '$1 == "client" { print $3 }' "$work/layout-$from-to-$dpi.txt")))
    read -r ok_x ok_y ok_w ok_h < <(awk '$1 == "Zentra.Picture" { print $2, $3, $4, $5 }' \
        "$work/layout-$from-to-$dpi.txt" | sort -n | head -1)
    # The display panel's sunken edge is 2 pixels wide.
    xdotool mousemove --window "$win" $(($(scale 1) + 2 + ok_x + ok_w / 2)) \
        $((bar + 2 + ok_y + ok_h / 2)) click 1
    check "$dpi dpi: a click on the OK image slides the display back" 15 display_in_place
    xdotool mousemove --window "$win" 1 1
    dpi=$from
}

for dpi in "${dpis[@]}"; do
    set_dpi "$dpi"
    started=$SECONDS
    wine_run "$bin/Zentra!.exe" >"$work/app-$dpi.log" 2>&1 &
    app_pid=$!
    if ! wait_for 60 window_shown; then
        fail "$dpi dpi: the window Quorvel did not appear"
        continue
    fi
    win=$(window_id)
    # The pointer rests on the menu bar: Wine thinks it in the screen's middle until it moves over
    # one of its windows, and a key's tooltip there would cover its neighbours.
    xdotool mousemove --window "$win" 1 1
    wait_for 10 probe text Zentra.Grid
    echo "$dpi dpi: window up after $((SECONDS - started)) s"
    dde Clear 1 2 Enter 1 8 Enter LCM
    wait_for 10 result_is "36 = 22 . 32" || fail "$dpi dpi: the LCM of 12 and 18 was not shown"
    probe layout | tr -d '\r' >"$work/layout-$dpi.txt"
    check_layout "$work/layout-$dpi.txt"
    eval "$(xdotool getwindowgeometry --shell "$win")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/screenshot-${dpi}dpi.png"
    check_frame "$work/layout-$dpi.txt" "$work/screenshot-${dpi}dpi.png"
    check_captions "$work/layout-$dpi.txt" "$work/screenshot-${dpi}dpi.png"
    ((dpi == 96)) && check_dpi_change 144
    probe close >/dev/null 2>&1
    wait_for 10 app_gone || kill -9 "$app_pid" 2>/dev/null
done

echo "dpi: $failures failure(s) in $((SECONDS)) s"
((failures == 0))
