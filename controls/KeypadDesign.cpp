#include "controls/KeypadDesign.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>

#include "controls/CommandButton.h"

namespace zentra {
namespace {

constexpr std::string_view kArrays[] = {"bbCntrl", "bbOper", "bbFunc", "bbDigit"};

// "bbDigit(7)" into its array and index.
bool ParseKeyName(std::string_view name, std::string& array, int& index) {
    const std::size_t open = name.find('(');
    if (open == std::string_view::npos || name.size() < open + 3 || name.back() != ')') {
        return false;
    }
    const std::string_view arrayName = name.substr(0, open);
    if (std::find(std::begin(kArrays), std::end(kArrays), arrayName) == std::end(kArrays)) {
        return false;
    }
    const std::string_view digits = name.substr(open + 1, name.size() - open - 2);
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || value < 0 || value > 31) {
        return false;
    }
    array = arrayName;
    index = value;
    return true;
}

void ReadInt(const PropertyBag& bag, std::string_view key, int& out) {
    if (auto value = bag.Read(key)) {
        if (auto* number = std::get_if<std::int32_t>(&*value)) out = *number;
    }
}

void ReadBool(const PropertyBag& bag, std::string_view key, bool& out) {
    if (auto value = bag.Read(key)) {
        if (auto* flag = std::get_if<bool>(&*value)) out = *flag;
    }
}

void ReadString(const PropertyBag& bag, std::string_view key, std::string& out) {
    if (auto value = bag.Read(key)) {
        if (auto* text = std::get_if<std::string>(&*value)) out = *text;
    }
}

}  // namespace

std::vector<KeyDesign> LoadKeypadDesign(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<KeyDesign> keys;
    for (const PropertySection& section : ReadPropertySections(text)) {
        KeyDesign key;
        if (!ParseKeyName(section.name, key.array, key.index)) continue;
        if (FindKey(keys, key.array, key.index) != nullptr) continue;
        const PropertyBag& bag = section.properties;
        ReadInt(bag, "Left", key.left);
        ReadInt(bag, "Top", key.top);
        ReadInt(bag, "Width", key.width);
        ReadInt(bag, "Height", key.height);
        ReadString(bag, "ToolTipText", key.toolTip);
        ReadInt(bag, "HelpContextID", key.helpContextId);
        ReadInt(bag, "WhatsThisHelpID", key.whatsThisHelpId);
        ReadBool(bag, "Cancel", key.cancel);
        ReadBool(bag, "TabStop", key.tabStop);
        for (const char* name : kButtonPropertyKeys) {
            if (auto value = bag.Read(name)) key.properties.Write(name, std::move(*value));
        }
        keys.push_back(std::move(key));
    }
    return keys;
}

const KeyDesign* FindKey(const std::vector<KeyDesign>& keys, std::string_view array, int index) {
    for (const KeyDesign& key : keys) {
        if (key.array == array && key.index == index) return &key;
    }
    return nullptr;
}

}  // namespace zentra
