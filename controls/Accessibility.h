// What the program tells a screen reader and which colours it draws with, as data: the keypad
// keys' names and shortcuts, the result formula as plain text, and the colour for each use with
// the system's high-contrast setting on or off.
#pragma once

#include <string>
#include <string_view>

#include "common/display/RtfRuns.h"
#include "controls/ButtonTypes.h"

namespace zentra {

struct KeyAccessText {
    std::string name;      // what the key does
    std::string shortcut;  // the keyboard key that presses it; empty when none does
};

// A key of the stored design by its array ("bbDigit", "bbOper", "bbCntrl", "bbFunc") and index;
// `caption` tells the Enter key's two modes apart ("=" in the linear mode). An unknown key is
// named by its caption.
KeyAccessText KeyAccessibleText(std::string_view array, int index, std::string_view caption);

// The result as one line of plain text: raised exponents as "^n", the raised dot as "*".
std::string FormulaPlainText(const RtfDocument& document);

// What a colour paints.
enum class ColourUse {
    KeyFace,
    KeyText,
    KeyDisabledText,
    Window,      // the grid's and the result pane's background
    WindowText,  // their text
    GridLine,
};

// The designed colour, or with high contrast on the user's system colour for its use.
Colour ChooseColour(ColourUse use, Colour designed, bool highContrast);

}  // namespace zentra
