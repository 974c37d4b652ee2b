// The keyed property store of the push button and its text form.
//
// Text form, one property a line ("Name = Value"); blank lines and lines starting with '#' are
// ignored, and "[Name]" starts a section (used by stored designs that hold several controls).
// Values:
//   True | False                      Boolean
//   -123                              32-bit integer
//   0x8000000F                        colour (0x00BBGGRR, or 0x800000nn for system colour nn)
//   "text"                            string; escapes \" \\ \n \r \t and \xHH (any byte)
//   Font("Arial", 9.75, 700, 0, False, False, False)
//                                     font: face, points (up to 2 decimals), weight, charset,
//                                     italic, underline, strikethrough (the flags may be left out)
//   Bytes(424D3600...)                raw bytes in hex (pictures, icons)
//   Nothing                           no object
// Writing then reading gives back the same properties in the same order. A line that cannot be
// read is skipped; reading never fails as a whole.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "controls/ButtonTypes.h"

namespace zentra {

struct ColourValue {
    Colour value = 0;
    friend bool operator==(const ColourValue&, const ColourValue&) = default;
};

struct BytesValue {
    std::vector<std::uint8_t> bytes;
    friend bool operator==(const BytesValue&, const BytesValue&) = default;
};

using PropertyValue = std::variant<std::monostate, bool, std::int32_t, ColourValue, std::string,
                                   ButtonFont, BytesValue>;

// Keys keep the order in which they were first written; lookup ignores ASCII case.
class PropertyBag {
  public:
    void Write(std::string_view key, PropertyValue value);
    std::optional<PropertyValue> Read(std::string_view key) const;
    bool Contains(std::string_view key) const { return Read(key).has_value(); }

    const std::vector<std::pair<std::string, PropertyValue>>& Entries() const { return entries_; }
    std::vector<std::string> Keys() const;

    friend bool operator==(const PropertyBag&, const PropertyBag&) = default;

  private:
    std::vector<std::pair<std::string, PropertyValue>> entries_;
};

struct PropertySection {
    std::string name;
    PropertyBag properties;
};

std::string FormatPropertyValue(const PropertyValue& value);
std::optional<PropertyValue> ParsePropertyValue(std::string_view text);

std::string WritePropertyText(const PropertyBag& bag);
// Properties before the first section header, or of a text without sections.
PropertyBag ReadPropertyText(std::string_view text);

std::string WritePropertySections(const std::vector<PropertySection>& sections);
// Properties before the first header are dropped; a section may repeat a name.
std::vector<PropertySection> ReadPropertySections(std::string_view text);

}  // namespace zentra
