// The main window's stored keypad: one section per key in the property text form (PropertyBag.h),
// named after the key's array and index, e.g. "[bbDigit(7)]". Besides the button's eleven stored
// properties a section holds what the window keeps for the key:
//   Left, Top, Width, Height   integers, twips inside the keypad panel
//   ToolTipText                string ("" for none)
//   HelpContextID, WhatsThisHelpID   integers (0 for none)
//   Cancel                     Boolean; the Esc key presses this key
//   TabStop                    Boolean
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "controls/PropertyBag.h"

namespace zentra {

inline constexpr const char* kCommandButtonClassName = "Zentra.CommandButton";

struct KeyDesign {
    std::string array;  // "bbCntrl", "bbOper", "bbFunc" or "bbDigit"
    int index = 0;
    int left = 0;
    int top = 0;
    int width = 540;
    int height = 420;
    std::string toolTip;
    int helpContextId = 0;
    int whatsThisHelpId = 0;
    bool cancel = false;
    bool tabStop = false;
    // The button's own stored properties, for CommandButton::LoadProperties.
    PropertyBag properties;
};

// Sections whose name is not "array(index)" with a known array and an index of 0..31 are skipped,
// as are repeated keys; the keys come back in the order the text lists them.
std::vector<KeyDesign> LoadKeypadDesign(std::span<const std::uint8_t> bytes);

// The key with that array and index, or nullptr.
const KeyDesign* FindKey(const std::vector<KeyDesign>& keys, std::string_view array, int index);

}  // namespace zentra
