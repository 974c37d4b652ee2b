#include <gtest/gtest.h>

#include <cmath>

#include "common/numbers/LeadingNumber.h"

namespace zentra {
namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfAText) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"", 0},
        {"abc", 0},
        {"12", 12},
        {"  12", 12},
        {"1 2", 12},
        {"1\t2\n3", 123},
        {"12\r18", 12},
        {"-12.7", -12.7},
        {"+5", 5},
        {"- 5", -5},
        {"1.5.3", 1.5},
        {".5", 0.5},
        {"1e3", 1000},
        {"1D2", 100},
        {"2E-2", 0.02},
        {"1e", 1},
        {"7abc", 7},
        {"&HFF", 255},
        {"&hff", 255},
        {"&HFFFF", -1},
        {"&H10000", 65536},
        {"&HFFFFFFFF", -1},
        {"&O17", 15},
        {"&O", 0},
        {"&X1", 0},
        {"= 2^3", 0},
        {"999999999999", 999999999999.0},
        {"1234567890123", 1234567890123.0},
        {"0012", 12},
        {"-", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(LeadingNumber, HugeExponentsGiveInfinityAndNoFixedValue) {
    EXPECT_TRUE(std::isinf(LeadingNumber("1e400")));
    EXPECT_FALSE(LeadingFixed("1e400").has_value());
    EXPECT_FALSE(LeadingFixed("1e15").has_value());
    EXPECT_EQ(LeadingFixed("922337203685476")->WholePart(), 922337203685476);
    EXPECT_EQ(LeadingNumber("1e-400"), 0.0);
}

TEST(LeadingNumber, LongDigitRunsAreCorrectlyRounded) {
    EXPECT_EQ(LeadingNumber("12345678901234567890"), 12345678901234567890.0);
    EXPECT_EQ(LeadingNumber("0.1"), 0.1);
    EXPECT_EQ(LeadingNumber("3.14159265358979323846"), 3.14159265358979323846);
}

}  // namespace
}  // namespace zentra
