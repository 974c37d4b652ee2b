#!/usr/bin/env bash
# Builds the normaliser's libFuzzer target with clang (ASan + UBSan) and runs it. Not part of the
# CMake presets, so the normal build needs no clang.
#   input/fuzz/run.sh [SECONDS]      default 60; new inputs go to build/fuzz/corpus
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
seconds=${1:-60}
out="$root/build/fuzz"
mkdir -p "$out/corpus"

sources=(
    input/fuzz/NormalizeFuzzer.cpp input/ExpressionNormalizer.cpp input/BracketTable.cpp
    input/LinearLineEditor.cpp input/MemoryTextBox.cpp input/tests/ExactValue.cpp
    engine/ResultRendering.cpp common/LeadingNumber.cpp common/Fixed.cpp common/Decimal.cpp
    common/MemoryRichTextBox.cpp common/RtfRuns.cpp
)
(cd "$root" && clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=undefined -I"$root" "${sources[@]}" -o "$out/normalize-fuzzer")

# One worker and a small quarantine: the fuzzer shares the machine.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=32}
"$out/normalize-fuzzer" -max_total_time="$seconds" -max_len=512 -timeout=10 \
    -dict="$root/input/fuzz/expression.dict" -artifact_prefix="$out/" \
    "$out/corpus" "$root/input/fuzz/seeds"
