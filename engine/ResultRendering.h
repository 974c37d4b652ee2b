// The two text forms of a result: the linear text with its decimal value, and the rich text
// document of the result pane (raised exponents, raised dot, thousands separators).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/numbers/Decimal.h"
#include "engine/Factorizer.h"

namespace zentra {

inline constexpr std::string_view kResultTooLarge = "[Result too large]";
inline constexpr std::string_view kRtfHeader =
    "{\\rtf1\\ansi{\\fonttbl{\\f1\\fswiss Arial;}}\\plain\\f1\\ltrpar\\ltrch";

// Builds "value = factor text" (or the value alone for an empty list or a single prime) from the
// list, which ends at its first base that is not above 0. `value` receives the exact product, or
// nullopt when it left the decimal range.
std::string ResultText(std::span<const PrimePower> list, std::optional<Decimal>& value);

// Thousands separators before the decimal point of a value that starts with a digit 1-9.
std::string GroupThousands(std::string_view text);

// The result pane's RTF document for a linear text (empty for an empty text).
std::string RenderResultRtf(std::string_view text);

}  // namespace zentra
