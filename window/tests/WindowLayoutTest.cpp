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

}  // namespace
}  // namespace zentra::win32
