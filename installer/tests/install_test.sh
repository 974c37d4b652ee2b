#!/usr/bin/env bash
# Install test, on 64-bit Windows (a fresh 64-bit Wine prefix): installs silently with the 64-bit
# installer, checks files, shortcuts and the "Add or remove programs" entry, runs the installed
# program by DDE, cancels setup and the uninstaller at their first page (the program keeps
# running), installs again over two running copies (both are asked to close), checks that the
# stored mode survived, uninstalls silently and checks that only a file the user added is left;
# installs into new folders and checks that uninstalling removes the ones setup made, where
# empty, and no other. Then, where this machine runs 32-bit code, the 32-bit program as earlier
# releases installed it, upgraded by the installer for every Windows: that one installs the
# 64-bit program, keeps the stored mode and leaves one entry; on 32-bit Windows (a fresh 32-bit
# prefix) it installs the 32-bit program.
# Usage: install_test.sh SETUP64 SETUP SETUP_32BIT BIN_DIR FILES32_DIR WORK_DIR COMPANY
#                        VERSION_TEXT WEB_ADDRESS
#   SETUP64: the 64-bit installer; SETUP: the one for every Windows; SETUP_32BIT: a 32-bit
#   installer of the 32-bit program only; BIN_DIR: the 64-bit program and the probes;
#   FILES32_DIR: the 32-bit program, help library, help file and contents file.
set -uo pipefail
setup=$(realpath -m "$1") setup_any=$(realpath -m "$2") setup_32bit=$(realpath -m "$3")
bin=$(realpath -m "$4") files32=$(realpath -m "$5") work=$(realpath -m "$6")
company=$7 version=$8 web=$9
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/scripts/lib/machine.sh"
source "$root/scripts/lib/xvfb.sh"
source "$root/scripts/lib/checks.sh"

for file in "$setup" "$setup_any" "$setup_32bit"; do
    if [[ -z $(zentra_pe_arch "$file") ]]; then
        echo "FAIL: $file is missing or no Windows program (build the target zentra_dist)" >&2
        exit 1
    fi
done
arch=win64
echo "install test of $(basename "$setup") in a fresh 64-bit prefix"

# A prefix of our own, made afresh: a copy of a prefix that Wine created and nothing ran in (made
# once per build tree; creating one takes Wine about 25 s, copying it a second).
server=/usr/lib/wine/wineserver64
[[ -x $server ]] || server=/usr/lib/wine/wineserver32
fresh_prefix() {  # arch folder
    local pristine="$root/build/wineprefix-pristine-$1"
    if [[ ! -f $pristine/system.reg ]]; then
        ZENTRA_WINEPREFIX32=$pristine ZENTRA_WINEPREFIX64=$pristine ZENTRA_WINE_ARCH=$1 \
            "$root/scripts/wine-run.sh" wineboot >/dev/null 2>&1
        WINEPREFIX=$pristine "$server" -w
    fi
    cp -a "$pristine" "$2"
}
prefix="$work/prefix" prefix32="$work/prefix32"
rm -rf "$work"
mkdir -p "$work"
fresh_prefix "$arch" "$prefix"
export ZENTRA_WINEPREFIX32=$prefix ZENTRA_WINEPREFIX64=$prefix ZENTRA_WINE_ARCH=$arch
wine_run() { "$root/scripts/wine-run.sh" "$@"; }
# A 32-bit program in the 64-bit prefix, as 64-bit Windows runs it: the 64-bit loader hands it on.
wine_run_32bit() {
    WINEPREFIX=$prefix WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 WINESERVER=$server \
        WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=} \
        /usr/lib/wine/wine64 "$@"
}

app_pid= app_pid2=
app_gone() { [[ -z $app_pid ]] || ! kill -0 "$app_pid" 2>/dev/null; }
apps_gone() { app_gone && { [[ -z $app_pid2 ]] || ! kill -0 "$app_pid2" 2>/dev/null; }; }
cleanup() {
    app_gone || kill -9 "$app_pid" 2>/dev/null
    WINEPREFIX=$prefix timeout 20 "$server" -k 2>/dev/null
    [[ -d $prefix32 ]] && WINEPREFIX=$prefix32 timeout 20 "$server" -k 2>/dev/null
    zentra_xvfb_stop
}
trap cleanup EXIT
[[ -n ${DISPLAY:-} ]] || zentra_xvfb_start || exit 1

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zentra!'
settings_key="HKLM\\SOFTWARE\\$company\\Zentra!"
user_settings_key="HKCU\\SOFTWARE\\$company\\Zentra!"
# One key's values as NAME=VALUE lines (REG_SZ and REG_DWORD as reg prints them); empty if absent.
# The registry's 64-bit view, or the 32-bit one with /reg:32 after the key.
reg_values() {
    wine_run reg query "$@" 2>/dev/null | tr -d '\r' |
        sed -nE 's/^ +([^ ].*[^ ]) +REG_(SZ|DWORD) +(.*)$/\1=\3/p' | LC_ALL=C sort
}
reg_value() { reg_values "$1" "${@:3}" | sed -n "s/^$2=//p"; }
key_absent() { ! wine_run reg query "$@" >/dev/null 2>&1; }
# Silent setup into FOLDER. NSIS takes /D= last and unquoted, as the rest of the command line;
# Wine quotes an argument that holds a space, so the folder goes in as separate words. A UTF-8
# locale carries non-ASCII letters to Wine.
setup_into() {  # folder
    local words
    read -ra words <<<"/D=$1"
    LC_ALL=C.UTF-8 wine_run "$setup" /S "${words[@]}"
}

dir_win="C:\\Program Files\\$company\\Zentra!"
dir="$prefix/drive_c/Program Files/$company/Zentra!"
installed_files() { (cd "$dir" 2>/dev/null && LC_ALL=C ls -1 | paste -sd' '); }
shortcuts() {
    (cd "$prefix/drive_c" && find . -iname '*Zentra!*.lnk' | LC_ALL=C sort | paste -sd'|')
}
expected_shortcuts="./ProgramData/Microsoft/Windows/Start Menu/Programs/Zentra!/Zentra! Help.lnk|./ProgramData/Microsoft/Windows/Start Menu/Programs/Zentra!/Zentra!.lnk|./users/Public/Desktop/Zentra!.lnk"

# --- Install -------------------------------------------------------------------------------------
wine_run "$setup" /S
status=$?
expect_eq "silent install exits 0" 0 $status
((status == 0)) || exit 1
expect_eq "installed files in $dir_win" "Uninstall Zentra!.exe Zentra!.cnt Zentra!.dll Zentra!.exe Zentra!.hlp" \
    "$(installed_files)"
# The 64-bit program; the help library, help file and contents file of the 32-bit build.
same_files() {  # program_dir folder
    local name from before=$failures
    for name in Zentra!.exe Zentra!.dll Zentra!.hlp Zentra!.cnt; do
        from=$files32
        [[ $name == Zentra!.exe ]] && from=$1
        cmp -s "$from/$name" "$2/$name" || fail "installed $name differs from $from/$name"
    done
    ((failures == before)) && ok "installed: the program of $1, the rest of $files32"
}
same_files "$bin" "$dir"
expect_eq "shortcuts" "$expected_shortcuts" "$(shortcuts)"

entry=$(reg_values "$uninstall_key" | grep -v '^EstimatedSize=')
expected_entry="CreatedFolder=C:\\Program Files\\$company
DisplayIcon=$dir_win\\Zentra!.exe,0
DisplayName=Zentra!
DisplayVersion=$version
InstallLocation=$dir_win
NoModify=0x1
NoRepair=0x1
Publisher=$company
QuietUninstallString=\"$dir_win\\Uninstall Zentra!.exe\" /S
URLInfoAbout=$web
UninstallString=\"$dir_win\\Uninstall Zentra!.exe\""
expect_eq "uninstall entry" "$expected_entry" "$entry"
size_kb=$(($(reg_value "$uninstall_key" EstimatedSize)))
files_kb=$(($(du -sk --apparent-size "$dir" | cut -f1)))
if ((size_kb > 0 && size_kb >= files_kb - 8 && size_kb <= files_kb + 8)); then
    ok "EstimatedSize $size_kb KB"
else
    fail "EstimatedSize $size_kb KB, the folder holds $files_kb KB"
fi

# --- The installed program -----------------------------------------------------------------------
# The stored mode: "1" (linear) as the program writes it when the user switches.
wine_run reg add "$settings_key" /v Mode /d 1 /f >/dev/null 2>&1
probe() { wine_run "$bin/zentra-probe.exe" "$@"; }
window_up() { probe text Zentra.Grid; }
start_installed() {
    wine_run "$dir/Zentra!.exe" >>"$work/app.log" 2>&1 &
    app_pid=$!
    wait_for 60 window_up || fail "the installed program showed no window"
}
start_installed
# In the stored linear mode DDE digits, Clear and Enter act on the expression line.
wine_run "$bin/zentra-dde.exe" --quiet Clear 4 2 Enter >/dev/null
expect_eq "DDE executes acknowledged" 0 $?
line_is() { [[ $(probe text Edit | tr -d '\r') == "$1" ]]; }
if wait_for 10 line_is 42; then ok "the installed program runs in the stored mode"; else
    fail "installed program: line [$(probe text Edit)]"
fi

# --- Cancelled setup and uninstaller ------------------------------------------------------------
# The program is asked to close only when files are about to change: at the first page it still
# runs, and after Cancel too. The pages are driven by keys (Escape is Cancel; setup asks "Are you
# sure you want to quit", whose default button is Yes).
gui_window() { xdotool search --name "^Zentra! $version $1" 2>/dev/null | head -1; }
gui_windows_are() { [[ $(xdotool search --name "^Zentra! $version $1" 2>/dev/null | wc -l) == "$2" ]]; }
copies_running() { probe count Quorvel | tr -d '\r'; }
cancel_at_first_page() {  # label (Setup or Uninstall) then the command that shows the pages
    local page=$1 gui_pid window
    shift
    "$@" >>"$work/gui.log" 2>&1 &
    gui_pid=$!
    if ! wait_for 30 gui_window "$page"; then fail "no $page window"; return; fi
    expect_eq "the program runs while the first $page page shows" 1 "$(copies_running)"
    window=$(gui_window "$page")
    xdotool windowfocus "$window" key Escape
    if [[ $page == Setup ]] && wait_for 10 gui_windows_are Setup 2; then
        xdotool key Return
    fi
    wait_for 20 gui_windows_are "$page" 0 || fail "the $page window stays after Cancel"
    wait "$gui_pid"
    expect_eq "the program runs after $page was cancelled" "1 running" "$(copies_running) running"
}
cancel_at_first_page Setup wine_run "$setup"
# The installed uninstaller starts its copy in the temporary folder and returns at once.
cancel_at_first_page Uninstall wine_run "$dir/Uninstall Zentra!.exe"

# --- Upgrade over two running copies -------------------------------------------------------------
echo "user notes" >"$dir/notes.txt"
echo "stale" >"$dir/Zentra!.cnt"
app_gone && start_installed
app_pid2=$app_pid
start_installed
copies_are() { [[ $(copies_running) == "$1" ]]; }
check "two copies run" 30 copies_are 2
started=$(date +%s%N)
setup_into "$dir_win"
expect_eq "silent upgrade (both copies asked to close) exits 0" 0 $?
echo "the upgrade took $((($(date +%s%N) - started) / 1000000)) ms"
if wait_for 10 apps_gone; then ok "both copies were closed"; else fail "a copy still runs"; fi
expect_eq "files after the upgrade" \
    "Uninstall Zentra!.exe Zentra!.cnt Zentra!.dll Zentra!.exe Zentra!.hlp notes.txt" "$(installed_files)"
cmp -s "$files32/Zentra!.cnt" "$dir/Zentra!.cnt" && ok "the upgrade replaced the files" ||
    fail "the upgrade left the old Zentra!.cnt"
expect_eq "the stored mode survives the upgrade" 1 "$(reg_value "$settings_key" Mode)"
expect_eq "the upgrade (which made no folder) keeps the record of the folder setup made" \
    "C:\\Program Files\\$company" "$(reg_value "$uninstall_key" CreatedFolder)"
start_installed

# --- Uninstall -----------------------------------------------------------------------------------
wine_run reg add "$user_settings_key" /v Mode /d 0 /f >/dev/null 2>&1
quiet=$(reg_value "$uninstall_key" QuietUninstallString)
# The uninstaller copies itself to the temporary folder and returns at once: wait for its work.
# It closes the running program first.
wine_run "$dir/Uninstall Zentra!.exe" /S
# Its last step removes the user's settings key.
uninstalled() { [[ $(installed_files) == notes.txt ]] && key_absent "$user_settings_key"; }
wait_for 30 uninstalled
app_gone && ok "the uninstaller closed the program" || fail "the program still runs after uninstalling"
expect_eq "after uninstalling (${quiet:-no quiet command}), the user's file stays" notes.txt \
    "$(installed_files)"
expect_eq "shortcuts removed" "" "$(shortcuts)"
key_absent "$uninstall_key" && ok "uninstall entry removed" || fail "uninstall entry left"
key_absent "$settings_key" && ok "settings key removed" || fail "settings key left"
key_absent "$user_settings_key" && ok "user's settings key removed" || fail "user's settings key left"

# --- Folders setup made ----------------------------------------------------------------------------
# Each row: a folder that exists before, the folder to install into, a file the user adds after
# installing, and what is left of the first folder after uninstalling. Setup records the outermost
# folder it made; the uninstaller removes the folders up to it, each only when empty.
while IFS='|' read -r -u 3 before target user_file left; do
    [[ -n $before ]] && mkdir -p "$prefix/drive_c/$before"
    target_win='C:\'${target//\//\\}
    setup_into "$target_win"
    expect_eq "install into $target_win exits 0" 0 $?
    [[ -n $user_file ]] && echo "user's" >"$prefix/drive_c/$user_file"
    LC_ALL=C.UTF-8 wine_run "$prefix/drive_c/$target/Uninstall Zentra!.exe" /S
    wait_for 30 key_absent "$uninstall_key" || fail "uninstalling from $target_win did not finish"
    top=${target%%/*}
    expect_eq "left of C:\\$top after uninstalling from $target_win" "$left" \
        "$(cd "$prefix/drive_c" && find "$top" 2>/dev/null | LC_ALL=C sort | paste -sd,)"
    rm -rf "${prefix:?}/drive_c/$top"
done 3<<'ROWS'
Tools|Tools/Apps Ü/Zentra||Tools
|Apps Ü/Zentra|Apps Ü/notes.txt|Apps Ü,Apps Ü/notes.txt
ROWS

# --- From the 32-bit program to the 64-bit one ------------------------------------------------------
# Earlier releases installed the 32-bit program, also on 64-bit Windows: into the 32-bit Program
# Files, with its entry and settings in the registry's 32-bit view. The installer for every
# Windows, run over it, installs the 64-bit program in the 64-bit places, moves the stored mode
# there, and leaves one entry and no trace of the 32-bit copy.
if ! zentra_can_run_32bit; then
    echo "SKIPPED: the upgrade from the 32-bit program: its installers are 32-bit programs and" \
        "$(zentra_windows_test_reason)"
else
    # What the tests above left: the file the user added.
    rm -rf "${prefix:?}/drive_c/Program Files/$company"
    dir32_win="C:\\Program Files (x86)\\$company\\Zentra!"
    dir32="$prefix/drive_c/Program Files (x86)/$company/Zentra!"
    wine_run_32bit "$setup_32bit" /S
    expect_eq "the 32-bit program's silent install exits 0" 0 $?
    expect_eq "the 32-bit program's entry (32-bit view)" "$dir32_win" \
        "$(reg_value "$uninstall_key" InstallLocation /reg:32)"
    key_absent "$uninstall_key" /reg:64 && ok "no entry in the 64-bit view" ||
        fail "the 32-bit program's setup wrote an entry into the 64-bit view"
    expect_eq "the 32-bit program's file" "win32" "$(zentra_pe_arch "$dir32/Zentra!.exe")"
    # Linear, as the 32-bit program stores it.
    wine_run reg add "$settings_key" /v Mode /d 1 /f /reg:32 >/dev/null 2>&1

    started=$(date +%s%N)
    wine_run_32bit "$setup_any" /S
    expect_eq "the upgrade to the 64-bit program exits 0" 0 $?
    echo "the upgrade from the 32-bit program took $((($(date +%s%N) - started) / 1000000)) ms"
    expect_eq "installed files in $dir_win" "Uninstall Zentra!.exe Zentra!.cnt Zentra!.dll Zentra!.exe Zentra!.hlp" \
        "$(installed_files)"
    same_files "$bin" "$dir"
    expect_eq "the 32-bit copy's folders are gone" "" \
        "$(cd "$prefix/drive_c/Program Files (x86)" && find . -iname "*$company*")"
    expect_eq "one entry, in the 64-bit view" "$dir_win" "$(reg_value "$uninstall_key" InstallLocation)"
    key_absent "$uninstall_key" /reg:32 && ok "the 32-bit view's entry is gone" ||
        fail "the 32-bit program's entry is left"
    expect_eq "the stored mode moved to the 64-bit view" 1 "$(reg_value "$settings_key" Mode)"
    key_absent "$settings_key" /reg:32 && ok "the 32-bit view's settings are gone" ||
        fail "the 32-bit program's settings are left"
    expect_eq "shortcuts" "$expected_shortcuts" "$(shortcuts)"
    start_installed
    wine_run "$bin/zentra-dde.exe" --quiet Clear 4 2 Enter >/dev/null
    if wait_for 10 line_is 42; then ok "the 64-bit program runs in the stored mode"; else
        fail "upgraded program: line [$(probe text Edit)]"
    fi
    # The installer for every Windows is a 32-bit program, and so is the uninstaller it wrote.
    wine_run_32bit "$dir/Uninstall Zentra!.exe" /S
    wait_for 30 key_absent "$uninstall_key" || fail "uninstalling the 64-bit program did not finish"
    wait_for 10 app_gone || fail "the program still runs after uninstalling"
    key_absent "$settings_key" && ok "settings key removed" || fail "settings key left"
    expect_eq "nothing left in Program Files" "" \
        "$(cd "$prefix/drive_c" && find "Program Files" "Program Files (x86)" -iname "*$company*")"

    # On 32-bit Windows the same installer installs the 32-bit program.
    fresh_prefix win32 "$prefix32"
    in_prefix32() { ZENTRA_WINEPREFIX32=$prefix32 ZENTRA_WINE_ARCH=win32 wine_run "$@"; }
    in_prefix32 "$setup_any" /S
    expect_eq "on 32-bit Windows, silent install exits 0" 0 $?
    same_files "$files32" "$prefix32/drive_c/Program Files/$company/Zentra!"
    expect_eq "on 32-bit Windows, the entry" "$dir_win" "$(in_prefix32 reg query "$uninstall_key" /v InstallLocation 2>/dev/null |
        tr -d '\r' | sed -nE 's/^ +InstallLocation +REG_SZ +//p')"
fi

echo "$failures failures"
((failures == 0))
