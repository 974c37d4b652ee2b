// Prime factorization of one value: the trial-division step over the prime table, and the fast
// factorizer that gives the same lists in a fraction of the time.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/numbers/Fixed.h"
#include "engine/Limits.h"
#include "engine/PrimeTable.h"

namespace zentra {

struct PrimePower {
    Fixed base;
    Fixed exponent;
    bool operator==(const PrimePower&) const = default;
};

// One number's factorization: bases strictly ascending, exponents >= 1.
struct FactorList {
    int count = 0;
    std::array<PrimePower, kMaxBases> slots{};

    void Append(Fixed base, Fixed exponent) {
        slots[static_cast<std::size_t>(count++)] = {base, exponent};
    }
    bool operator==(const FactorList&) const = default;
};

// The trial-division step: the smallest prime factor of `remainder` goes to `factor` and is divided
// out. factor = 0 for a remainder below 2; the remainder itself (and remainder = 1) when no table
// prime up to its square root divides it. Also the reference the fast path is tested against.
void SmallestFactor(const PrimeTable& primes, double& remainder, Fixed& factor);

// Factorization by repeated SmallestFactor (slow; for tests and as the definition).
FactorList FactorizeByTrialDivision(const PrimeTable& primes, Fixed value);

class Factorizer {
  public:
    explicit Factorizer(const PrimeTable& primes);

    // 0, 1 and negative values: empty. A value with a fractional part: itself with exponent 1.
    // Whole values: their complete factorization (trial division by the small table primes, then
    // Miller-Rabin and Pollard-Brent for what remains).
    FactorList Factorize(Fixed value) const;

  private:
    void SplitInto(std::uint64_t n, std::vector<std::uint64_t>& primes) const;

    struct SmallPrime {
        std::uint64_t prime;
        std::uint64_t inverse;  // prime^-1 mod 2^64
        std::uint64_t limit;    // (2^64 - 1) / prime: n * inverse <= limit iff prime divides n
    };
    std::vector<SmallPrime> smallPrimes_;
    std::uint64_t trialBoundSquared_ = 0;
};

// "2^3 * 3^2 * 5": powers in list order joined by " * ", exponents shown above 1.
std::string FactorText(std::span<const PrimePower> powers);
std::string FactorText(const FactorList& list);

// Exposed for tests. Exact for every n below 2^52 (the modular products use a double quotient);
// values of the fixed-point range stay below 2^50.
bool IsProbablePrime(std::uint64_t n);

}  // namespace zentra
