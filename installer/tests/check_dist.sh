#!/usr/bin/env bash
# Checks the installer and the archive from outside, executing no Windows code: the installer's
# PE header, the archive against the files makensis packed, and that the program, the help
# library, the installer and both file names carry the one version of the tree.
# Usage: check_dist.sh SETUP NSIS_LOG ZIP BIN_DIR ARCH(x86|amd64) VERSION(1.10.0) TEXT(1.10)
set -uo pipefail
setup=$1 log=$2 zip=$3 bin=$4 arch=$5 version=$6 text=$7
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }
expect_eq() {  # label expected actual
    if [[ "$2" == "$3" ]]; then ok "$1: $3"; else fail "$1: expected [$2], got [$3]"; fi
}
u16() { od -An -tu2 -j"$2" -N2 "$1" | tr -d ' '; }
u32() { od -An -tu4 -j"$2" -N4 "$1" | tr -d ' '; }

# The installer: a GUI program for the build's machine (i386 PE32, or x86-64 PE32+).
if [[ $arch == x86 ]]; then want="332 267 2"; else want="34404 523 2"; fi
if [[ -f $setup && $(head -c2 "$setup") == MZ ]]; then
    pe=$(u32 "$setup" 60)
    expect_eq "$(basename "$setup") machine/magic/subsystem" "$want" \
        "$(u16 "$setup" $((pe + 4))) $(u16 "$setup" $((pe + 24))) $(u16 "$setup" $((pe + 92)))"
else
    fail "$setup is missing or no Windows program"
fi

# What the installer packs (makensis logs each File) against what the archive holds; a plug-in
# setup itself calls ('File: "System.dll"->"$PLUGINSDIR\System.dll"') is not installed.
export LC_ALL=C
packed=$(sed -nE 's/^File: "([^"]+)" [0-9]+ bytes.*/\1/p' "$log" 2>/dev/null | sort | paste -sd' ')
expect_eq "installer packs" "Zentra!.cnt Zentra!.dll Zentra!.exe Zentra!.hlp" "$packed"
archived=$(unzip -Z1 "$zip" 2>/dev/null | sort | paste -sd' ')
expect_eq "archive holds the packed files and the read-me" \
    "$(printf '%s\n' $packed README.txt | sort | paste -sd' ')" "$archived"
for name in Zentra!.exe Zentra!.dll Zentra!.hlp Zentra!.cnt; do
    if unzip -p "$zip" "$name" 2>/dev/null | cmp -s - "$bin/$name"; then ok "archive's $name is the build's"
    else fail "archive's $name differs from $bin/$name"; fi
done

# One version: the fixed file version (major.minor.0.revision) and the FileVersion and
# ProductVersion strings of each file's version resource, and both file names. The help library
# alone keeps its own fixed version 1.0.0.0, with the release in its strings.
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
expect_eq "Zentra!.dll version" "$((1 << 16)) 0 $((1 << 16)) 0 $text $text" "$(version_of "$bin/Zentra!.dll")"
expect_eq "installer version" "$want_program" "$(version_of "$setup")"
case $arch in
    x86) names="Zentra-$text-setup.exe Zentra-$text-win32.zip" ;;
    *) names="Zentra-$text-win64-setup.exe Zentra-$text-win64.zip" ;;
esac
expect_eq "file names" "$names" "$(basename "$setup") $(basename "$zip")"
# The archive's read-me points to the installer of the same build.
if unzip -p "$zip" README.txt 2>/dev/null | grep -qF "$(basename "$setup")"; then
    ok "the read-me names $(basename "$setup")"
else
    fail "the read-me does not name $(basename "$setup")"
fi

echo "$failures failures"
((failures == 0))
