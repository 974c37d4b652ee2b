#!/usr/bin/env bash
# Checks the Windows build's files from outside, without running them: the PE headers of the
# program and the help library, the program's prime table resource against the generated table,
# and the help file's signature. Runs on every machine (it executes no Windows code).
# Usage: check_binaries.sh BIN_DIR PRIME_TABLE_BIN EXPECTED_ARCH (win32 or win64)
set -uo pipefail
bin=$1
table=$2
arch=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

u16() { od -An -tu2 -j"$2" -N2 "$1" | tr -d ' '; }
u32() { od -An -tu4 -j"$2" -N4 "$1" | tr -d ' '; }

# FILE MACHINE MAGIC SUBSYSTEM DLL(0/1): the COFF machine, optional-header magic, subsystem and
# the DLL characteristic.
check_pe() {
    local file=$1 name pe machine magic subsystem dll
    name=$(basename "$file")
    if [[ ! -f $file ]]; then fail "$name is missing"; return; fi
    if [[ $(head -c2 "$file") != MZ ]]; then fail "$name: no MZ header"; return; fi
    pe=$(u32 "$file" 60)
    if [[ $(dd if="$file" bs=1 skip="$pe" count=4 2>/dev/null | od -An -tx1 | tr -d ' ') != 50450000 ]]; then
        fail "$name: no PE signature"; return
    fi
    machine=$(u16 "$file" $((pe + 4)))
    magic=$(u16 "$file" $((pe + 24)))
    subsystem=$(u16 "$file" $((pe + 24 + 68)))
    dll=$(( ($(u16 "$file" $((pe + 22))) & 0x2000) != 0 ))
    # A DLL's subsystem field is not used by the loader: only the program's is checked.
    [[ $5 == 1 ]] && subsystem=-
    local want="$2 $3 $4 $5" got="$machine $magic $subsystem $dll"
    if [[ $got == "$want" ]]; then ok "$name: machine $machine, magic $magic, subsystem $subsystem, dll $dll"
    else fail "$name: expected machine/magic/subsystem/dll [$want], got [$got]"; fi
}

if [[ $arch == win32 ]]; then
    # i386 (0x14c), PE32 (0x10b); the program a GUI program (2), the library a DLL.
    check_pe "$bin/Zentra!.exe" 332 267 2 0
    check_pe "$bin/Zentra!.dll" 332 267 - 1
else
    # The 64-bit build's help library is for its own tests: the packages ship the 32-bit one.
    check_pe "$bin/Zentra!.exe" 34404 523 2 0
    check_pe "$bin/Zentra!.dll" 34404 523 - 1
fi

# RCDATA 101, language 1037: exactly the generated 235,496-byte table.
listing=$(wrestool -l --type=10 --name=101 "$bin/Zentra!.exe" 2>&1)
if [[ $listing == *"--language=1037"*"size=235496"* ]]; then ok "RCDATA 101 (language 1037, 235,496 bytes)"
else fail "RCDATA 101: $listing"; fi
extracted=$(mktemp)
trap 'rm -f "$extracted"' EXIT
wrestool -x --raw --type=10 --name=101 "$bin/Zentra!.exe" >"$extracted"
if cmp -s "$extracted" "$table"; then ok "RCDATA 101 equals the generated prime table"
else fail "RCDATA 101 differs from $table"; fi

# The application manifest: one RT_MANIFEST resource, id 1 (the one the loader reads), that asks
# for the user's rights, names Vista to Windows 10/11 and declares per-monitor DPI awareness (v2
# first, the older forms after it). Whitespace is folded so the checks read one line.
manifests=$(wrestool -l --type=24 "$bin/Zentra!.exe" 2>/dev/null | grep -c -- '--type=24')
if [[ $manifests == 1 && $(wrestool -l --type=24 --name=1 "$bin/Zentra!.exe" 2>/dev/null) == *--name=1* ]]; then
    ok "one manifest, RT_MANIFEST 1"
else
    fail "manifest: expected one RT_MANIFEST with id 1, found $manifests: $(wrestool -l --type=24 "$bin/Zentra!.exe" 2>&1)"
fi
manifest=$(wrestool -x --raw --type=24 --name=1 "$bin/Zentra!.exe" 2>/dev/null | tr -s ' \t\r\n' ' ')
while IFS='|' read -r label text; do
    if [[ $manifest == *"$text"* ]]; then ok "manifest: $label"; else fail "manifest: no $label ($text)"; fi
done <<'ENTRIES'
XML declaration in UTF-8|<?xml version="1.0" encoding="UTF-8" standalone="yes"?> <
asInvoker|<requestedExecutionLevel level="asInvoker" uiAccess="false"/>
Windows Vista|<supportedOS Id="{e2011457-1546-43c5-a5fe-008deee3d3f0}"/>
Windows 7|<supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"/>
Windows 8|<supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"/>
Windows 8.1|<supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"/>
Windows 10 and 11|<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>
DPI awareness before Windows 10 1607 (per monitor, else system)|<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true/pm</dpiAware>
DPI awareness per monitor v2|<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2, PerMonitor</dpiAwareness>
long paths|<longPathAware xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">true</longPathAware>
settings inside the application element|<application xmlns="urn:schemas-microsoft-com:asm.v3"> <windowsSettings>
ENTRIES
# Balanced: every element that opens in the manifest closes (a cut or mistyped tag keeps the
# system from starting the program at all).
before=$failures
for tag in assembly trustInfo security requestedPrivileges compatibility application windowsSettings; do
    opened=$(grep -o "<${tag}[ >]" <<<"$manifest" | wc -l)
    closed=$(grep -o "</$tag>" <<<"$manifest" | wc -l)
    ((opened > 0 && opened == closed)) || fail "manifest: <$tag> opened $opened, closed $closed times"
done
((failures == before)) && ok "manifest: its elements close"

# The help file beside the program: a WinHelp file (magic 0x00035F3F) whose size field is its size.
hlp="$bin/Zentra!.hlp"
if [[ -f $hlp && $(u32 "$hlp" 0) == $((0x00035F3F)) && $(u32 "$hlp" 12) == $(stat -c %s "$hlp") ]]; then
    ok "Zentra!.hlp is a WinHelp file of $(stat -c %s "$hlp") bytes"
else
    fail "Zentra!.hlp is missing or not a WinHelp file"
fi
[[ -f "$bin/Zentra!.cnt" ]] && ok "Zentra!.cnt present" || fail "Zentra!.cnt is missing"

echo "$failures failures"
((failures == 0))
