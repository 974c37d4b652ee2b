#include <gtest/gtest.h>

#include <random>

#include "engine/Factorizer.h"
#include "engine/tests/EngineFixture.h"

namespace zentra {
namespace {

Fixed Whole(std::int64_t v) {
    return Fixed::FromWhole(v);
}

TEST(Factorizer, GivesTheDocumentedTexts) {
    struct Case {
        std::int64_t value;
        const char* text;
        int count;
    };
    const Case cases[] = {
        {0, "", 0},
        {1, "", 0},
        {-12, "", 0},
        {2, "2", 1},
        {4, "2^2", 1},
        {360, "2^3 * 3^2 * 5", 3},
        {1000000, "2^6 * 5^6", 2},
        {999966000289, "999983^2", 1},
        {999999999989, "999999999989", 1},
        {549755813888, "2^39", 1},
        {200560490130, "2 * 3 * 5 * 7 * 11 * 13 * 17 * 19 * 23 * 29 * 31", 11},
        {999999999999, "3^3 * 7 * 11 * 13 * 37 * 101 * 9901", 7},
        {999983LL * 999979, "999979 * 999983", 2},
        {1000003LL * 999983, "999983 * 1000003", 2},
    };
    const Factorizer factorizer(TestPrimes());
    for (const auto& c : cases) {
        const FactorList list = factorizer.Factorize(Whole(c.value));
        EXPECT_EQ(FactorText(list), c.text) << c.value;
        EXPECT_EQ(list.count, c.count) << c.value;
        EXPECT_EQ(list, FactorizeByTrialDivision(TestPrimes(), Whole(c.value))) << c.value;
    }
}

TEST(Factorizer, AFractionalValueIsItsOwnOnlyFactor) {
    const Factorizer factorizer(TestPrimes());
    for (const char* text : {"12.5", "1.5", "0.5", "99999999.9999"}) {
        const Fixed value = *Fixed::FromDouble(std::stod(text));
        const FactorList fast = factorizer.Factorize(value);
        EXPECT_EQ(fast, FactorizeByTrialDivision(TestPrimes(), value)) << text;
        if (value.ToDouble() > 1) {
            ASSERT_EQ(fast.count, 1) << text;
            EXPECT_EQ(fast.slots[0].base, value);
            EXPECT_EQ(FactorText(fast), text);
        } else {
            EXPECT_EQ(fast.count, 0) << text;
        }
    }
}

TEST(SmallestFactor, StopsAtTheSquareRootAndRunsPastTheTable) {
    struct Case {
        double remainder;
        std::int64_t factor;
        double rest;
    };
    const Case cases[] = {
        {1, 0, 1},
        {0, 0, 0},
        {2, 2, 1},
        {9, 3, 3},
        {97, 97, 1},
        {999966000289.0, 999983, 999983},
        {999999999989.0, 999999999989, 1},
    };
    for (const auto& c : cases) {
        double remainder = c.remainder;
        Fixed factor = Whole(42);
        SmallestFactor(TestPrimes(), remainder, factor);
        EXPECT_EQ(factor, Whole(c.factor)) << c.remainder;
        EXPECT_EQ(remainder, c.rest) << c.remainder;
    }
}

// The fast path must give exactly the lists of trial division, for every kind of number.
TEST(Factorizer, AgreesWithTrialDivisionOnManyNumbers) {
    const Factorizer factorizer(TestPrimes());
    std::mt19937_64 random(20261207);
    std::vector<std::int64_t> values;
    for (std::int64_t v = 0; v < 3000; ++v) values.push_back(v);
    std::uniform_int_distribution<std::int64_t> twelveDigits(100000000000, 999999999999);
    for (int i = 0; i < 1500; ++i) values.push_back(twelveDigits(random));
    // Semiprimes of two large table primes and squares of primes: the hard cases for Pollard-Brent.
    const auto primes = TestPrimes().Primes();
    std::uniform_int_distribution<std::size_t> bigPrime(60000, primes.size() - 1);
    for (int i = 0; i < 300; ++i) {
        const std::int64_t p = primes[bigPrime(random)];
        const std::int64_t q = primes[bigPrime(random)];
        values.push_back(p * q);
        values.push_back(p * p);
    }
    for (std::int64_t v : values) {
        ASSERT_EQ(factorizer.Factorize(Whole(v)), FactorizeByTrialDivision(TestPrimes(), Whole(v)))
            << v;
    }
}

TEST(Factorizer, HandlesValuesAboveTheNumberLimit) {
    // Beyond 10^12 the program still gives a true factorization (pasted or computed values).
    const Factorizer factorizer(TestPrimes());
    struct Case {
        std::int64_t value;
        const char* text;
    };
    const Case cases[] = {
        {1000000000000, "2^12 * 5^12"},
        {1000003LL * 1000033, "1000003 * 1000033"},
        {562949953421312, "2^49"},
        {922337203685477, "2803 * 181201 * 1815959"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FactorText(factorizer.Factorize(Whole(c.value))), c.text) << c.value;
    }
}

TEST(MillerRabin, KnowsStrongPseudoprimesAndPrimes) {
    struct Case {
        std::uint64_t n;
        bool prime;
    };
    const Case cases[] = {
        {0, false},
        {1, false},
        {2, true},
        {3, true},
        {4, false},
        {2047, false},
        {3215031751, false},
        {2152302898747, false},
        {3474749660383, false},
        {341550071728321, false},
        {999999999989, true},
        {1000000000039, true},
        {4759123141, false},
        {1122004669633, false},
        {4759123139, false},
        {999999999961, true},
        {1125899906842597, true},
        {4503599627370449, true},
        {1125899906842597ULL * 3, false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsProbablePrime(c.n), c.prime) << c.n;
}

}  // namespace
}  // namespace zentra
