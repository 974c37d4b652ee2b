#include "BigFactoring.h"

#include <ecm.h>

namespace zentra::cli {
namespace {

// Trial division by the primes below this bound before the probable-prime test and the curves.
constexpr unsigned long kTrialBound = 1 << 14;

// Curves per smoothness bound B1, each level aimed at factors about 5 digits larger than the last
// (the usual schedule for stage-1 bounds): small factors come out first and cheaply.
struct CurveLevel {
    double b1;
    int curves;
};
constexpr CurveLevel kLevels[] = {{2e3, 25},     {11e3, 90},    {5e4, 300},    {25e4, 700},
                                  {1e6, 1800},   {3e6, 5100},   {11e6, 10600}, {43e6, 19300},
                                  {11e7, 49000}, {26e7, 124000}};

class Factors {
  public:
    Factors(std::vector<DoubleWord>& words, std::vector<mpz_class>& bigs)
        : words_(words), bigs_(bigs) {}

    void AddPrime(const mpz_class& p, unsigned long times) {
        for (unsigned long i = 0; i < times; ++i) {
            if (mpz_sizeinbase(p.get_mpz_t(), 2) <= 128) {
                words_.push_back(ToDoubleWord(p));
            } else {
                bigs_.push_back(p);
            }
        }
    }

    // n has no prime factor below kTrialBound; every prime found goes in `times` times.
    void Split(const mpz_class& n, unsigned long times) {
        if (n == 1) return;
        if (n < FromDoubleWord(kDoubleWordLimit)) {
            std::vector<DoubleWord> primes;
            FactorDoubleWord(ToDoubleWord(n), primes);
            for (const DoubleWord p : primes) AddPrime(FromDoubleWord(p), times);
            return;
        }
        // GMP's test is Baillie-PSW plus Miller-Rabin rounds: no composite is known to pass it.
        if (mpz_probab_prime_p(n.get_mpz_t(), 25) != 0) {
            AddPrime(n, times);
            return;
        }
        if (SplitPower(n, times)) return;
        const mpz_class d = Divisor(n);
        Split(d, times);
        Split(n / d, times);
    }

  private:
    // A perfect power root^k: its root's primes, each k times as often (the curves would find
    // only the root's own powers).
    bool SplitPower(const mpz_class& n, unsigned long times) {
        if (mpz_perfect_power_p(n.get_mpz_t()) == 0) return false;
        mpz_class root;
        const auto bits = mpz_sizeinbase(n.get_mpz_t(), 2);
        for (unsigned long k = 2; k <= bits; ++k) {
            if (mpz_root(root.get_mpz_t(), n.get_mpz_t(), k) != 0) {
                Split(root, times * k);
                return true;
            }
        }
        return false;
    }

    // A nontrivial divisor of the composite n, which is no perfect power. Each curve is given
    // its parameter (the next of 2, 3, 4, ...): GMP-ECM would otherwise draw it from the clock,
    // and a number would take a different time on every run.
    mpz_class Divisor(mpz_class n) {  // a copy: the curves take it as writable
        mpz_class f;
        auto tryCurve = [&](double b1) {
            ecm_params params;
            ecm_init(params);
            params->param = ECM_PARAM_BATCH_SQUARE;
            mpz_set_ui(params->sigma, ++sigma_);
            const int found = ecm_factor(f.get_mpz_t(), n.get_mpz_t(), b1, params);
            ecm_clear(params);
            return found > 0 && f > 1 && f < n;
        };
        for (const CurveLevel& level : kLevels) {
            for (int curve = 0; curve < level.curves; ++curve) {
                if (tryCurve(level.b1)) return f;
            }
        }
        // Beyond the schedule: more curves at its largest bound.
        while (!tryCurve(kLevels[std::size(kLevels) - 1].b1)) {
        }
        return f;
    }

    std::vector<DoubleWord>& words_;
    std::vector<mpz_class>& bigs_;
    unsigned long sigma_ = 1;
};

}  // namespace

DoubleWord ToDoubleWord(const mpz_class& n) {
    const mpz_class high = n >> 64;
    const mpz_class low = n - (high << 64);
    return (static_cast<DoubleWord>(mpz_get_ui(high.get_mpz_t())) << 64) |
           mpz_get_ui(low.get_mpz_t());
}

mpz_class FromDoubleWord(DoubleWord n) {
    mpz_class high = static_cast<unsigned long>(n >> 64);
    return (high << 64) + static_cast<unsigned long>(n);
}

void FactorBig(mpz_class n, std::vector<DoubleWord>& words, std::vector<mpz_class>& bigs) {
    if (n < FromDoubleWord(kDoubleWordLimit)) return FactorDoubleWord(ToDoubleWord(n), words);
    Factors factors(words, bigs);
    const auto twos = mpz_scan1(n.get_mpz_t(), 0);
    n >>= twos;
    words.insert(words.end(), twos, 2);
    for (unsigned long p = 3; p < kTrialBound; p += 2) {
        while (mpz_divisible_ui_p(n.get_mpz_t(), p) != 0) {
            mpz_divexact_ui(n.get_mpz_t(), n.get_mpz_t(), p);
            words.push_back(p);
        }
    }
    factors.Split(n, 1);
}

}  // namespace zentra::cli
