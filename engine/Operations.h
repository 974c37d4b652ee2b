// The five operations over the numbers of the display's lines: every line's factorization, and
// the LCM, GCD, product and cancellation that combine the lines. Values in; factor tables, result
// lists, values and texts out.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/numbers/Decimal.h"
#include "common/numbers/Fixed.h"
#include "engine/FactorTable.h"
#include "engine/Factorizer.h"

namespace zentra {

enum OperationIndex : int {
    kFactorization = 0,
    kLcm = 1,
    kGcd = 2,
    kCancellation = 3,
    kProduct = 4,
};

// A line's number as the operations read it; nullopt for a line whose number lies outside the
// fixed-point range (it has no factorization rather than a wrong one).
using LineValue = std::optional<Fixed>;

// Every line's factorization, in line order.
FactorTable FactorizeLines(const Factorizer& factorizer, std::span<const LineValue> values);

// A line's factorization as its display line shows it beside the number: "= 2^2 * 3", or "" for
// a line without factors.
std::string LineFactorText(std::span<const PrimePower> powers);

// What LCM, GCD and product give: the combined (base, exponent) list, its exact value (nullopt
// once it left the decimal range) and the linear text "value = factor text".
struct CombinedResult {
    std::vector<PrimePower> list;
    std::optional<Decimal> value;
    std::string text;
};

// The larger exponent of every prime, primes in the order of first appearance.
CombinedResult Lcm(const FactorTable& factors);
// The smallest exponent of every prime that all lines share.
CombinedResult Gcd(const FactorTable& factors);
// The sum of the exponents of every prime, primes ascending.
CombinedResult Product(const FactorTable& factors);

// The cancellation's new numbers: every value divided by the GCD's value. Empty when there is
// nothing to cancel (a GCD of 1, or one too large to hold); nullopt for a line that keeps its
// number (no value, or a quotient outside the decimal range).
std::vector<std::optional<Decimal>> CancelLines(std::span<const LineValue> values,
                                                const CombinedResult& gcd);

// Slot of `base` in the line's list, 0 for a base of 0, or -1.
int FindFactor(const FactorTable& factors, std::size_t line, Fixed base);

}  // namespace zentra
