#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/WindowLayout.h"

namespace zentra::win32 {
namespace {

constexpr int kKeyWidth = 36;
constexpr int kKeyHeight = 28;

TEST(WindowLayout, PanelsStackBelowEachOther) {
    const WindowPanels panels = LayOutWindow(333, kKeyHeight);
    EXPECT_EQ(panels.display, (LayoutRect{1, 0, 331, 75}));
    EXPECT_EQ(panels.result, (LayoutRect{0, 75, 333, 24}));
    // The keypad starts 75 + 24 + 7 px below the client top and has room for four key rows.
    EXPECT_EQ(panels.buttons, (LayoutRect{1, 106, 331, 127}));
}

TEST(WindowLayout, KeypadIsEightColumnsByThreeRows) {
    const KeypadPositions keys = LayOutKeypad(kKeyWidth, kKeyHeight);
    struct Row {
        const char* name;
        std::vector<LayoutPoint> got;
        std::vector<LayoutPoint> expected;
    };
    const auto& d = keys.digit;
    const auto& o = keys.oper;
    const auto& c = keys.cntrl;
    const std::vector<Row> rows = {
        {"row 0",
         {c[0], c[1], c[2], c[3], d[7], d[8], d[9]},
         {{5, 0}, {46, 0}, {87, 0}, {128, 0}, {210, 0}, {251, 0}, {292, 0}}},
        {"row 1",
         {o[1], o[2], o[3], o[4], o[0], d[4], d[5], d[6]},
         {{5, 33}, {46, 33}, {87, 33}, {128, 33}, {169, 33}, {210, 33}, {251, 33}, {292, 33}}},
        {"row 2",
         {o[5], o[6], o[7], o[8], d[0], d[1], d[2], d[3]},
         {{5, 66}, {46, 66}, {87, 66}, {128, 66}, {169, 66}, {210, 66}, {251, 66}, {292, 66}}},
    };
    for (const Row& row : rows) {
        ASSERT_EQ(row.got.size(), row.expected.size()) << row.name;
        for (std::size_t i = 0; i < row.got.size(); ++i) {
            EXPECT_EQ(row.got[i], row.expected[i]) << row.name << " column " << i;
        }
    }
}

TEST(WindowLayout, FunctionKeysShareTheOperatorPlaces) {
    const KeypadPositions keys = LayOutKeypad(kKeyWidth, kKeyHeight);
    EXPECT_EQ(keys.func[0], keys.oper[1]);  // factorization under "/"
    EXPECT_EQ(keys.func[1], keys.oper[2]);  // LCM under "*"
    EXPECT_EQ(keys.func[2], keys.oper[3]);  // GCD under "-"
    EXPECT_EQ(keys.func[3], keys.oper[4]);  // cancellation under "+"
    EXPECT_EQ(keys.func[4], keys.oper[0]);  // product under "."
}

TEST(WindowLayout, KeysFollowTheirSizeButNeverOverlap) {
    const KeypadPositions keys = LayOutKeypad(50, 40);
    EXPECT_EQ(keys.cntrl[1], (LayoutPoint{60, 0}));
    EXPECT_EQ(keys.digit[1], (LayoutPoint{5 + 5 * 55, 90}));
    EXPECT_EQ(keys.digit[3], (LayoutPoint{5 + 7 * 55, 90}));
}

TEST(WindowLayout, ScalePixelsRoundsHalvesAwayFromZero) {
    struct Case {
        int pixels;
        int dpi;
        int expected;
    };
    const Case cases[] = {
        {5, 96, 5},    {5, 120, 6},  {2, 120, 3},   {-2, 120, -3},   {6, 120, 8},     {1, 144, 2},
        {-1, 144, -2}, {7, 144, 11}, {28, 144, 42}, {341, 144, 512}, {341, 192, 682}, {0, 144, 0},
        {3, 72, 2},    {1, 47, 0},   {1, 48, 1},    {1, 143, 1},     {1, 192, 2},     {2, 119, 2},
        {2, 144, 3},   {8, 101, 8},  {8, 102, 9},   {8, 192, 16},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScalePixels(c.pixels, c.dpi), c.expected) << c.pixels << " px at " << c.dpi;
    }
}

TEST(WindowLayout, PanelsScaleWithTheResolution) {
    const WindowPanels panels = LayOutWindow(500, 42, 144);
    EXPECT_EQ(panels.display, (LayoutRect{2, 0, 497, 113}));
    EXPECT_EQ(panels.result, (LayoutRect{0, 113, 500, 36}));
    EXPECT_EQ(panels.buttons, (LayoutRect{2, 160, 497, 4 * 42 + 23}));
}

// Each place is the 96-dpi place scaled once: no gap's rounding adds up along a row.
TEST(WindowLayout, KeypadScalesEachPlaceOnce) {
    const KeypadPositions at96 = LayOutKeypad(kKeyWidth, kKeyHeight);
    for (const int dpi : {120, 144, 192}) {
        const KeypadPositions keys = LayOutKeypad(kKeyWidth, kKeyHeight, dpi);
        const int keyWidth = ScalePixels(kKeyWidth, dpi);
        for (std::size_t i = 0; i < keys.digit.size(); ++i) {
            EXPECT_EQ(keys.digit[i].x, ScalePixels(at96.digit[i].x, dpi)) << dpi << " " << i;
            EXPECT_EQ(keys.digit[i].y, ScalePixels(at96.digit[i].y, dpi)) << dpi << " " << i;
        }
        // Neighbours in a row keep at least the 96-dpi gap between them.
        EXPECT_GE(keys.digit[8].x - (keys.digit[7].x + keyWidth), 5) << dpi;
    }
    EXPECT_EQ(LayOutKeypad(kKeyWidth, kKeyHeight, 192).digit[3], (LayoutPoint{584, 132}));
}

TEST(WindowLayout, OkImageSitsInTheTopRightCornerWithItsShadow) {
    struct Case {
        int dpi;
        int panelWidth;
        int okWidth;
        AboutPlaces expected;
    };
    const Case cases[] = {
        {96, 329, 48, {{10, 10}, {273, 2}, {276, 5}}},
        {144, 494, 72, {{15, 15}, {410, 3}, {415, 8}}},
        {192, 658, 96, {{20, 20}, {546, 4}, {552, 10}}},
    };
    for (const Case& c : cases) {
        const AboutPlaces places = LayOutAbout(c.panelWidth, c.okWidth, c.dpi);
        EXPECT_EQ(places.label, c.expected.label) << c.dpi;
        EXPECT_EQ(places.ok, c.expected.ok) << c.dpi;
        EXPECT_EQ(places.shadow, c.expected.shadow) << c.dpi;
    }
}

}  // namespace
}  // namespace zentra::win32
