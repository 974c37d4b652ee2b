#!/usr/bin/env bash
# Builds one of the libFuzzer targets with clang (ASan + UBSan) and runs it on one worker.
# Not part of the CMake presets, so the normal build needs no clang.
#   scripts/fuzz.sh TARGET [SECONDS] [libFuzzer options...]     default 60 seconds
#   scripts/fuzz.sh list
# New inputs go to build/fuzz/TARGET/corpus, findings (crash-*, leak-*, timeout-*) to
# build/fuzz/TARGET/; the committed seeds stay small.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# Each target is its fuzzer file (and test helpers) on top of the whole portable core, so that no
# list of core sources has to follow the code; the prime table comes from the native build.
declare -A sources seeds dicts
sources[normalize]="input/fuzz/NormalizeFuzzer.cpp input/tests/ExactValue.cpp"
seeds[normalize]=input/fuzz/seeds
dicts[normalize]=input/fuzz/expression.dict
sources[leading-number]="common/fuzz/LeadingNumberFuzzer.cpp"
seeds[leading-number]=common/fuzz/seeds
sources[property-store]="controls/fuzz/PropertyStoreFuzzer.cpp"
seeds[property-store]=controls/fuzz/seeds
sources[clipboard-script]="window/fuzz/ClipboardScriptFuzzer.cpp"
seeds[clipboard-script]=window/fuzz/seeds
sources[window]="window/fuzz/WindowFuzzer.cpp"
seeds[window]=window/fuzz/seeds-window
sources[stored-mode]="window/fuzz/StoredModeFuzzer.cpp"
seeds[stored-mode]=window/fuzz/seeds-mode
core=(common/*.cpp engine/*.cpp input/*.cpp window/*.cpp controls/*.cpp
      resources/PrimeTableBytesEmbedded.cpp build/native/resources/prime_table_data.cpp)

if [[ ${1:-} == list || -z ${1:-} ]]; then
    printf '%s\n' "${!sources[@]}" | sort
    [[ -n ${1:-} ]] && exit 0
    echo "usage: scripts/fuzz.sh TARGET [SECONDS] [libFuzzer options...]" >&2
    exit 2
fi
target=$1
seconds=${2:-60}
shift $(($# >= 2 ? 2 : 1))
if [[ -z ${sources[$target]:-} ]]; then
    echo "fuzz: no target '$target' (scripts/fuzz.sh list)" >&2
    exit 2
fi

if [[ ! -f build/native/resources/prime_table_data.cpp ]]; then
    cmake --preset native >/dev/null
    cmake --build --preset native --target prime_table_files
fi

out=$root/build/fuzz/$target
mkdir -p "$out/corpus"
# shellcheck disable=SC2086
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root" ${sources[$target]} "${core[@]}" -o "$out/fuzzer"

options=(-max_total_time="$seconds" -max_len=4096 -timeout=10 -artifact_prefix="$out/")
[[ -n ${dicts[$target]:-} ]] && options+=(-dict="$root/${dicts[$target]}")
# One worker and a small quarantine: the fuzzer shares the machine.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=32}
exec "$out/fuzzer" "${options[@]}" "$@" "$out/corpus" "$root/${seeds[$target]}"
