#include "engine/Factorizer.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace zentra {
namespace {

// a * b mod m for m < 2^51 without a 128-bit type: the quotient estimated in double precision is
// off by at most a few units, and the remainder is corrected in exact integer arithmetic.
std::uint64_t MulMod(std::uint64_t a, std::uint64_t b, std::uint64_t m) {
    if (m <= 0xFFFFFFFFu) return a * b % m;
    const auto q = static_cast<std::uint64_t>(static_cast<double>(a) * static_cast<double>(b) /
                                              static_cast<double>(m));
    auto r = static_cast<std::int64_t>(a * b - q * m);
    const auto sm = static_cast<std::int64_t>(m);
    while (r < 0) r += sm;
    while (r >= sm) r -= sm;
    return static_cast<std::uint64_t>(r);
}

std::uint64_t PowMod(std::uint64_t base, std::uint64_t exponent, std::uint64_t m) {
    std::uint64_t result = 1;
    base %= m;
    while (exponent > 0) {
        if (exponent & 1) result = MulMod(result, base, m);
        base = MulMod(base, base, m);
        exponent >>= 1;
    }
    return result;
}

bool StrongProbablePrime(std::uint64_t n, std::uint64_t base, std::uint64_t d, int s) {
    std::uint64_t x = PowMod(base, d, n);
    if (x == 1 || x == n - 1) return true;
    for (int i = 1; i < s; ++i) {
        x = MulMod(x, x, n);
        if (x == n - 1) return true;
    }
    return false;
}

std::uint64_t Gcd(std::uint64_t a, std::uint64_t b) { return std::gcd(a, b); }

// One nontrivial divisor of the odd composite n (Brent's cycle finding with batched gcds).
std::uint64_t PollardBrent(std::uint64_t n) {
    for (std::uint64_t c = 1;; ++c) {
        std::uint64_t y = 2, x = 2, ys = 2, q = 1, g = 1;
        const std::uint64_t batch = 64;
        auto f = [&](std::uint64_t v) { return (MulMod(v, v, n) + c) % n; };
        for (std::uint64_t r = 1; g == 1; r <<= 1) {
            x = y;
            for (std::uint64_t i = 0; i < r; ++i) y = f(y);
            for (std::uint64_t k = 0; k < r && g == 1; k += batch) {
                ys = y;
                const std::uint64_t steps = std::min(batch, r - k);
                for (std::uint64_t i = 0; i < steps; ++i) {
                    y = f(y);
                    q = MulMod(q, x > y ? x - y : y - x, n);
                }
                g = Gcd(q, n);
            }
        }
        if (g == n) {
            // The batch overshot: step one at a time from its start.
            do {
                ys = f(ys);
                g = Gcd(x > ys ? x - ys : ys - x, n);
            } while (g == 1);
        }
        if (g != n) return g;
    }
}

}  // namespace

bool IsProbablePrime(std::uint64_t n) {
    if (n < 2) return false;
    static constexpr std::uint64_t kBases[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
    for (std::uint64_t p : kBases) {
        if (n % p == 0) return n == p;
    }
    std::uint64_t d = n - 1;
    int s = 0;
    while ((d & 1) == 0) {
        d >>= 1;
        ++s;
    }
    // These bases decide primality for every n below 3.3 * 10^24; fewer suffice for small n.
    const int bases = n < 3474749660383ULL ? 6 : (n < 341550071728321ULL ? 7 : 12);
    for (int i = 0; i < bases; ++i) {
        if (!StrongProbablePrime(n, kBases[i], d, s)) return false;
    }
    return true;
}

void SmallestFactor(const PrimeTable& primes, double& remainder, Fixed& factor) {
    factor = Fixed();
    if (remainder < 2) return;
    for (const std::int32_t prime : primes.Primes()) {
        const auto p = static_cast<double>(prime);
        const double quotient = remainder / p;
        if (quotient < p) break;
        if (std::trunc(quotient) * p == remainder) {
            factor = Fixed::FromWhole(prime);
            remainder = quotient;
            return;
        }
    }
    // No table prime up to the square root divides it (or the table ran out): it is the factor.
    factor = Fixed::FromDouble(remainder).value_or(Fixed());
    remainder = 1;
}

FactorList FactorizeByTrialDivision(const PrimeTable& primes, Fixed value) {
    FactorList list;
    double remainder = value.ToDouble();
    while (remainder > 1) {
        Fixed p;
        SmallestFactor(primes, remainder, p);
        if (p <= Fixed()) {
            // A value between 1 and 2 with a fractional part: no prime divides it.
            list.Append(Fixed::FromDouble(remainder).value_or(Fixed()), Fixed::FromWhole(1));
            break;
        }
        if (list.count > 0 && list.slots[static_cast<std::size_t>(list.count - 1)].base == p) {
            auto& exponent = list.slots[static_cast<std::size_t>(list.count - 1)].exponent;
            exponent = Fixed::FromRaw(exponent.Raw() + Fixed::kScale);
        } else {
            list.Append(p, Fixed::FromWhole(1));
        }
    }
    return list;
}

Factorizer::Factorizer(const PrimeTable& primes) {
    // Trial division by the odd primes below 1024; what survives is 1, a prime, or a product of
    // primes above 1024 that Miller-Rabin and Pollard-Brent take apart.
    for (const std::int32_t prime : primes.Primes()) {
        if (prime >= 1024) break;
        if (prime == 2) continue;
        const auto p = static_cast<std::uint64_t>(prime);
        std::uint64_t inverse = p;  // Newton's iteration doubles the correct low bits each step
        for (int i = 0; i < 5; ++i) inverse *= 2 - p * inverse;
        smallPrimes_.push_back({p, inverse, UINT64_MAX / p});
    }
    const std::uint64_t bound = smallPrimes_.empty() ? 2 : smallPrimes_.back().prime + 1;
    trialBoundSquared_ = bound * bound;
}

void Factorizer::SplitInto(std::uint64_t n, std::vector<std::uint64_t>& primes) const {
    if (n == 1) return;
    if (n < trialBoundSquared_ || IsProbablePrime(n)) {
        primes.push_back(n);
        return;
    }
    const std::uint64_t d = PollardBrent(n);
    SplitInto(d, primes);
    SplitInto(n / d, primes);
}

FactorList Factorizer::Factorize(Fixed value) const {
    FactorList list;
    if (value <= Fixed::FromWhole(1)) return list;
    if (!value.IsWhole()) {
        list.Append(value, Fixed::FromWhole(1));
        return list;
    }
    auto n = static_cast<std::uint64_t>(value.WholePart());
    auto appendPower = [&list](std::uint64_t prime, std::int64_t exponent) {
        list.Append(Fixed::FromWhole(static_cast<std::int64_t>(prime)), Fixed::FromWhole(exponent));
    };
    int twos = 0;
    while ((n & 1) == 0) {
        n >>= 1;
        ++twos;
    }
    if (twos > 0) appendPower(2, twos);
    for (const auto& sp : smallPrimes_) {
        if (sp.prime * sp.prime > n) break;
        int exponent = 0;
        while (n * sp.inverse <= sp.limit) {
            n *= sp.inverse;  // exact division
            ++exponent;
        }
        if (exponent > 0) appendPower(sp.prime, exponent);
    }
    std::vector<std::uint64_t> large;
    SplitInto(n, large);
    std::sort(large.begin(), large.end());
    for (std::size_t i = 0; i < large.size();) {
        std::size_t j = i;
        while (j < large.size() && large[j] == large[i]) ++j;
        appendPower(large[i], static_cast<std::int64_t>(j - i));
        i = j;
    }
    return list;
}

std::string FactorText(const FactorList& list) {
    std::string text;
    for (int i = 0; i < list.count; ++i) {
        const auto& slot = list.slots[static_cast<std::size_t>(i)];
        if (!text.empty()) text += " * ";
        text += slot.base.ToString();
        if (slot.exponent > Fixed::FromWhole(1)) text += '^' + slot.exponent.ToString();
    }
    return text;
}

}  // namespace zentra
