#!/usr/bin/env bash
# Checks the installers and archives from outside, executing no Windows code: their PE headers,
# each archive against the files its installer packs, which build of the program and help library
# each package holds, and that programs, help library, installers and file names carry the one
# version of the tree.
# Usage: check_dist.sh KIND(win32|win64) DIST_DIR BIN_DIR FILES32_DIR LOG_DIR VERSION(1.10.0) TEXT(1.10)
#   BIN_DIR: the build's program; FILES32_DIR: the 32-bit help library, help file and contents
#   file that every package holds (BIN_DIR itself in the win32 build); LOG_DIR: makensis's logs.
set -uo pipefail
kind=$1 dist=$2 bin=$3 files32=$4 logs=$5 version=$6 text=$7
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }
expect_eq() {  # label expected actual
    if [[ "$2" == "$3" ]]; then ok "$1: $3"; else fail "$1: expected [$2], got [$3]"; fi
}
u16() { od -An -tu2 -j"$2" -N2 "$1" | tr -d ' '; }
u32() { od -An -tu4 -j"$2" -N4 "$1" | tr -d ' '; }
export LC_ALL=C

# "machine magic subsystem" of a PE file: i386 PE32 is "332 267", x86-64 PE32+ "34404 523"; a
# GUI program's subsystem is 2.
pe_kind() {
    if [[ -f $1 && $(head -c2 "$1") == MZ ]]; then
        local pe
        pe=$(u32 "$1" 60)
        echo "$(u16 "$1" $((pe + 4))) $(u16 "$1" $((pe + 24))) $(u16 "$1" $((pe + 92)))"
    else
        echo "no Windows program"
    fi
}
i386="332 267" amd64="34404 523"

# What an installer packs, by the names it installs (makensis logs each File; a plug-in that
# setup itself calls, 'File: "System.dll"->"$PLUGINSDIR\System.dll"', is not installed).
packed() {
    sed -nE 's/^File: "[^"]+"->"([^"$]+)" [0-9]+ bytes.*/\1/p; s/^File: "([^"]+)" [0-9]+ bytes.*/\1/p' \
        "$1" 2>/dev/null | sort -u | paste -sd' '
}
four="Zentra!.cnt Zentra!.dll Zentra!.exe Zentra!.hlp"

# An archive: the four files and the read-me, the program PROGRAM_DIR's, the rest the 32-bit
# build's, and a read-me that names the installer.
check_zip() {  # zip program_dir program_kind
    local zip=$1 name
    name=$(basename "$zip")
    expect_eq "$name holds" "README.txt $four" "$(unzip -Z1 "$zip" 2>/dev/null | sort | paste -sd' ')"
    for file in Zentra!.exe Zentra!.dll Zentra!.hlp Zentra!.cnt; do
        local from=$files32
        [[ $file == Zentra!.exe ]] && from=$2
        if unzip -p "$zip" "$file" 2>/dev/null | cmp -s - "$from/$file"; then ok "$name: $file is $from's"
        else fail "$name: $file differs from $from/$file"; fi
    done
    local extracted
    extracted=$(mktemp -d)
    unzip -q -d "$extracted" "$zip" Zentra!.exe Zentra!.dll 2>/dev/null
    expect_eq "$name: the program's build" "$3 2" "$(pe_kind "$extracted/Zentra!.exe")"
    # The help viewer that loads the library is a 32-bit program, also on 64-bit Windows.
    expect_eq "$name: the help library is 32-bit" "$i386" "$(pe_kind "$extracted/Zentra!.dll" | cut -d' ' -f1-2)"
    rm -rf "$extracted"
    if unzip -p "$zip" README.txt 2>/dev/null | grep -qF "Zentra-$text-setup.exe"; then
        ok "$name: the read-me names Zentra-$text-setup.exe"
    else
        fail "$name: the read-me does not name Zentra-$text-setup.exe"
    fi
}

# One version: the fixed file version (major.minor.0.revision) and the FileVersion and
# ProductVersion strings of each file's version resource. The help library alone keeps its own
# fixed version 1.0.0.0, with the release in its strings.
IFS=. read -r major minor revision <<<"$version"
version_of() {  # FILE -> "FileMS FileLS ProductMS ProductLS FileVersion ProductVersion"
    local res fixed strings
    res=$(mktemp)
    wrestool -x --raw --type=16 "$1" >"$res" 2>/dev/null
    # VS_FIXEDFILEINFO follows its signature 0xFEEF04BD; after its structure version come the
    # file version and the product version, two dwords each.
    fixed=$(od -An -v -tx1 "$res" | tr -s ' \n' ' ' | grep -ob 'bd 04 ef fe' | head -1 | cut -d: -f1)
    if [[ -z $fixed ]]; then rm -f "$res"; echo "none"; return; fi
    fixed=$((fixed / 3 + 8))
    strings=$(iconv -f UTF-16LE -t UTF-8 -c "$res" | tr '\0' '\n' | grep -v '^$')
    echo "$(u32 "$res" "$fixed") $(u32 "$res" $((fixed + 4)))" \
        "$(u32 "$res" $((fixed + 8))) $(u32 "$res" $((fixed + 12)))" \
        "$(grep -A1 "FileVersion$" <<<"$strings" | tail -1)" \
        "$(grep -A1 "ProductVersion$" <<<"$strings" | tail -1)"
    rm -f "$res"
}
want_program="$(((major << 16) | minor)) $revision $(((major << 16) | minor)) $revision $text $text"
expect_eq "Zentra!.exe version" "$want_program" "$(version_of "$bin/Zentra!.exe")"
expect_eq "Zentra!.dll version" "$((1 << 16)) 0 $((1 << 16)) 0 $text $text" "$(version_of "$files32/Zentra!.dll")"

if [[ $kind == win32 ]]; then
    check_zip "$dist/Zentra-$text-win32.zip" "$bin" "$i386"
else
    expect_eq "dist holds" "Zentra-$text-setup.exe Zentra-$text-win64-setup.exe Zentra-$text-win64.zip" \
        "$(cd "$dist" && ls | paste -sd' ')"
    check_zip "$dist/Zentra-$text-win64.zip" "$bin" "$amd64"
    # Each installer: its own code, what it packs (the one for every Windows holds both
    # programs), its version.
    while read -r setup code; do
        expect_eq "$setup: a GUI program for $code" "${!code} 2" "$(pe_kind "$dist/$setup")"
        expect_eq "$setup packs" "$four" "$(packed "$logs/$setup.log")"
        expect_eq "$setup version" "$want_program" "$(version_of "$dist/$setup")"
    done <<ROWS
Zentra-$text-setup.exe i386
Zentra-$text-win64-setup.exe amd64
ROWS
    # The two programs by their sizes, as makensis logged them.
    programs=$(sed -nE 's/^File: "Zentra!.exe"->"Zentra!.exe" ([0-9]+) bytes.*/\1/p' \
        "$logs/Zentra-$text-setup.exe.log" | sort -n | paste -sd' ')
    expect_eq "Zentra-$text-setup.exe holds both programs" \
        "$(stat -c %s "$bin/Zentra!.exe" "$files32/Zentra!.exe" | sort -n | paste -sd' ')" "$programs"
fi

echo "$failures failures"
((failures == 0))
