#include <gtest/gtest.h>

#include "common/numbers/Decimal.h"

namespace zentra {
namespace {

Decimal D(const char* text) {
    auto d = Decimal::Parse(text);
    EXPECT_TRUE(d.has_value()) << text;
    return d.value_or(Decimal());
}

TEST(Decimal_Multiply, IsExactUpToTheNinetySixBitLimit) {
    struct Case {
        const char* a;
        const char* b;
        const char* product;  // nullptr: overflow
    };
    const Case cases[] = {
        {"549755813888", "549755813888", "302231454903657293676544"},
        {"12.5", "12.5", "156.25"},
        {"79228162514264337593543950335", "1", "79228162514264337593543950335"},
        {"39614081257132168796771975168", "2", nullptr},  // 2^96
        {"999999999999", "999999999999", "999999999998000000000001"},
        {"-3", "0.5", "-1.5"},
        {"0", "79228162514264337593543950335", "0"},
    };
    for (const auto& c : cases) {
        const auto product = Decimal::Multiply(D(c.a), D(c.b));
        if (c.product == nullptr) {
            EXPECT_FALSE(product.has_value()) << c.a << " * " << c.b;
        } else {
            ASSERT_TRUE(product.has_value()) << c.a << " * " << c.b;
            EXPECT_EQ(product->ToString(), c.product);
        }
    }
}

TEST(Decimal_Multiply, RoundsAwayDecimalsBeforeOverflowing) {
    // 28 decimals times 28 decimals: the scale is cut back to 28, ties to even.
    const auto product = Decimal::Multiply(D("0.0000000000000000000000000001"), D("0.5"));
    ASSERT_TRUE(product.has_value());
    EXPECT_EQ(product->ToString(), "0");  // 0.5e-28 rounds to the even 0
    const auto big = Decimal::Multiply(D("7922816251426433759354395033.5"), D("10"));
    ASSERT_TRUE(big.has_value());
    EXPECT_EQ(big->ToString(), "79228162514264337593543950335");
}

TEST(Decimal_Divide, GivesWholeQuotientsAndDecimals) {
    struct Case {
        const char* a;
        const char* b;
        const char* quotient;
    };
    const Case cases[] = {
        {"12", "6", "2"},   {"18", "6", "3"},      {"999999999998", "2", "499999999999"},
        {"1", "4", "0.25"}, {"12.5", "12.5", "1"}, {"2", "3", "0.6666666666666666666666666667"},
    };
    for (const auto& c : cases) {
        const auto q = Decimal::Divide(D(c.a), D(c.b));
        ASSERT_TRUE(q.has_value()) << c.a << " / " << c.b;
        EXPECT_EQ(q->ToString(), c.quotient) << c.a << " / " << c.b;
    }
    EXPECT_FALSE(Decimal::Divide(D("1"), D("0")).has_value());
}

TEST(Decimal_Power, StopsAtOverflow) {
    EXPECT_EQ(Decimal::Power(D("2"), 39)->ToString(), "549755813888");
    EXPECT_EQ(Decimal::Power(D("2"), 95)->ToString(), "39614081257132168796771975168");
    EXPECT_FALSE(Decimal::Power(D("2"), 96).has_value());
    EXPECT_EQ(Decimal::Power(D("1"), 1000000000)->ToString(), "1");
    EXPECT_EQ(Decimal::Power(D("7"), 0)->ToString(), "1");
}

TEST(Decimal_Compare, OrdersAcrossScalesAndSigns) {
    EXPECT_TRUE(D("1.5") > D("1"));
    EXPECT_TRUE(D("1.50") == D("1.5"));
    EXPECT_TRUE(D("-2") < D("1"));
    EXPECT_TRUE(Decimal::FromFixed(Fixed::FromRaw(125000)) == D("12.5"));
    EXPECT_EQ(Decimal::FromInt64(-7).ToString(), "-7");
}

}  // namespace
}  // namespace zentra
