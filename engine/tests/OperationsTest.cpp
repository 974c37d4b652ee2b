#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/numbers/LeadingNumber.h"
#include "engine/Operations.h"
#include "engine/tests/EngineFixture.h"

namespace zentra {
namespace {

// The lines' values as the display reads them.
std::vector<LineValue> Values(const std::vector<std::string>& lines) {
    std::vector<LineValue> values;
    for (const auto& line : lines) values.push_back(LeadingFixed(line));
    return values;
}

FactorTable Factorize(const std::vector<std::string>& lines) {
    static const Factorizer factorizer(TestPrimes());
    return FactorizeLines(factorizer, Values(lines));
}

CombinedResult Combine(const std::vector<std::string>& lines, int operation) {
    const FactorTable factors = Factorize(lines);
    if (operation == kLcm) return Lcm(factors);
    if (operation == kGcd) return Gcd(factors);
    return Product(factors);
}

TEST(Operations, CombineTheLinesAsDocumented) {
    struct Case {
        std::vector<std::string> lines;
        int operation;
        const char* text;
    };
    const Case cases[] = {
        {{"9", "4"}, kLcm, "36 = 3^2 * 2^2"},
        {{"9", "4"}, kProduct, "36 = 2^2 * 3^2"},
        {{"12", "18"}, kLcm, "36 = 2^2 * 3^2"},
        {{"12", "18"}, kGcd, "6 = 2 * 3"},
        {{"12", "18"}, kProduct, "216 = 2^3 * 3^3"},
        {{"12", "18", "35"}, kGcd, "1"},
        {{"12", "8"}, kGcd, "4 = 2^2"},
        {{"7", "7"}, kLcm, "7"},
        {{"0", "6"}, kLcm, "6 = 2 * 3"},
        {{"0", "6"}, kProduct, "6 = 2 * 3"},
        {{"0", "6"}, kGcd, "1"},
        {{"360"}, kGcd, "360 = 2^3 * 3^2 * 5"},
        {{"abc", "10"}, kLcm, "10 = 2 * 5"},
        {{}, kLcm, "1"},
        {{"549755813888", "549755813888"}, kProduct, "302231454903657293676544 = 2^78"},
        {{"999999999989", "999999999959", "999999999961"},
         kProduct,
         "[Result too large] = 999999999959 * 999999999961 * 999999999989"},
        // Above 10^12 the common exponent can pass 39: the GCD still finds it.
        {{"562949953421312", "562949953421312"}, kGcd, "562949953421312 = 2^49"},
    };
    for (const auto& c : cases) {
        const CombinedResult result = Combine(c.lines, c.operation);
        EXPECT_EQ(result.text, c.text) << c.operation << " " << c.lines.size();
        EXPECT_EQ(result.value.has_value(), c.text[0] != '[') << c.text;
    }
}

TEST(Operations, FactorizeEveryLineForItsDisplayLine) {
    const FactorTable factors = Factorize({"360", "1", "12.5", "2^10", "99999999999999999999"});
    const char* expected[] = {"= 2^3 * 3^2 * 5", "", "= 12.5", "= 2", ""};
    ASSERT_EQ(factors.Lines(), 5u);
    for (std::size_t line = 0; line < 5; ++line)
        EXPECT_EQ(LineFactorText(factors.Line(line)), expected[line]) << line;
    EXPECT_EQ(FindFactor(factors, 0, Fixed::FromWhole(3)), 1);
    EXPECT_EQ(FindFactor(factors, 0, Fixed::FromWhole(4)), -1);
    EXPECT_EQ(FindFactor(factors, 0, Fixed::FromWhole(0)), 0);
    EXPECT_EQ(FindFactor(factors, 1, Fixed::FromWhole(2)), -1);
}

TEST(Operations, CancellationDividesEveryLineByAGcdAboveOne) {
    struct Case {
        std::vector<std::string> lines;
        std::vector<const char*> quotients;  // empty: nothing to cancel
    };
    const Case cases[] = {
        {{"12", "18"}, {"2", "3"}},
        {{"360", "360"}, {"1", "1"}},
        {{"12", "18", "35"}, {}},
        {{"1", "1"}, {}},
        {{"7"}, {"1"}},
    };
    for (const auto& c : cases) {
        const std::vector<LineValue> values = Values(c.lines);
        const auto quotients =
            CancelLines(values, Gcd(FactorizeLines(Factorizer(TestPrimes()), values)));
        ASSERT_EQ(quotients.size(), c.quotients.size()) << c.lines[0];
        for (std::size_t i = 0; i < quotients.size(); ++i) {
            ASSERT_TRUE(quotients[i].has_value()) << c.lines[0];
            EXPECT_EQ(quotients[i]->ToString(), c.quotients[i]) << c.lines[0];
        }
    }
}

TEST(Operations, CombineDisplaysOfAnyLength) {
    // 100,000 lines: far beyond the 2,340 lines that 16-bit slot counters would allow.
    std::vector<std::string> lines{"2"};
    for (int i = 1; i < 100000; ++i) lines.push_back(std::to_string(2 + i % 50));
    const FactorTable factors = Factorize(lines);
    EXPECT_EQ(Lcm(factors).text.substr(0, 25), "3099044504245996706400 = ");
    EXPECT_EQ(Gcd(factors).text, "1");
    EXPECT_EQ(Product(factors).text.substr(0, 21), "[Result too large] = ");
    EXPECT_EQ(LineFactorText(factors.Line(99999)), "= 3 * 17");
}

TEST(Operations, LcmKeepsEveryPrimeOfManyInTheOrderOfFirstAppearance) {
    // 20,000 lines with about 2,300 distinct primes: the lookup of a prime's slot must neither
    // lose nor merge one. The reference merges by trial division.
    std::vector<std::string> lines;
    std::vector<std::pair<int, int>> expected;  // prime, highest exponent, by first appearance
    for (int n = 20001; n >= 2; --n) {
        lines.push_back(std::to_string(n));
        int rest = n;
        for (int p = 2; rest > 1; ++p) {
            if (p * p > rest) p = rest;
            int exponent = 0;
            for (; rest % p == 0; rest /= p) ++exponent;
            if (exponent == 0) continue;
            auto it = std::find_if(expected.begin(), expected.end(),
                                   [p](const auto& slot) { return slot.first == p; });
            if (it == expected.end())
                expected.push_back({p, exponent});
            else
                it->second = std::max(it->second, exponent);
        }
    }
    std::string text = "[Result too large] = ";
    for (const auto& [prime, exponent] : expected) {
        if (prime != expected.front().first) text += " * ";
        text += std::to_string(prime);
        if (exponent > 1) text.append("^").append(std::to_string(exponent));
    }
    EXPECT_EQ(Lcm(Factorize(lines)).text, text);
}

}  // namespace
}  // namespace zentra
