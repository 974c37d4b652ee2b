#include "WordFactoring.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>

namespace zentra::cli {
namespace {

constexpr Word kWordMax = std::numeric_limits<Word>::max();
constexpr DoubleWord kDoubleWordMax = ~DoubleWord{0};

// Trial division runs over the odd primes below this bound; a remainder below its square with no
// such factor is prime.
constexpr Word kTrialBound = 1024;

// p divides n exactly when n times p's inverse (wrapping) is at most max / p: one multiplication
// instead of a division. The one-word and two-word forms are kept apart so that the one-word loop
// reads only what it needs.
struct TrialPrimes {
    std::vector<Word> prime, inverse, limit;
    std::vector<DoubleWord> inverse2, limit2;

    TrialPrimes() {
        std::vector<bool> composite(kTrialBound, false);
        for (Word p = 3; p < kTrialBound; p += 2) {
            if (composite[p]) continue;
            for (Word k = p * p; k < kTrialBound; k += 2 * p) composite[k] = true;
            DoubleWord inv = p;  // Newton's iteration doubles the correct low bits each step
            for (int i = 0; i < 6; ++i) inv *= 2 - p * inv;
            prime.push_back(p);
            inverse.push_back(static_cast<Word>(inv));
            limit.push_back(kWordMax / p);
            inverse2.push_back(inv);
            limit2.push_back(kDoubleWordMax / p);
        }
    }
};
const TrialPrimes kTrial;

int TrailingZeros(Word a) {
    return std::countr_zero(a);
}
int TrailingZeros(DoubleWord a) {
    const auto low = static_cast<Word>(a);
    return low != 0 ? std::countr_zero(low) : 64 + std::countr_zero(static_cast<Word>(a >> 64));
}

// Binary gcd for odd b, written so that the compiler can choose without branching.
template <typename T>
T Gcd(T a, T b) {
    if (a == 0) return b;
    a >>= TrailingZeros(a);
    while (a != b) {
        const T difference = a > b ? a - b : b - a;
        b = a < b ? a : b;
        a = difference >> TrailingZeros(difference);
    }
    return a;
}

// Below this the walks of Pollard-Brent may skip the last correction of each product.
constexpr Word kLazyLimit = (Word{1} << 62) - (Word{1} << 33);

// Montgomery arithmetic modulo an odd n below 2^64, R = 2^64.
class Montgomery64 {
  public:
    explicit Montgomery64(Word n) : n_(n) {
        Word inv = n;
        for (int i = 0; i < 5; ++i) inv *= 2 - n * inv;
        inverse_ = inv;
        one_ = (0 - n) % n;
        r2_ = static_cast<Word>(static_cast<DoubleWord>(one_) * one_ % n);
    }
    Word N() const { return n_; }
    Word One() const { return one_; }
    Word MinusOne() const { return n_ - one_; }
    Word To(Word a) const { return Mul(a % n_, r2_); }
    Word Mul(Word a, Word b) const {
        const DoubleWord t = static_cast<DoubleWord>(a) * b;
        const Word m = static_cast<Word>(t) * inverse_;
        const auto mh = static_cast<Word>((static_cast<DoubleWord>(m) * n_) >> 64);
        const auto th = static_cast<Word>(t >> 64);
        return th >= mh ? th - mh : th - mh + n_;
    }
    Word Add(Word a, Word b) const { return a >= n_ - b ? a - (n_ - b) : a + b; }
    // The product without its final correction, in (0, 2n): for a and b below 2n + 2^32 and n
    // below kLazyLimit, a congruent stand-in that saves the comparison on the critical path.
    Word MulLazy(Word a, Word b) const {
        const DoubleWord t = static_cast<DoubleWord>(a) * b;
        const Word m = static_cast<Word>(t) * inverse_;
        const auto mh = static_cast<Word>((static_cast<DoubleWord>(m) * n_) >> 64);
        return static_cast<Word>(t >> 64) - mh + n_;
    }
    Word SquareLazy(Word a) const { return MulLazy(a, a); }
    Word Pow(Word base, Word exponent) const {
        Word result = one_;
        for (; exponent != 0; exponent >>= 1) {
            if (exponent & 1) result = Mul(result, base);
            base = Mul(base, base);
        }
        return result;
    }

  private:
    Word n_, inverse_, one_, r2_;
};

// The full 256-bit product of two 128-bit numbers.
void MulFull(DoubleWord a, DoubleWord b, DoubleWord& hi, DoubleWord& lo) {
    const auto a0 = static_cast<Word>(a), a1 = static_cast<Word>(a >> 64);
    const auto b0 = static_cast<Word>(b), b1 = static_cast<Word>(b >> 64);
    const DoubleWord p00 = static_cast<DoubleWord>(a0) * b0;
    const DoubleWord p01 = static_cast<DoubleWord>(a0) * b1;
    const DoubleWord p10 = static_cast<DoubleWord>(a1) * b0;
    const DoubleWord p11 = static_cast<DoubleWord>(a1) * b1;
    const DoubleWord mid = (p00 >> 64) + static_cast<Word>(p01) + static_cast<Word>(p10);
    lo = (mid << 64) | static_cast<Word>(p00);
    hi = p11 + (p01 >> 64) + (p10 >> 64) + (mid >> 64);
}

// The square of a 128-bit number: one multiplication less than MulFull.
void SquareFull(DoubleWord a, DoubleWord& hi, DoubleWord& lo) {
    const auto a0 = static_cast<Word>(a), a1 = static_cast<Word>(a >> 64);
    const DoubleWord p00 = static_cast<DoubleWord>(a0) * a0;
    const DoubleWord p01 = static_cast<DoubleWord>(a0) * a1;
    const DoubleWord p11 = static_cast<DoubleWord>(a1) * a1;
    const DoubleWord mid = (p00 >> 64) + 2 * static_cast<DoubleWord>(static_cast<Word>(p01));
    lo = (mid << 64) | static_cast<Word>(p00);
    hi = p11 + 2 * (p01 >> 64) + (mid >> 64);
}

// Montgomery arithmetic modulo an odd n below 2^128, R = 2^128.
class Montgomery128 {
  public:
    explicit Montgomery128(DoubleWord n) : n_(n) {
        DoubleWord inv = n;
        for (int i = 0; i < 6; ++i) inv *= 2 - n * inv;
        inverse_ = inv;
        one_ = (0 - n) % n;
        r2_ = one_;
        for (int i = 0; i < 128; ++i) r2_ = Add(r2_, r2_);
    }
    DoubleWord N() const { return n_; }
    DoubleWord One() const { return one_; }
    DoubleWord MinusOne() const { return n_ - one_; }
    DoubleWord To(DoubleWord a) const { return Mul(a % n_, r2_); }
    DoubleWord Mul(DoubleWord a, DoubleWord b) const {
        DoubleWord hi, lo, mh, ml;
        MulFull(a, b, hi, lo);
        MulFull(lo * inverse_, n_, mh, ml);
        return hi >= mh ? hi - mh : hi - mh + n_;
    }
    DoubleWord Add(DoubleWord a, DoubleWord b) const { return a >= n_ - b ? a - (n_ - b) : a + b; }
    // As Montgomery64::MulLazy, for n below 2^126.
    DoubleWord MulLazy(DoubleWord a, DoubleWord b) const {
        DoubleWord hi, lo;
        MulFull(a, b, hi, lo);
        return ReduceLazy(hi, lo);
    }
    DoubleWord SquareLazy(DoubleWord a) const {
        DoubleWord hi, lo;
        SquareFull(a, hi, lo);
        return ReduceLazy(hi, lo);
    }
    DoubleWord Pow(DoubleWord base, DoubleWord exponent) const {
        DoubleWord result = one_;
        for (; exponent != 0; exponent >>= 1) {
            if (exponent & 1) result = Mul(result, base);
            base = Mul(base, base);
        }
        return result;
    }

  private:
    DoubleWord ReduceLazy(DoubleWord hi, DoubleWord lo) const {
        DoubleWord mh, ml;
        MulFull(lo * inverse_, n_, mh, ml);
        return hi - mh + n_;
    }

    DoubleWord n_, inverse_, one_, r2_;
};

// Miller-Rabin for all bases at once: the powers share one walk over the exponent's bits, so
// that their independent multiplications overlap in the processor instead of waiting on each
// other. A base that n divides says nothing and passes.
template <typename Mont, typename T, std::size_t K>
bool StrongProbablePrime(const Mont& m, const std::array<Word, K>& bases) {
    const T n = m.N();
    T d = n - 1;
    int s = 0;
    while ((d & 1) == 0) {
        d >>= 1;
        ++s;
    }
    std::array<T, K> base, x;
    for (std::size_t i = 0; i < K; ++i) {
        base[i] = bases[i] % n == 0 ? m.One() : m.To(bases[i]);
        x[i] = base[i];
    }
    int bit = 0;
    while ((d >> bit) > 1) ++bit;
    for (--bit; bit >= 0; --bit) {
        for (std::size_t i = 0; i < K; ++i) x[i] = m.Mul(x[i], x[i]);
        if ((d >> bit) & 1) {
            for (std::size_t i = 0; i < K; ++i) x[i] = m.Mul(x[i], base[i]);
        }
    }
    for (T y : x) {
        bool passes = y == m.One() || y == m.MinusOne();
        for (int i = 1; i < s && !passes && y != m.One(); ++i) {
            y = m.Mul(y, y);
            passes = y == m.MinusOne();
        }
        if (!passes) return false;
    }
    return true;
}

// n odd, above kTrialBound^2 and without a prime factor below kTrialBound. Each base set
// decides primality for every n below its bound.
bool IsPrimeAfterTrial(Word n) {
    static constexpr std::array<Word, 3> kBases32 = {2, 7, 61};            // n < 4,759,123,141
    static constexpr std::array<Word, 4> kBases40 = {2, 13, 23, 1662803};  // n < 1,122,004,669,633
    static constexpr std::array<Word, 7> kBases64 = {2,      325,     9375,      28178,  // all n
                                                     450775, 9780504, 1795265022};
    const Montgomery64 m(n);
    if (n < 4759123141ULL) return StrongProbablePrime<Montgomery64, Word>(m, kBases32);
    if (n < 1122004669633ULL) return StrongProbablePrime<Montgomery64, Word>(m, kBases40);
    return StrongProbablePrime<Montgomery64, Word>(m, kBases64);
}

bool IsPrimeAfterTrial(DoubleWord n) {
    if (n <= kWordMax) return IsPrimeAfterTrial(static_cast<Word>(n));
    // Base 2 alone first: it turns away nearly every composite, and thirteen bases side by side
    // would cost the two-word multiplications' throughput, not just one chain's wait.
    static constexpr std::array<Word, 1> kFirst = {2};
    static constexpr std::array<Word, 12> kRest = {3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41};
    const Montgomery128 m(n);
    return StrongProbablePrime<Montgomery128, DoubleWord>(m, kFirst) &&
           StrongProbablePrime<Montgomery128, DoubleWord>(m, kRest);
}

// One nontrivial divisor of the odd composite n: Brent's cycle finding on x^2 + c, with the
// differences multiplied together and one gcd per batch. Lazy: the walk keeps its values below
// 2n + c instead of n, which shortens each step.
template <bool Lazy, typename Mont, typename T>
T PollardBrent(T n) {
    const Mont m(n);
    constexpr T kBatch = 128;
    auto mul = [&m](T a, T b) {
        if constexpr (Lazy) return m.MulLazy(a, b);
        return m.Mul(a, b);
    };
    for (T c = 1;; ++c) {
        T y = 2, x = 2, ys = 2, q = m.One(), g = 1;
        auto f = [&](T v) {
            if constexpr (Lazy) return m.SquareLazy(v) + c;
            return m.Add(mul(v, v), c);
        };
        auto distance = [](T a, T b) { return a > b ? a - b : b - a; };
        for (T r = 1; g == 1; r <<= 1) {
            x = y;
            for (T i = 0; i < r; ++i) y = f(y);
            for (T k = 0; k < r && g == 1; k += kBatch) {
                ys = y;
                const T steps = std::min(kBatch, r - k);
                for (T i = 0; i < steps; ++i) {
                    y = f(y);
                    q = mul(q, distance(x, y));
                }
                g = Gcd(q, n);
            }
        }
        if (g == n) {
            // The batch overshot: step one at a time from its start.
            do {
                ys = f(ys);
                g = Gcd(distance(x, ys), n);
            } while (g == 1);
        }
        if (g != n) return g;
    }
}

void SplitAfterTrial(Word n, std::vector<DoubleWord>& primes) {
    if (n == 1) return;
    if (n < kTrialBound * kTrialBound || IsPrimeAfterTrial(n)) {
        primes.push_back(n);
        return;
    }
    const Word d =
        n < kLazyLimit ? PollardBrent<true, Montgomery64>(n) : PollardBrent<false, Montgomery64>(n);
    SplitAfterTrial(d, primes);
    SplitAfterTrial(n / d, primes);
}

void SplitAfterTrial(DoubleWord n, std::vector<DoubleWord>& primes) {
    if (n <= kWordMax) return SplitAfterTrial(static_cast<Word>(n), primes);
    if (IsPrimeAfterTrial(n)) {
        primes.push_back(n);
        return;
    }
    const DoubleWord d = PollardBrent<true, Montgomery128>(n);
    SplitAfterTrial(d, primes);
    SplitAfterTrial(n / d, primes);
}

template <typename T>
T StripTwos(T n, std::vector<DoubleWord>& primes) {
    while ((n & 1) == 0) {
        n >>= 1;
        primes.push_back(2);
    }
    return n;
}

}  // namespace

void FactorWord(Word n, std::vector<DoubleWord>& primes) {
    if (n < 2) return;
    n = StripTwos(n, primes);
    const std::size_t count = kTrial.prime.size();
    for (std::size_t i = 0; i < count; ++i) {
        const Word p = kTrial.prime[i];
        if (p * p > n) break;
        while (n * kTrial.inverse[i] <= kTrial.limit[i]) {
            n *= kTrial.inverse[i];  // exact division
            primes.push_back(p);
        }
    }
    SplitAfterTrial(n, primes);
}

void FactorDoubleWord(DoubleWord n, std::vector<DoubleWord>& primes) {
    if (n <= kWordMax) return FactorWord(static_cast<Word>(n), primes);
    n = StripTwos(n, primes);
    const std::size_t count = kTrial.prime.size();
    for (std::size_t i = 0; i < count && n > kWordMax; ++i) {
        while (n * kTrial.inverse2[i] <= kTrial.limit2[i]) {
            n *= kTrial.inverse2[i];
            primes.push_back(kTrial.prime[i]);
        }
    }
    if (n <= kWordMax) return FactorWord(static_cast<Word>(n), primes);
    SplitAfterTrial(n, primes);
}

}  // namespace zentra::cli
