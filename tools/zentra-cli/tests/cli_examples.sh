#!/usr/bin/env bash
# The command-line front end prints the engine's texts exactly.
set -u
cli=${ZENTRA_CLI:?ZENTRA_CLI must name the zentra-cli binary}
failures=0
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT

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

expect "factor args" $'360\t= 2^3 * 3^2 * 5\n1\t\n0\t\n7\t= 7' "$cli" factor 360 1 0 " 007 "
expect "factor stdin CRLF, blanks" $'999966000289\t= 999983^2\n4\t= 2^2' \
    bash -c "printf '999966000289\r\n\n \t\n 4' | '$cli' factor"
expect "beyond 2^64" $'18446744073709551557\t= 18446744073709551557\n18446744073709551616\t= 2^64' \
    "$cli" factor 18446744073709551557 18446744073709551616
expect "2^128 + 1" $'340282366920938463463374607431768211457\t= 59649589127497217 * 5704689200685129054721' \
    "$cli" factor 340282366920938463463374607431768211457
expect "exact lcm" "70000000000000000000000 = 2^22 * 5^22 * 7" "$cli" lcm 10000000000000000000000 7 7
expect "exact cancel" $'500000000000\t= 2^11 * 5^12\n9\t= 3^2\n2' "$cli" cancel 1000000000000 18
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

# Refused inputs: a message names the input and why, the numbers around it are still answered
# and the exit code is 1. The digit and line limits are pinned from both sides.
many=$(printf '1%01000d' 0)  # 1001 digits
long=$(printf '%4096s7' '')   # 4097 characters
while IFS='|' read -r input message; do
    input=${input//MANY/$many}
    input=${input//LONG/$long}
    actual=$(printf '6\n%s\n10\n' "$input" | "$cli" factor 2>"$errors")
    code=$?
    if [[ $actual != $'6\t= 2 * 3\n10\t= 2 * 5' || $code -ne 1 || $(<"$errors") != "zentra-cli: $message" ]]; then
        printf 'FAIL refused %q: exit %s, stderr %q\n' "${input:0:40}" "$code" "$(<"$errors")"
        failures=$((failures + 1))
    fi
done <<'TABLE'
abc|"abc": not a decimal number
-12|"-12": a sign is not read: numbers are whole and 0 or more
 +5 |"+5": a sign is not read: numbers are whole and 0 or more
12.7|"12.7": not a whole number
1,5|"1,5": not a whole number
1e6|"1e6": an exponent is not read: write all the digits
2.5E+3|"2.5E+3": an exponent is not read: write all the digits
12 34|"12 34": a blank between digits: one number per line
0x1F|"0x1F": not a decimal number
&H1F|"&H1F": not a decimal number
１２|"１２": not a decimal number
MANY|"100000000000000000000000000000000000000000000000000000000000...": more than 1000 digits
LONG|"                                                            ...": longer than 4096 characters
TABLE
expect "1000 digits" "1$(printf '%019d' 0)" bash -c "'$cli' factor 000$(printf '1%0999d' 0) | cut -c1-20"
expect "4096 characters" $'7\t= 7' bash -c "printf '%4095s7' '' | '$cli' factor"
expect "empty argument" $'zentra-cli: "": empty\n4\t= 2^2' "$cli" factor "" 4
expect "lcm refuses alike" $'zentra-cli: "x": not a decimal number\n36 = 3^2 * 2^2' "$cli" lcm 9 x 4
"$cli" lcm 9 x 4 >/dev/null 2>&1
[[ $? -eq 1 ]] || { echo "FAIL lcm with a refused line must exit 1"; failures=$((failures + 1)); }

"$cli" bogus >/dev/null 2>&1
[[ $? -eq 2 ]] || { echo "FAIL usage error must exit 2"; failures=$((failures + 1)); }
"$cli" --help | grep -q "zentra-cli factor" || { echo "FAIL --help"; failures=$((failures + 1)); }

# A million lines stream through in bounded memory and keep their order.
lines=$(seq 1 1000000 | "$cli" factor | tail -n 1)
[[ "$lines" == $'1000000\t= 2^6 * 5^6' ]] || { echo "FAIL million lines: $lines"; failures=$((failures + 1)); }

exit $((failures > 0))
