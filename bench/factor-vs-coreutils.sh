#!/usr/bin/env bash
# Times `zentra-cli factor` against coreutils `factor` on the same inputs, in one run.
# Prints the best of several runs per tool and the ratio (zentra-cli / factor; below 1 is faster).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cli=${ZENTRA_CLI:-$root/build/native/bin/zentra-cli}
runs=${RUNS:-7}
if [[ ! -x "$cli" ]]; then
    cmake --preset native >/dev/null && cmake --build --preset native --target zentra-cli >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/bench/make_inputs.py" "$work"

best_of() {  # best_of INPUT COMMAND... -> best wall time in seconds
    local input=$1 best="" t
    shift
    for ((i = 0; i < runs; i++)); do
        local start end
        start=$(date +%s%N)
        "$@" <"$input" >/dev/null
        end=$(date +%s%N)
        t=$((end - start))
        if [[ -z "$best" || $t -lt $best ]]; then best=$t; fi
    done
    awk -v ns="$best" 'BEGIN { printf "%.4f", ns / 1e9 }'
}

# Both tools must agree on every factorization before their speed means anything.
check_same() {
    local input=$1
    diff <("$cli" factor <"$input" | awk -F'\t' '{ gsub(/= /, "", $2); print $1 ": " $2 }' |
               awk '{ out = $1; for (i = 2; i <= NF; i++) { if ($i == "*") continue;
                      n = split($i, pe, "^"); e = (n > 1) ? pe[2] : 1;
                      for (k = 0; k < e; k++) out = out " " pe[1] } print out }') \
         <(factor <"$input") >/dev/null || { echo "results differ on $input" >&2; exit 1; }
}

printf '%-34s %10s %10s %7s\n' "input" "zentra-cli" "factor" "ratio"
status=0
for name in primes random; do
    input=$work/$name.txt
    check_same "$input"
    ours=$(best_of "$input" "$cli" factor)
    theirs=$(best_of "$input" factor)
    ratio=$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.3f", a / b }')
    label=$([[ $name == primes ]] && echo "2,340 largest primes < 10^12" || echo "100,000 random 12-digit numbers")
    printf '%-34s %9ss %9ss %7s\n' "$label" "$ours" "$theirs" "$ratio"
    awk -v r="$ratio" 'BEGIN { exit !(r > 1.0) }' && status=1
done
exit $status
