// The clipboard script that Paste understands: an optional leading operation code, whole numbers
// one per line, and an optional trailing code on the line that ends the numbers.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zentra {

enum class ScriptCode : int { None, Factorization, Lcm, Gcd, Cancellation, Clear };

// The operation codes in index order: factorization, LCM, GCD, cancellation, clear.
inline constexpr std::array<std::string_view, 5> kOperationCodes{":*", ":l", ":g", ":/", ":c"};

using ScriptNumber = std::int64_t;

struct ClipboardScript {
    // True when the text holds a leading code or starts with a number worth entering.
    bool worthPasting = false;
    ScriptCode leadingCode = ScriptCode::None;
    // The number lines, each the integer part of the line's absolute leading number.
    std::vector<ScriptNumber> numbers;
    // A line whose number has more than 12 digits ended the numbers (it is not cut to a
    // different number).
    bool overlong = false;
    // The code on the line that ended the numbers (exact, lower case).
    ScriptCode trailingCode = ScriptCode::None;

    // A leading or trailing code: a calculation for the display, not text for a line.
    bool HasCode() const {
        return leadingCode != ScriptCode::None || trailingCode != ScriptCode::None;
    }
};

// CR LF, a lone LF and a lone CR each end a line; a text ending in a line end has no empty last
// line.
std::vector<std::string_view> SplitLines(std::string_view text);

ClipboardScript ParseClipboardScript(std::string_view text);

}  // namespace zentra
