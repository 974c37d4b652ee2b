#!/usr/bin/env bash
# Builds the program and runs it.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native

cli=build/native/bin/zentra-cli
echo "\$ zentra-cli factor 360 1000000 999966000289 999999999989 12.5"
"$cli" factor 360 1000000 999966000289 999999999989 12.5
echo "\$ zentra-cli lcm 9 4"
"$cli" lcm 9 4
echo "\$ zentra-cli gcd 12 18"
"$cli" gcd 12 18
echo "\$ zentra-cli product 549755813888 549755813888"
"$cli" product 549755813888 549755813888
echo "\$ zentra-cli cancel 12 18"
"$cli" cancel 12 18
