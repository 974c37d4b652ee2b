#!/usr/bin/env bash
# The normaliser's fuzzer: scripts/fuzz.sh normalize [SECONDS] (kept for muscle memory).
exec "$(dirname "${BASH_SOURCE[0]}")/../../scripts/fuzz.sh" normalize "${1:-60}" -max_len=512
