#!/usr/bin/env bash
# Times `zentra-cli factor` against coreutils `factor` on the same inputs, in one run (inputs:
# bench/make_inputs.py, fixed seeds). Before any time counts, both answers are compared line by
# line as prime multisets; where coreutils does not finish within LIMIT seconds, our answers are
# checked independently instead (product of the primes, each prime tested).
# Prints per set the best of RUNS runs (one run for the slow sets), the ratio zentra-cli / factor
# (below 1 is faster) and the target; exits 1 when an answer is wrong or a target is missed.
# Usage: bench/factor-vs-coreutils.sh [SET...]   (RUNS=7, LIMIT=120; sets as in make_inputs.py)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cli=${ZENTRA_CLI:-$root/build/native/bin/zentra-cli}
runs=${RUNS:-7}
limit=${LIMIT:-120}
if [[ ! -x "$cli" ]]; then
    cmake --preset native >/dev/null && cmake --build --preset native --target zentra-cli >/dev/null
fi

# name | label | target: "ratio R" (at most R times coreutils) or "each S" (every line in S seconds)
sets=(
    "primes|100,000 largest primes < 10^12|ratio 0.5"
    "random|100,000 random 12-digit numbers|ratio 0.5"
    "wide|20,000 random 19-20-digit numbers|ratio 0.5"
    "primes64|10,000 largest primes < 2^64|ratio 0.5"
    "semi30|10 balanced 30-digit semiprimes|each 10"
    "semi40|5 balanced 40-digit semiprimes|each 10"
    "fermat7|2^128 + 1|each 1"
)
wanted=" $* "

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
names=()
for entry in "${sets[@]}"; do
    name=${entry%%|*}
    if [[ $# -eq 0 || $wanted == *" $name "* ]]; then names+=("$name"); fi
done
python3 "$root/bench/make_inputs.py" "$work" "${names[@]}"

seconds() { awk -v ns="$1" 'BEGIN { printf "%.4f", ns / 1e9 }'; }

best_of() {  # best_of COUNT INPUT COMMAND... -> best wall time in nanoseconds
    local count=$1 input=$2 best="" start end
    shift 2
    for ((i = 0; i < count; i++)); do
        start=$(date +%s%N)
        "$@" <"$input" >/dev/null
        end=$(date +%s%N)
        if [[ -z "$best" || $((end - start)) -lt $best ]]; then best=$((end - start)); fi
    done
    echo "$best"
}

slowest_line() {  # slowest_line INPUT -> the longest time one line takes alone, in nanoseconds
    local worst=0 start end line
    while IFS= read -r line; do
        start=$(date +%s%N)
        "$cli" factor "$line" >/dev/null
        end=$(date +%s%N)
        ((end - start > worst)) && worst=$((end - start))
    done <"$1"
    echo "$worst"
}

# Our lines in coreutils' form: "360: 2 2 2 3 3 5".
as_coreutils() {
    awk -F'\t' '{ out = $1 ":"; n = split(substr($2, 3), f, " [*] ");
                  for (i = 1; i <= n; i++) { k = split(f[i], pe, "^"); e = (k > 1) ? pe[2] : 1;
                      for (j = 0; j < e; j++) out = out " " pe[1] } print out }'
}

verify_alone() {  # verify_alone OURS-IN-COREUTILS-FORM: product and primality, in Python
    python3 - "$1" <<'EOF'
import random, sys
def probable_prime(n):
    if n < 2: return False
    small = (2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41)
    if n in small: return True
    if any(n % p == 0 for p in small): return False
    d, s = n - 1, 0
    while d % 2 == 0: d //= 2; s += 1
    rng = random.Random(n)
    for a in small + tuple(rng.randrange(2, n - 1) for _ in range(20)):
        x = pow(a, d, n)
        if x in (1, n - 1): continue
        for _ in range(s - 1):
            x = x * x % n
            if x == n - 1: break
        else: return False
    return True
for line in open(sys.argv[1]):
    n, primes = line.split(":")
    product = 1
    for p in primes.split():
        assert probable_prime(int(p)), f"{p} is not prime ({n})"
        product *= int(p)
    assert product == int(n), f"product differs for {n}"
EOF
}

printf '%-36s %11s %11s %8s  %s\n' "input" "zentra-cli" "factor" "ratio" "target"
status=0
for entry in "${sets[@]}"; do
    IFS='|' read -r name label target <<<"$entry"
    [[ " ${names[*]} " == *" $name "* ]] || continue
    input=$work/$name.txt
    "$cli" factor <"$input" | as_coreutils >"$work/ours.txt"
    count=$runs
    [[ $target == each* ]] && count=1
    start=$(date +%s%N)
    if timeout "$limit" factor <"$input" >"$work/theirs.txt"; then
        end=$(date +%s%N)
        theirs=$((end - start))
        if ! cmp -s "$work/ours.txt" "$work/theirs.txt"; then
            echo "$label: answers differ from coreutils" >&2
            diff "$work/ours.txt" "$work/theirs.txt" | head -4 >&2
            exit 1
        fi
        ((count > 1)) && theirs=$(best_of "$count" "$input" factor)
        theirs_text="$(seconds "$theirs")s"
    else
        verify_alone "$work/ours.txt" || { echo "$label: wrong answers" >&2; exit 1; }
        theirs=""
        theirs_text=">${limit}s"
    fi
    ours=$(best_of "$count" "$input" "$cli" factor)
    if [[ -n $theirs ]]; then
        ratio=$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.3f", a / b }')
    else
        ratio=$(awk -v a="$ours" -v b="$limit" 'BEGIN { printf "<%.4f", a / 1e9 / b }')
    fi
    read -r kind bound <<<"$target"
    if [[ $kind == ratio ]]; then
        met=$(awk -v r="${ratio#<}" -v b="$bound" 'BEGIN { print (r <= b) ? "met" : "MISSED" }')
        goal="<= ${bound} x factor"
    else
        worst=$ours
        [[ $(wc -l <"$input") -gt 1 ]] && worst=$(slowest_line "$input")
        met=$(awk -v w="$worst" -v b="$bound" 'BEGIN { print (w / 1e9 < b) ? "met" : "MISSED" }')
        goal="each < ${bound}s (slowest $(seconds "$worst")s)"
    fi
    [[ $met == met ]] || status=1
    printf '%-36s %10ss %11s %8s  %s: %s\n' "$label" "$(seconds "$ours")" "$theirs_text" "$ratio" \
        "$goal" "$met"
done
exit $status
