// LCM, GCD, product and cancellation over lines of any size, with exact values: the same lists
// and texts as the window's operations, whose values end at 29 digits.
#pragma once

#include <string>
#include <vector>

#include "LineFactoring.h"

namespace zentra::cli {

// The larger exponent of every prime, primes in the order of first appearance.
BigFactors Lcm(const std::vector<BigFactors>& lines);
// The exponents added, primes ascending.
BigFactors Product(const std::vector<BigFactors>& lines);
// The smallest exponent of every prime that all lines share (none when a line has no prime).
BigFactors Gcd(const std::vector<BigFactors>& lines);
// The line divided by the GCD (which divides it).
BigFactors Divide(const BigFactors& line, const BigFactors& gcd);

mpz_class Value(const BigFactors& powers);
// "value = factor text", or the value alone for no prime or one prime to the first power.
std::string ResultText(const BigFactors& powers);

}  // namespace zentra::cli
