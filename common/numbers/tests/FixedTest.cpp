#include <gtest/gtest.h>

#include "common/numbers/Fixed.h"

namespace zentra {
namespace {

TEST(Fixed_FromDouble, RoundsToNearestTenThousandthTiesToEven) {
    struct Case {
        double input;
        std::int64_t raw;
    };
    const Case cases[] = {
        {0.0, 0},
        {1.0, 10000},
        {12.5, 125000},
        {-12.5, -125000},
        {0.00005, 0},  // 0.5 ten-thousandths (just below in binary) rounds down
        {0.00025, 2},
        {0.00035, 4},  // scaled exactly to ties: the even neighbour wins
        {999999999999.0, 9999999999990000},
        // Near the top of the range the scaled double is only exact to 1024 ten-thousandths.
        {922337203685477.0, 9223372036854769664},
    };
    for (const auto& c : cases) {
        const auto fixed = Fixed::FromDouble(c.input);
        ASSERT_TRUE(fixed.has_value()) << c.input;
        EXPECT_EQ(fixed->Raw(), c.raw) << "input " << c.input;
    }
}

TEST(Fixed_FromDouble, RefusesValuesOutsideTheRange) {
    for (double v : {1e15, -1e15, 1e300, 9.3e14}) {
        EXPECT_FALSE(Fixed::FromDouble(v).has_value()) << v;
    }
    EXPECT_FALSE(Fixed::FromDouble(0.0 / 0.0 * 0.0 + __builtin_nan("")).has_value());
}

TEST(Fixed_ToString, PrintsWithoutSeparatorsOrTrailingZeros) {
    struct Case {
        std::int64_t raw;
        const char* text;
    };
    const Case cases[] = {{70000, "7"},
                          {125000, "12.5"},
                          {-2500, "-0.25"},
                          {1, "0.0001"},
                          {0, "0"},
                          {9999999999990000, "999999999999"},
                          {INT64_MIN, "-922337203685477.5808"},
                          {INT64_MAX, "922337203685477.5807"}};
    for (const auto& c : cases) EXPECT_EQ(Fixed::FromRaw(c.raw).ToString(), c.text);
}

TEST(Fixed_WholeParts, TruncateTowardZero) {
    EXPECT_EQ(Fixed::FromRaw(127000).WholePart(), 12);
    EXPECT_EQ(Fixed::FromRaw(-127000).WholePart(), -12);
    EXPECT_TRUE(Fixed::FromWhole(5).IsWhole());
    EXPECT_FALSE(Fixed::FromRaw(50001).IsWhole());
    EXPECT_EQ(Fixed::FromWhole(999999999999).ToDouble(), 999999999999.0);
}

}  // namespace
}  // namespace zentra
