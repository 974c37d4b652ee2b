#include <gtest/gtest.h>

#include "input/BracketTable.h"

namespace zentra {
namespace {

TEST(BracketTable_Lookup, FindsPairsByEitherBracket) {
    // "(1+(2))*(3)"
    BracketTable table;
    const int outer = table.Open(1, 1);
    const int inner = table.Open(4, 2);
    table.Close(inner, 6);
    table.Close(outer, 7);
    const int last = table.Open(9, 1);
    table.Close(last, 11);

    const struct {
        int position, index;
    } cases[] = {{1, 0}, {7, 0}, {4, 1}, {6, 1}, {9, 2}, {11, 2}, {2, -1}, {-1, -1}, {0, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(table.FindBracketPair(c.position), c.index) << "position " << c.position;
    }
    const std::string text = "(1+(2))*(3)";
    EXPECT_EQ(table.BracketContents(text, 0), "1+(2)");
    EXPECT_EQ(table.BracketContents(text, 1), "2");
    EXPECT_EQ(table.BracketContents(text, -1), "");
    EXPECT_EQ(table.BracketContents(text, 3), "");
}

TEST(BracketTable_Reset, LeavesOnlyTheZeroEntry) {
    BracketTable table;
    table.Close(table.Open(1, 1), 3);
    table.Reset();
    EXPECT_EQ(table.Count(), 1);
    EXPECT_FALSE(table.IsPair(0));
    // The zero entry is found at position 0, as every unset field is.
    EXPECT_EQ(table.FindBracketPair(0), 0);
    EXPECT_EQ(table.FindBracketPair(1), -1);
}

}  // namespace
}  // namespace zentra
