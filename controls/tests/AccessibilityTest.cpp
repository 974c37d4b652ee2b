#include <gtest/gtest.h>

#include <utility>

#include "controls/Accessibility.h"
#include "engine/ResultRendering.h"

namespace zentra {
namespace {

TEST(AccessibilityTest, KeysAreNamedByWhatTheyDo) {
    struct Row {
        const char* array;
        int index;
        const char* caption;
        const char* name;
        const char* shortcut;
    };
    const Row rows[] = {
        {"bbDigit", 0, "0", "0", "0"},
        {"bbDigit", 9, "9", "9", "9"},
        {"bbDigit", 10, "?", "?", ""},  // just outside the digits
        {"bbFunc", 0, "P", "Factorization", "*"},
        {"bbFunc", 1, "LCM", "Least common multiple", "Ctrl+L"},
        {"bbFunc", 4, "*", "Product", ""},
        {"bbFunc", 5, "", "", ""},
        {"bbOper", 8, ")", "Closing bracket", ")"},
        {"bbCntrl", 0, "Clear", "Clear", "Esc"},
        {"bbCntrl", 3, "Enter", "Enter", "Enter"},
        {"bbCntrl", 3, "=", "Equals", "Enter"},
    };
    for (const Row& row : rows) {
        const KeyAccessText text = KeyAccessibleText(row.array, row.index, row.caption);
        EXPECT_EQ(text.name, row.name) << row.array << row.index;
        EXPECT_EQ(text.shortcut, row.shortcut) << row.array << row.index;
    }
}

TEST(AccessibilityTest, FormulaReadsAsPlainText) {
    const std::pair<const char*, const char*> rows[] = {
        {"36 = 2^2 * 3^2", "36 = 2^2 * 3^2"},
        {"7", "7"},
        {"1001 = 7 * 11 * 13", "1,001 = 7 * 11 * 13"},
        {"1024 = 2^10", "1,024 = 2^10"},
    };
    for (const auto& [text, spoken] : rows) {
        EXPECT_EQ(FormulaPlainText(ParseRtfDocument(RenderResultRtf(text))), spoken);
    }
}

TEST(AccessibilityTest, HighContrastTakesTheSystemColours) {
    const Colour purple = 0x800080;
    EXPECT_EQ(ChooseColour(ColourUse::KeyText, purple, false), purple);
    EXPECT_EQ(ChooseColour(ColourUse::KeyText, purple, true), syscolour::kButtonText);
    EXPECT_EQ(ChooseColour(ColourUse::KeyFace, purple, true), syscolour::kButtonFace);
    EXPECT_EQ(ChooseColour(ColourUse::KeyDisabledText, purple, true), syscolour::kGrayText);
    EXPECT_EQ(ChooseColour(ColourUse::Window, 0xFFFFFF, true), syscolour::kWindow);
    EXPECT_EQ(ChooseColour(ColourUse::GridLine, 0xC0C0C0, true), syscolour::kWindowText);
}

}  // namespace
}  // namespace zentra
