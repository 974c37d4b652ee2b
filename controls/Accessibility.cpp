#include "controls/Accessibility.h"

#include <array>

namespace zentra {
namespace {

struct KeyText {
    std::string_view array;
    int index;
    std::string_view name;
    std::string_view shortcut;
};

// The shortcuts are the keys the tooltips name; an operator key's is its own character.
constexpr std::array<KeyText, 18> kKeys{{
    {"bbCntrl", 0, "Clear", "Esc"},
    {"bbCntrl", 1, "Delete number", "Del"},
    {"bbCntrl", 2, "Back", "Backspace"},
    {"bbCntrl", 3, "Enter", "Enter"},
    {"bbFunc", 0, "Factorization", "*"},
    {"bbFunc", 1, "Least common multiple", "Ctrl+L"},
    {"bbFunc", 2, "Greatest common divisor", "Ctrl+G"},
    {"bbFunc", 3, "Cancellation", "/"},
    {"bbFunc", 4, "Product", ""},
    {"bbOper", 0, "Decimal point", "."},
    {"bbOper", 1, "Divide", "/"},
    {"bbOper", 2, "Multiply", "*"},
    {"bbOper", 3, "Minus", "-"},
    {"bbOper", 4, "Plus", "+"},
    {"bbOper", 5, "Power", "^"},
    {"bbOper", 6, "Factorial", "!"},
    {"bbOper", 7, "Opening bracket", "("},
    {"bbOper", 8, "Closing bracket", ")"},
}};

bool IsDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

}  // namespace

KeyAccessText KeyAccessibleText(std::string_view array, int index, std::string_view caption) {
    if (array == "bbDigit" && index >= 0 && index <= 9) {
        const std::string digit(1, static_cast<char>('0' + index));
        return {digit, digit};
    }
    if (array == "bbCntrl" && index == 3 && caption == "=") return {"Equals", "Enter"};
    for (const KeyText& key : kKeys) {
        if (key.array == array && key.index == index) {
            return {std::string(key.name), std::string(key.shortcut)};
        }
    }
    return {std::string(caption), ""};
}

std::string FormulaPlainText(const RtfDocument& document) {
    std::string out;
    for (const RtfRun& run : document.runs) {
        const std::string_view text = document.TextOf(run);
        const bool raised = run.super || run.upHalfPoints > 0;
        if (raised && IsDigits(text)) out += '^';
        // The multiplication sign is a full stop set high.
        if (raised && text == ".") {
            out += '*';
        } else {
            out += text;
        }
    }
    return out;
}

Colour ChooseColour(ColourUse use, Colour designed, bool highContrast) {
    if (!highContrast) return designed;
    switch (use) {
        case ColourUse::KeyFace:
            return syscolour::kButtonFace;
        case ColourUse::KeyText:
            return syscolour::kButtonText;
        case ColourUse::KeyDisabledText:
            return syscolour::kGrayText;
        case ColourUse::Window:
            return syscolour::kWindow;
        case ColourUse::WindowText:
        case ColourUse::GridLine:
            return syscolour::kWindowText;
    }
    return designed;
}

}  // namespace zentra
