#include <gtest/gtest.h>

#include "common/display/Grid.h"
#include "controls/GridGeometry.h"

namespace zentra {
namespace {

TEST(GridGeometry_Units, TwipsRoundToNearestPixelAndRowsToWholePixels) {
    EXPECT_EQ(TwipsToPixels(1200, 15), 80);
    EXPECT_EQ(TwipsToPixels(1207, 15), 80);
    EXPECT_EQ(TwipsToPixels(1208, 15), 81);
    EXPECT_EQ(TwipsToPixels(-22, 15), -1);
    EXPECT_EQ(TwipsToPixels(100, 0), 0);
    struct Case {
        int minimumTwips;
        int fontPixels;
        int expected;
    };
    const Case cases[] = {
        {0, 16, 240}, {270, 16, 270}, {271, 16, 285}, {200, 16, 240}, {-5, 0, 15}};
    for (const auto& c : cases) {
        EXPECT_EQ(EffectiveRowHeightTwips(c.minimumTwips, c.fontPixels, 15), c.expected)
            << c.minimumTwips << " / " << c.fontPixels;
    }
}

TEST(GridGeometry_HitTest, PointsMapToCellsOrToNothing) {
    struct Case {
        int x, y, top;
        int row, col;
    };
    // Rows of 18 pixels, 5 rows, columns of 80 and 100 pixels.
    const Case cases[] = {{0, 0, 0, 0, 0},    {79, 17, 0, 0, 0},   {80, 18, 0, 1, 1},
                          {179, 89, 0, 4, 1}, {180, 10, 0, 0, -1}, {10, 90, 0, -1, 0},
                          {10, 20, 3, 4, 0},  {10, 40, 3, -1, 0},  {-1, -1, 0, -1, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(RowAtY(c.y, c.top, 18, 5), c.row) << c.x << "," << c.y << " top " << c.top;
        EXPECT_EQ(ColAtX(c.x, {80, 100}), c.col) << c.x << "," << c.y;
    }
}

TEST(GridGeometry_Alignment, GeneralPutsNumbersRightAndTextLeft) {
    struct Case {
        int alignment;
        const char* text;
        HAlign h;
        VAlign v;
    };
    const Case cases[] = {
        {kAlignGeneral, "123456789012", HAlign::Right, VAlign::Center},
        {kAlignGeneral, " -12.5 ", HAlign::Right, VAlign::Center},
        {kAlignGeneral, "= 2^2 * 3", HAlign::Left, VAlign::Center},
        {kAlignGeneral, "", HAlign::Left, VAlign::Center},
        {kAlignGeneral, "1.2.3", HAlign::Left, VAlign::Center},
        {kAlignLeftTop, "12", HAlign::Left, VAlign::Top},
        {kAlignCenterCenter, "x", HAlign::Center, VAlign::Center},
        {kAlignRightBottom, "x", HAlign::Right, VAlign::Bottom},
        {kAlignLeftBottom, "x", HAlign::Left, VAlign::Bottom},
        {-1, "7", HAlign::Right, VAlign::Center},
    };
    for (const auto& c : cases) {
        const CellAlignment a = ResolveAlignment(c.alignment, c.text);
        EXPECT_EQ(a.horizontal, c.h) << c.alignment << " '" << c.text << "'";
        EXPECT_EQ(a.vertical, c.v) << c.alignment << " '" << c.text << "'";
    }
}

TEST(GridGeometry_Keys, MovesStayInsideTheGrid) {
    struct Case {
        GridKey key;
        GridCell from;
        GridCell to;
    };
    // 10 rows, 4 visible.
    const Case cases[] = {
        {GridKey::Up, {0, 1}, {0, 1}},       {GridKey::Up, {5, 0}, {4, 0}},
        {GridKey::Down, {9, 0}, {9, 0}},     {GridKey::Down, {2, 1}, {3, 1}},
        {GridKey::Left, {3, 1}, {3, 0}},     {GridKey::Right, {3, 0}, {3, 1}},
        {GridKey::PageDown, {7, 0}, {9, 0}}, {GridKey::PageUp, {5, 0}, {1, 0}},
        {GridKey::Home, {5, 1}, {0, 1}},     {GridKey::End, {5, 1}, {9, 1}},
    };
    for (const auto& c : cases) {
        const GridCell to = MoveByKey(c.key, c.from, 10, 4);
        EXPECT_EQ(to.row, c.to.row) << static_cast<int>(c.key) << " from " << c.from.row;
        EXPECT_EQ(to.col, c.to.col) << static_cast<int>(c.key) << " from " << c.from.row;
    }
}

TEST(GridGeometry_Keys, TheViewMovesJustEnoughToShowTheRow) {
    EXPECT_EQ(TopRowShowing(5, 2, 4), 2);
    EXPECT_EQ(TopRowShowing(6, 2, 4), 3);
    EXPECT_EQ(TopRowShowing(1, 2, 4), 1);
    EXPECT_EQ(TopRowShowing(9, 0, 0), 9);
}

}  // namespace
}  // namespace zentra
