#include "ExactResults.h"

#include <algorithm>
#include <map>

namespace zentra::cli {
namespace {

// Merges all lines into one list, combining the exponents of equal primes; primes stand in the
// order of first appearance.
template <typename Combine>
BigFactors Merge(const std::vector<BigFactors>& lines, Combine combine) {
    BigFactors merged;
    std::map<mpz_class, std::size_t> slotOf;
    for (const BigFactors& line : lines) {
        for (const BigPower& power : line) {
            const auto [slot, added] = slotOf.try_emplace(power.prime, merged.size());
            if (added) merged.push_back({power.prime, 0});
            auto& exponent = merged[slot->second].exponent;
            exponent = combine(exponent, power.exponent);
        }
    }
    return merged;
}

unsigned long ExponentIn(const BigFactors& line, const mpz_class& prime) {
    const auto it =
        std::lower_bound(line.begin(), line.end(), prime,
                         [](const BigPower& power, const mpz_class& p) { return power.prime < p; });
    return it != line.end() && it->prime == prime ? it->exponent : 0;
}

}  // namespace

BigFactors Lcm(const std::vector<BigFactors>& lines) {
    return Merge(lines, [](unsigned long a, unsigned long b) { return std::max(a, b); });
}

BigFactors Product(const std::vector<BigFactors>& lines) {
    BigFactors list = Merge(lines, [](unsigned long a, unsigned long b) { return a + b; });
    std::sort(list.begin(), list.end(),
              [](const BigPower& a, const BigPower& b) { return a.prime < b.prime; });
    return list;
}

BigFactors Gcd(const std::vector<BigFactors>& lines) {
    BigFactors list;
    if (lines.empty()) return list;
    // Only the primes of the line with the fewest can be common to all.
    const auto ref = std::min_element(
        lines.begin(), lines.end(),
        [](const BigFactors& a, const BigFactors& b) { return a.size() < b.size(); });
    for (const BigPower& candidate : *ref) {
        unsigned long exponent = candidate.exponent;
        for (const BigFactors& line : lines) {
            if (exponent == 0) break;
            exponent = std::min(exponent, ExponentIn(line, candidate.prime));
        }
        if (exponent > 0) list.push_back({candidate.prime, exponent});
    }
    return list;
}

BigFactors Divide(const BigFactors& line, const BigFactors& gcd) {
    BigFactors quotient;
    for (const BigPower& power : line) {
        const unsigned long exponent = power.exponent - ExponentIn(gcd, power.prime);
        if (exponent > 0) quotient.push_back({power.prime, exponent});
    }
    return quotient;
}

mpz_class Value(const BigFactors& powers) {
    mpz_class value = 1, power;
    for (const BigPower& p : powers) {
        mpz_pow_ui(power.get_mpz_t(), p.prime.get_mpz_t(), p.exponent);
        value *= power;
    }
    return value;
}

std::string ResultText(const BigFactors& powers) {
    std::string value = Value(powers).get_str();
    if (powers.empty() || (powers.size() == 1 && powers[0].exponent == 1)) return value;
    return value + " = " + FactorText(powers);
}

}  // namespace zentra::cli
