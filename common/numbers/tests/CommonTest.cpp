#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/numbers/Common.h"

namespace zentra {
namespace {

TEST(Common_IsBetween, HonoursTheOrderedFlag) {
    struct Case {
        int value, a, b;
        bool ordered, expected;
    };
    const Case cases[] = {
        {5, 1, 10, true, true},    {1, 1, 10, true, true},    {10, 1, 10, false, true},
        {0, 1, 10, false, false},  {5, 10, 1, true, false},   {5, 10, 1, false, true},
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
}

TEST(Common_FindAnyChar, FindsTheFirstOfTheSetFromTheStart) {
    struct Case {
        int start;
        const char* text;
        const char* set;
        int expected;
    };
    const Case cases[] = {
        {1, "2*(3+4)", "+-", 5}, {6, "2*(3+4)", "+-", 0}, {-4, "a-b", "-", 2}, {0, "a-b", "-", 2},
        {2, "a-b", "-", 2},      {3, "a-b", "-", 0},      {1, "", "+", 0},     {1, "abc", "", 0},
        {1, "abC", "c", 0},      {9, "abc", "c", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindAnyChar(c.start, c.text, c.set), c.expected)
            << c.text << " from " << c.start << " set " << c.set;
    }
}

TEST(Common_ReplaceAt, SplicesOnlyAtValidPositions) {
    struct Case {
        const char* text;
        int position;
        std::optional<int> count;  // none: everything from the position on is replaced
        const char* insert;
        const char* expected;
    };
    const Case cases[] = {
        {"2^3", 1, 0, "1/", "1/2^3"}, {"abcdef", 2, 3, "X", "aXef"},
        {"abcdef", 2, {}, "X", "aX"}, {"abcdef", 6, 9, "X", "abcdeX"},
        {"abc", 4, 0, "X", "abc"},    {"abc", 0, 0, "X", "abc"},
        {"", 1, 0, "X", "X"},         {"", 1, {}, "X", "X"},
        {"", 2, 0, "X", ""},          {"abc", 2, -5, "X", "aXbc"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        if (c.count) {
            ReplaceAt(text, c.position, *c.count, c.insert);
        } else {
            ReplaceAt(text, c.position, c.insert);
        }
        EXPECT_EQ(text, c.expected) << c.text << " at " << c.position;
    }
}

TEST(VersionString, PadsMinorAndShowsTheRevisionOnlyFromOne) {
    struct Case {
        int major, minor, revision;
        const char* text;
    };
    const Case cases[] = {
        {2, 10, 0, "2.10"},
        {2, 5, 7, "2.05.0007"},
        {1, 0, 0, "1.00"},
        {3, 99, 12345, "3.99.12345"},
        // The build's own version text is made by CMake by the same rule.
        {ZENTRA_VERSION_MAJOR, ZENTRA_VERSION_MINOR, ZENTRA_VERSION_PATCH, ZENTRA_VERSION_TEXT},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VersionString(c.major, c.minor, c.revision), c.text) << c.text;
    }
}

}  // namespace
}  // namespace zentra
