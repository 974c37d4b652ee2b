#!/usr/bin/env bash
# Checks Zentra!.dll from outside: its resources (type, name, language, size) as wrestool lists
# them, and its export table (two names at ordinals 10 and 11, nothing else).
set -euo pipefail
dll=$1
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}

expected_resources="--type=2 --name=103 --language=1037 size=42728
--type=3 --name=1 --language=0 size=744
--type=3 --name=2 --language=0 size=296
--type=5 --name='ABOUT' --language=1037 size=424
--type=14 --name='ZENTRA' --language=0 size=34
--type=16 --name=1 --language=1037 size=968"
actual_resources=$(wrestool -l "$dll" | sed -E 's/ \[type=[a-z_]+ offset=0x[0-9a-f]+ (size=[0-9]+)\]/ \1/')
if [[ "$actual_resources" != "$expected_resources" ]]; then
    echo "resources differ:"
    diff <(echo "$expected_resources") <(echo "$actual_resources") || true
    exit 1
fi

# The bitmap: 168 x 248, 8 bits per pixel, uncompressed, 256 palette entries, 41,664 pixel bytes.
# (Extracted to a file first: a reader that stops early would make wrestool fail on SIGPIPE.)
bitmap=$(mktemp)
trap 'rm -f "$bitmap"' EXIT
wrestool -x --raw --type=2 --name=103 "$dll" >"$bitmap"
header=$(od -An -tu4 -N40 "$bitmap" | tr -s ' ' | xargs)
read -r size width height planes_bits compression image_size _ _ colours _ <<<"$header"
if [[ "$size $width $height $planes_bits $compression $image_size $colours" != "40 168 248 524289 0 41664 256" ]]; then
    echo "bitmap header: $header"
    exit 1
fi

# The icon group lists icon 1 as 32 x 32 and icon 2 as 16 x 16, both 16 colours.
group=$(wrestool -x --raw --type=14 --name=ZENTRA "$dll" | od -An -tu1 | tr -s ' ' | xargs)
if [[ "$group" != "0 0 1 0 2 0 32 32 16 0 1 0 4 0 232 2 0 0 1 0 16 16 16 0 1 0 4 0 40 1 0 0 2 0" ]]; then
    echo "icon group: $group"
    exit 1
fi

exports=$("$objdump" -p "$dll" | sed -n '/^Export Address Table -- Ordinal Base/,/^$/p;/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    grep -E '^\s+\[' | tr -s ' \t' ' ' | sed -E 's/ [0-9a-f]+ Export RVA//')
expected_exports=" [ 0] +base[ 10]
 [ 1] +base[ 11]
 [ 0] OpenTabDialog
 [ 1] OpenTabDialogProc"
if [[ "$exports" != "$expected_exports" ]]; then
    echo "exports differ:"
    diff <(echo "$expected_exports") <(echo "$exports") || true
    exit 1
fi
echo "resources and exports as expected"
