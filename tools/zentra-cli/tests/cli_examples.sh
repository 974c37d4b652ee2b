#!/usr/bin/env bash
# The command-line front end prints the engine's texts exactly.
set -u
cli=${ZENTRA_CLI:?ZENTRA_CLI must name the zentra-cli binary}
failures=0

expect() {  # expect NAME EXPECTED-OUTPUT COMMAND...
    local name=$1 expected=$2
    shift 2
    local actual
    actual=$("$@" 2>&1)
    if [[ "$actual" != "$expected" ]]; then
        printf 'FAIL %s\n  expected: %q\n  actual:   %q\n' "$name" "$expected" "$actual"
        failures=$((failures + 1))
    fi
}

expect "factor args" $'360\t= 2^3 * 3^2 * 5\n1\t\n12.5\t= 12.5' "$cli" factor 360 1 12.5
expect "factor stdin CRLF" $'999966000289\t= 999983^2\nx\t' \
    bash -c "printf '999966000289\r\nx' | '$cli' factor"
expect "lcm" "36 = 3^2 * 2^2" "$cli" lcm 9 4
expect "product" "36 = 2^2 * 3^2" "$cli" product 9 4
expect "gcd" "6 = 2 * 3" "$cli" gcd 12 18
expect "gcd none" "1" "$cli" gcd 12 18 35
expect "cancel" $'2\t= 2\n3\t= 3\n6 = 2 * 3' "$cli" cancel 12 18
expect "exact product" "302231454903657293676544 = 2^78" "$cli" product 549755813888 549755813888
expect "too large" "[Result too large] = 999999999959 * 999999999961 * 999999999989" \
    "$cli" product 999999999989 999999999959 999999999961
expect "rtf" '{\rtf1\ansi{\fonttbl{\f1\fswiss Arial;}}\plain\f1\ltrpar\ltrch{\fs18 36 = }{\fs18 2}{\fs14\up8 2}{\fs18  }{\fs18\up6 .}{\fs18  3}{\fs14\up8 2}{\fs18 }}' \
    "$cli" rtf "36 = 2^2 * 3^2"
expect "rtf empty" "" "$cli" rtf ""

expect "normalize" "2*3*4*5" "$cli" normalize "5!"
expect "normalize sample" "(1/(-(200+3*2))-1/(1/10)^1)/(1/(3/2^3)^1*(15/10)^3+1/(-1/3)^1)" \
    "$cli" normalize "(((-(+200+3*2))) ^ - 1 - (0.1)^(-1))/ ((3/2^3)^(-1)*(1.5)^3 + (-1/3)^(-1))"
expect "normalize empty" "" "$cli" normalize ""
expect "normalize fault" "Unpaired Brackets. at 6" "$cli" normalize "2*(3+4"
"$cli" normalize "1/0" >/dev/null 2>&1
[[ $? -eq 1 ]] || { echo "FAIL normalize fault must exit 1"; failures=$((failures + 1)); }
[[ -z $("$cli" normalize "1/0" 2>/dev/null) ]] || { echo "FAIL normalize fault on stdout"; failures=$((failures + 1)); }
"$cli" normalize >/dev/null 2>&1
[[ $? -eq 2 ]] || { echo "FAIL normalize without EXPR must exit 2"; failures=$((failures + 1)); }

"$cli" bogus >/dev/null 2>&1
[[ $? -eq 2 ]] || { echo "FAIL usage error must exit 2"; failures=$((failures + 1)); }
"$cli" --help | grep -q "zentra-cli factor" || { echo "FAIL --help"; failures=$((failures + 1)); }

# A million lines stream through in bounded memory and keep their order.
lines=$(seq 1 1000000 | "$cli" factor | tail -n 1)
[[ "$lines" == $'1000000\t= 2^6 * 5^6' ]] || { echo "FAIL million lines: $lines"; failures=$((failures + 1)); }

exit $((failures > 0))
