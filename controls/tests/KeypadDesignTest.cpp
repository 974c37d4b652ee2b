#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "controls/CommandButton.h"
#include "controls/KeypadDesign.h"
#include "controls/tests/ButtonFakes.h"
#include "resources/design/KeypadDesignBytes.h"

namespace zentra {
namespace {

constexpr Colour kBlue = 0x00FF0000;
constexpr Colour kRed = 0x000000FF;
constexpr Colour kDarkRed = 0x00000080;
constexpr Colour kPurple = 0x00800080;
constexpr Colour kGrey = 0x80000011;

struct ExpectedKey {
    const char* array;
    int index;
    const char* caption;
    const char* face;
    int centipoints;
    int weight;
    Colour fore;
    Colour disable;
    const char* accelerator;
    const char* toolTip;
    int help;
    int whatsThis;
    int column;  // 0..7 at 5, 46, ..., 292 px
    int row;     // 0..2 at 0, 33, 66 px
};

constexpr const char* kDigitTip = "Put this digit in the current line of calculator display (";

const ExpectedKey kKeys[] = {
    {"bbCntrl", 0, "Clear", "Arial", 900, 700, kDarkRed, kDarkRed, "",
     "Clear the current calculation (ESC)", 109, 109, 0, 0},
    {"bbCntrl", 1, "Del", "Arial", 900, 700, kDarkRed, kDarkRed, "",
     "Clears the current number (Del)", 110, 110, 1, 0},
    {"bbCntrl", 2, "Back", "Arial", 900, 700, kDarkRed, kDarkRed, "",
     "Delete the last digit of the current number (Bksp)", 111, 111, 2, 0},
    {"bbCntrl", 3, "Enter", "Arial", 900, 700, kDarkRed, kDarkRed, "",
     "Turn to the next line of calculator display (Enter)", 112, 112, 3, 0},
    {"bbOper", 0, ".", "Arial", 975, 700, kBlue, kBlue, ".", "", 112, 104, 4, 1},
    {"bbOper", 1, "/", "Arial Black", 1125, 700, kRed, kGrey, "/", "", 104, 104, 0, 1},
    {"bbOper", 2, "*", "Arial Black", 1125, 400, kRed, kGrey, "*", "", 104, 104, 1, 1},
    {"bbOper", 3, "-", "Arial Black", 1125, 700, kRed, kGrey, "-", "", 104, 104, 2, 1},
    {"bbOper", 4, "+", "Arial", 1125, 700, kRed, kGrey, "+", "", 104, 104, 3, 1},
    {"bbOper", 5, "^", "Arial", 1125, 700, kRed, kGrey, "^", "", 104, 104, 0, 2},
    {"bbOper", 6, "!", "Arial", 1125, 700, kRed, kGrey, "!", "", 104, 104, 1, 2},
    {"bbOper", 7, "(", "Arial", 975, 700, kRed, kGrey, "(", "", 104, 104, 2, 2},
    {"bbOper", 8, ")", "Arial", 975, 700, kRed, kGrey, ")", "", 104, 104, 3, 2},
    {"bbFunc", 0, "P", "Symbol", 1200, 700, kPurple, kGrey, "",
     "Execute factorization of all numbers on calculator display (*)", 105, 105, 0, 1},
    {"bbFunc", 1, "LCM", "Arial", 975, 700, kPurple, kGrey, "",
     "Calculate the Least Common Multiple of all numbers on calculator display (Ctrl+L)", 106, 106,
     1, 1},
    {"bbFunc", 2, "GCD", "Arial", 975, 700, kPurple, kGrey, "",
     "Calculate the Greatest Common Divisor of all numbers on calculator display (Ctrl+G)", 107,
     107, 2, 1},
    {"bbFunc", 3, "X", "Symbol", 1200, 700, kPurple, kGrey, "",
     "Execute cancellation of same factors of all numbers on calculator display (/)", 108, 108, 3,
     1},
    {"bbFunc", 4, "*", "Arial Black", 1125, 400, kPurple, kGrey, "",
     "Execute multiplication of all numbers", 108, 115, 4, 1},
    {"bbDigit", 0, "0", "Arial", 975, 700, kBlue, kBlue, "", "0)", 104, 104, 4, 2},
    {"bbDigit", 1, "1", "Arial", 975, 700, kBlue, kBlue, "1", "1)", 104, 104, 5, 2},
    {"bbDigit", 2, "2", "Arial", 975, 700, kBlue, kBlue, "2", "2)", 104, 104, 6, 2},
    {"bbDigit", 3, "3", "Arial", 975, 700, kBlue, kBlue, "3", "3)", 104, 104, 7, 2},
    {"bbDigit", 4, "4", "Arial", 975, 700, kBlue, kBlue, "4", "4)", 104, 104, 5, 1},
    {"bbDigit", 5, "5", "Arial", 975, 700, kBlue, kBlue, "5", "5)", 104, 104, 6, 1},
    {"bbDigit", 6, "6", "Arial", 975, 700, kBlue, kBlue, "6", "6)", 104, 104, 7, 1},
    {"bbDigit", 7, "7", "Arial", 975, 700, kBlue, kBlue, "7", "7)", 104, 104, 5, 0},
    {"bbDigit", 8, "8", "Arial", 975, 700, kBlue, kBlue, "8", "8)", 104, 104, 6, 0},
    {"bbDigit", 9, "9", "Arial", 975, 700, kBlue, kBlue, "9", "9)", 104, 104, 7, 0},
};

TEST(KeypadDesign_Stored, AllTwentyEightKeysLoadWithTheirValues) {
    const std::vector<KeyDesign> keys = LoadKeypadDesign(KeypadDesignBytes());
    ASSERT_EQ(keys.size(), 28u);
    for (const ExpectedKey& e : kKeys) {
        SCOPED_TRACE(std::string(e.array) + "(" + std::to_string(e.index) + ")");
        const KeyDesign* key = FindKey(keys, e.array, e.index);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->left, (5 + 41 * e.column) * 15);
        EXPECT_EQ(key->top, 33 * e.row * 15);
        EXPECT_EQ(key->width, 540);
        EXPECT_EQ(key->height, 420);
        const std::string tip = std::string_view(e.array) == "bbDigit"
                                    ? std::string(kDigitTip) + e.toolTip
                                    : std::string(e.toolTip);
        EXPECT_EQ(key->toolTip, tip);
        EXPECT_EQ(key->helpContextId, e.help);
        EXPECT_EQ(key->whatsThisHelpId, e.whatsThis);
        EXPECT_EQ(key->cancel, std::string_view(e.array) == "bbCntrl" && e.index == 0);
        EXPECT_FALSE(key->tabStop);
        EXPECT_EQ(key->properties.Keys().size(), 11u);

        testing::FakeButtonHost host;
        testing::FakeTimer timer;
        CommandButton button(host, timer);
        button.LoadProperties(key->properties);
        EXPECT_EQ(button.Caption(), e.caption);
        EXPECT_EQ(button.Font().name, e.face);
        EXPECT_EQ(button.Font().sizeCentipoints, e.centipoints);
        EXPECT_EQ(button.Font().weight, e.weight);
        EXPECT_EQ(button.Font().charset, std::string_view(e.face) == "Symbol" ? 2 : 0);
        EXPECT_EQ(button.ForeColor(), e.fore);
        EXPECT_EQ(button.DisableColor(), e.disable);
        EXPECT_EQ(button.Accelerator(), e.accelerator);
        EXPECT_EQ(host.accessKeys, e.accelerator);
        EXPECT_EQ(button.BackColor(), syscolour::kButtonFace);
        EXPECT_TRUE(button.Enabled());
        EXPECT_TRUE(button.UseMnemonic());
        EXPECT_EQ(button.MousePointer(), 0);
        EXPECT_FALSE(button.Picture().has_value());
        EXPECT_FALSE(button.MouseIcon().has_value());
    }
}

TEST(KeypadDesign_Stored, FunctionKeysShareTheirPlacesWithOperatorKeys) {
    const std::vector<KeyDesign> keys = LoadKeypadDesign(KeypadDesignBytes());
    std::set<std::pair<int, int>> places;
    for (const KeyDesign& key : keys) {
        if (key.array != "bbFunc") places.emplace(key.left, key.top);
    }
    EXPECT_EQ(places.size(), 23u);  // 24 places of the 8 x 3 grid, one left empty
    for (int i = 0; i < 5; ++i) {
        const KeyDesign* func = FindKey(keys, "bbFunc", i);
        const KeyDesign* oper = FindKey(keys, "bbOper", i == 4 ? 0 : i + 1);
        ASSERT_TRUE(func && oper);
        EXPECT_EQ(func->left, oper->left) << i;
        EXPECT_EQ(func->top, oper->top) << i;
    }
}

TEST(KeypadDesign_Reading, SkipsUnknownRepeatedAndMisnamedSections) {
    const std::string_view text =
        "[bbDigit(1)]\nCaption = \"1\"\nLeft = 10\nColour = 0x1\n"
        "[bbDigit(1)]\nCaption = \"again\"\n"
        "[bbDigits(2)]\nCaption = \"2\"\n"
        "[bbDigit(x)]\n[bbDigit(32)]\n[bbDigit(-1)]\n[bbDigit 3]\n[bbDigit(3]\n"
        "[bbFunc(4)]\nTop = \"high\"\nToolTipText = 5\n";
    const auto keys =
        LoadKeypadDesign({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].array, "bbDigit");
    EXPECT_EQ(keys[0].left, 10);
    EXPECT_EQ(keys[0].properties.Keys(), (std::vector<std::string>{"Caption"}));
    EXPECT_EQ(keys[0].properties.Read("Caption"), PropertyValue{std::string("1")});
    EXPECT_EQ(keys[1].array, "bbFunc");
    EXPECT_EQ(keys[1].index, 4);
    EXPECT_EQ(keys[1].top, 0);  // a value of the wrong type keeps the default
    EXPECT_EQ(keys[1].toolTip, "");
    EXPECT_TRUE(LoadKeypadDesign({}).empty());
}

}  // namespace
}  // namespace zentra
