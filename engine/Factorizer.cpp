#include "engine/Factorizer.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <span>

namespace zentra {
namespace {

// Modular arithmetic for moduli below 2^52 without a 128-bit type: the quotient of a * b / m is
// estimated in double precision (multiplying by a precomputed 1/m, which is much cheaper than a
// division), is off by at most a couple of units, and the remainder is corrected in exact integer
// arithmetic, where a * b - q * m wraps around to its true small value.
class Modulus {
  public:
    explicit Modulus(std::uint64_t m) : m_(m), inverse_(1.0 / static_cast<double>(AsSigned(m))) {}

    std::uint64_t Value() const { return m_; }

    std::uint64_t Mul(std::uint64_t a, std::uint64_t b) const {
        if (m_ <= 0xFFFFFFFFu) return a * b % m_;
        const double estimate =
            static_cast<double>(AsSigned(a)) * static_cast<double>(AsSigned(b)) * inverse_;
        const auto q = static_cast<std::uint64_t>(static_cast<std::int64_t>(estimate));
        auto r = static_cast<std::int64_t>(a * b - q * m_);
        const auto m = AsSigned(m_);
        while (r < 0) r += m;
        while (r >= m) r -= m;
        return static_cast<std::uint64_t>(r);
    }

    std::uint64_t Pow(std::uint64_t base, std::uint64_t exponent) const {
        std::uint64_t result = 1;
        base %= m_;
        while (exponent > 0) {
            if (exponent & 1) result = Mul(result, base);
            base = Mul(base, base);
            exponent >>= 1;
        }
        return result;
    }

  private:
    static std::int64_t AsSigned(std::uint64_t v) { return static_cast<std::int64_t>(v); }

    std::uint64_t m_;
    double inverse_;
};

bool StrongProbablePrime(const Modulus& n, std::uint64_t base, std::uint64_t d, int s) {
    const std::uint64_t minusOne = n.Value() - 1;
    std::uint64_t x = n.Pow(base, d);
    if (x == 1 || x == minusOne) return true;
    for (int i = 1; i < s; ++i) {
        x = n.Mul(x, x);
        if (x == minusOne) return true;
    }
    return false;
}

// One nontrivial divisor of the odd composite n (Brent's cycle finding with batched gcds).
std::uint64_t PollardBrent(std::uint64_t n) {
    const Modulus modulus(n);
    for (std::uint64_t c = 1;; ++c) {
        std::uint64_t y = 2, x = 2, ys = 2, q = 1, g = 1;
        const std::uint64_t batch = 64;
        auto f = [&](std::uint64_t v) {
            const std::uint64_t next = modulus.Mul(v, v) + c;
            return next >= n ? next - n : next;
        };
        for (std::uint64_t r = 1; g == 1; r <<= 1) {
            x = y;
            for (std::uint64_t i = 0; i < r; ++i) y = f(y);
            for (std::uint64_t k = 0; k < r && g == 1; k += batch) {
                ys = y;
                const std::uint64_t steps = std::min(batch, r - k);
                for (std::uint64_t i = 0; i < steps; ++i) {
                    y = f(y);
                    q = modulus.Mul(q, x > y ? x - y : y - x);
                }
                g = std::gcd(q, n);
            }
        }
        if (g == n) {
            // The batch overshot: step one at a time from its start.
            do {
                ys = f(ys);
                g = std::gcd(x > ys ? x - ys : ys - x, n);
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
    // Deterministic base sets: each decides primality for every n below its bound.
    static constexpr std::uint64_t kSmallBases[] = {2, 7, 61};             // n < 4,759,123,141
    static constexpr std::uint64_t kMediumBases[] = {2, 13, 23, 1662803};  // n < 1,122,004,669,633
    std::span<const std::uint64_t> bases(kBases);
    if (n < 4759123141ULL) {
        bases = kSmallBases;
    } else if (n < 1122004669633ULL) {
        bases = kMediumBases;
    }
    const Modulus modulus(n);
    for (const std::uint64_t base : bases) {
        if (base % n == 0) continue;
        if (!StrongProbablePrime(modulus, base, d, s)) return false;
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

std::string FactorText(std::span<const PrimePower> powers) {
    std::string text;
    for (const PrimePower& power : powers) {
        if (!text.empty()) text += " * ";
        text += power.base.ToString();
        if (power.exponent > Fixed::FromWhole(1)) text += '^' + power.exponent.ToString();
    }
    return text;
}

std::string FactorText(const FactorList& list) {
    return FactorText(
        std::span<const PrimePower>(list.slots.data(), static_cast<std::size_t>(list.count)));
}

}  // namespace zentra
