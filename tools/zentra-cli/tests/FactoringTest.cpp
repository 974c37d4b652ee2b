#include <gmpxx.h>
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "LineFactoring.h"
#include "engine/Operations.h"
#include "engine/PrimeTable.h"

namespace zentra::cli {
namespace {

// Miller-Rabin on GMP's modular power, apart from the code under test: the first 13 primes as
// bases decide every n below 3.3 * 10^24; the further primes below 100 make a false answer above
// that vanishingly unlikely.
bool IsPrime(const mpz_class& n) {
    static constexpr unsigned long kBases[] = {2,  3,  5,  7,  11, 13, 17, 19, 23, 29, 31, 37, 41,
                                               43, 47, 53, 59, 61, 67, 71, 73, 79, 83, 89, 97};
    if (n < 2) return false;
    for (const unsigned long p : kBases) {
        if (n == p) return true;
        if (mpz_divisible_ui_p(n.get_mpz_t(), p) != 0) return false;
    }
    mpz_class d = n - 1;
    const auto s = mpz_scan1(d.get_mpz_t(), 0);
    d >>= s;
    const mpz_class minusOne = n - 1;
    for (const unsigned long base : kBases) {
        mpz_class x;
        mpz_powm(x.get_mpz_t(), mpz_class(base).get_mpz_t(), d.get_mpz_t(), n.get_mpz_t());
        bool passes = x == 1 || x == minusOne;
        for (unsigned long i = 1; i < s && !passes; ++i) {
            x = x * x % n;
            passes = x == minusOne;
        }
        if (!passes) return false;
    }
    return true;
}

// Checks "= p^e * q * ..." against n: ascending primes whose product is n.
void ExpectFactorization(const std::string& digits, const std::string& text) {
    SCOPED_TRACE(digits + "\t" + text);
    const mpz_class n(digits);
    if (n < 2) {
        EXPECT_EQ(text, "");
        return;
    }
    ASSERT_EQ(text.rfind("= ", 0), 0u);
    mpz_class product = 1, previous = 1;
    std::size_t pos = 2;
    while (pos <= text.size()) {
        std::size_t end = text.find(" * ", pos);
        if (end == std::string::npos) end = text.size();
        const std::string power = text.substr(pos, end - pos);
        const std::size_t caret = power.find('^');
        const mpz_class prime(power.substr(0, caret));
        const unsigned long exponent =
            caret == std::string::npos ? 1 : std::stoul(power.substr(caret + 1));
        EXPECT_TRUE(IsPrime(prime)) << prime;
        EXPECT_GT(prime, previous);
        EXPECT_GE(exponent, 1u);
        mpz_class raised;
        mpz_pow_ui(raised.get_mpz_t(), prime.get_mpz_t(), exponent);
        product *= raised;
        previous = prime;
        pos = end + 3;
    }
    EXPECT_EQ(product, n);
}

std::string TextOf(LineFactoring& factoring, const std::string& digits) {
    std::string text;
    factoring.AppendText(digits, text);
    return text;
}

std::string RandomDigits(std::mt19937_64& random, int count) {
    std::string digits(1, static_cast<char>('1' + random() % 9));
    while (static_cast<int>(digits.size()) < count)
        digits += static_cast<char>('0' + random() % 10);
    return digits;
}

// Below 10^12 the text is the window engine's, byte for byte.
TEST(LineFactoring, WindowNumbersGiveTheEnginesText) {
    std::string error;
    const auto primes = PrimeTable::FromProgramResource(&error);
    ASSERT_TRUE(primes) << error;
    const Factorizer engine(*primes);
    LineFactoring factoring(nullptr);
    std::vector<std::string> numbers = {"0",
                                        "1",
                                        "2",
                                        "4",
                                        "999966000289",
                                        "999999999989",
                                        "549755813888",
                                        "200560490130",
                                        "999999999999",
                                        "4759123141",
                                        "1046527",
                                        "1048576"};
    std::mt19937_64 random(12);
    for (int i = 0; i < 20000; ++i) numbers.push_back(RandomDigits(random, 1 + i % 12));
    for (const std::string& digits : numbers) {
        const FactorList list = engine.Factorize(Fixed::FromWhole(std::stoll(digits)));
        const std::string expected = LineFactorText(
            std::span<const PrimePower>(list.slots.data(), static_cast<std::size_t>(list.count)));
        ASSERT_EQ(TextOf(factoring, digits), expected) << digits;
    }
}

// Every number of 1 to 40 digits: ascending primes whose product is the number. The rows pin the
// borders between the arithmetic paths (one word, two words, GMP) from both sides, the base sets'
// smallest strong pseudoprimes, and perfect powers.
TEST(LineFactoring, PrintedPrimesMultiplyToTheNumber) {
    std::vector<std::string> numbers = {
        "1122004669633",        // strong pseudoprime to 2, 13, 23, 1662803
        "3825123056546413051",  // strong pseudoprime to the primes up to 23
        "9999999999999999999",
        "10000000000000000000",
        "18446744073709551557",
        "18446744073709551615",
        "18446744073709551616",
        "18446744073709551617",
        "318665857834031151167461",  // strong pseudoprime to the primes up to 37
        "3317044064679887385961980",
        "3317044064679887385961981",  // ... up to 41: the border
        "3317044064679887385961982",
        "340282366920938463463374607431768211457",
        "147808829414345923316083210206383297601",  // 3^80
    };
    // The square of the prime 2^80 - 65, and a product of two primes of 13 digits.
    numbers.push_back(
        mpz_class(mpz_class("1208925819614629174706111") * mpz_class("1208925819614629174706111"))
            .get_str());
    numbers.push_back(mpz_class(mpz_class("1000000000039") * mpz_class("1000000000061")).get_str());
    std::mt19937_64 random(40);
    for (int i = 0; i < 400; ++i) numbers.push_back(RandomDigits(random, 1 + i % 40));
    LineFactoring factoring(nullptr);
    for (const std::string& digits : numbers)
        ExpectFactorization(digits, TextOf(factoring, digits));
}

}  // namespace
}  // namespace zentra::cli
