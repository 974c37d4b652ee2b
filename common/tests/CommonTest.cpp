#include "common/Common.h"

#include <gtest/gtest.h>

#include <vector>

namespace zentra {
namespace {

TEST(Common_IsBetween, HonoursTheOrderedFlag) {
    struct Case {
        int value, a, b;
        bool ordered, expected;
    };
    const Case cases[] = {
        {5, 1, 10, true, true},   {1, 1, 10, true, true},   {10, 1, 10, false, true},
        {0, 1, 10, false, false}, {5, 10, 1, true, false},  {5, 10, 1, false, true},
        {11, 10, 1, false, false}, {40, 1, 39, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsBetween(c.value, c.a, c.b, c.ordered), c.expected)
            << c.value << " in " << c.a << ".." << c.b << " ordered=" << c.ordered;
    }
}

TEST(Common_IndexOfMin, TakesTheFirstOfEqualMinimaAndZeroWhenEmpty) {
    const std::vector<int> counts{3, 1, 2, 1};
    EXPECT_EQ(IndexOfMin(std::span<const int>(counts)), 1u);
    EXPECT_EQ(IndexOfMin(std::span<const int>()), 0u);
    EXPECT_EQ(BoolToInt(true), 1);
    EXPECT_EQ(BoolToInt(false), 0);
    EXPECT_EQ(Min(-3, 2), -3);
    EXPECT_EQ(Max(-3, 2), 2);
}

}  // namespace
}  // namespace zentra
