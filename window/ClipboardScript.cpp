#include "window/ClipboardScript.h"

#include <cctype>
#include <cmath>
#include <string>

#include "common/numbers/LeadingNumber.h"

namespace zentra {
namespace {

// Numbers are below 10^12: at most 12 digits.
constexpr double kNumberLimit = 1e12;

ScriptCode CodeAt(std::size_t index) {
    return static_cast<ScriptCode>(index + 1);
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const auto a = static_cast<unsigned char>(text[i]);
        const auto b = static_cast<unsigned char>(prefix[i]);
        if (std::tolower(a) != std::tolower(b)) return false;
    }
    return true;
}

std::string RemoveAll(std::string_view text, std::string_view what) {
    std::string out;
    std::size_t pos = 0;
    while (true) {
        const std::size_t hit = text.find(what, pos);
        out.append(text.substr(pos, hit == std::string_view::npos ? hit : hit - pos));
        if (hit == std::string_view::npos) return out;
        pos = hit + what.size();
    }
}

std::size_t LineEndLength(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return 0;
    if (text[pos] == '\r') return pos + 1 < text.size() && text[pos + 1] == '\n' ? 2 : 1;
    return text[pos] == '\n' ? 1 : 0;
}

// The integer part of the absolute value of the line's leading number (infinite when huge).
double LineValue(std::string_view line) {
    return std::trunc(std::fabs(LeadingNumber(line)));
}

ScriptCode TrailingCode(std::string_view line) {
    for (std::size_t i = 0; i < kOperationCodes.size(); ++i) {
        if (line == kOperationCodes[i]) return CodeAt(i);
    }
    return ScriptCode::None;
}

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t end = LineEndLength(text, pos);
        if (end == 0) {
            ++pos;
            continue;
        }
        lines.push_back(text.substr(start, pos - start));
        pos += end;
        start = pos;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

ClipboardScript ParseClipboardScript(std::string_view clipboard) {
    ClipboardScript script;
    if (clipboard.empty()) return script;
    std::string text(clipboard);
    for (std::size_t i = 0; i < kOperationCodes.size(); ++i) {
        if (StartsWithIgnoringCase(text, kOperationCodes[i])) {
            // Recognised in any case, but only exact occurrences are removed.
            text = RemoveAll(text, kOperationCodes[i]);
            script.leadingCode = CodeAt(i);
            script.worthPasting = true;
            break;
        }
    }
    const std::string_view rest = std::string_view(text).substr(LineEndLength(text, 0));
    const std::vector<std::string_view> lines = SplitLines(rest);
    const double first = lines.empty() ? 0 : LineValue(lines.front());
    if (first != 0) script.worthPasting = true;
    if (first == 0) return script;

    std::string_view endLine;
    for (std::string_view line : lines) {
        const double value = LineValue(line);
        if (!(value < kNumberLimit)) {
            script.overlong = true;
            return script;
        }
        if (value <= 0) {
            endLine = line;
            break;
        }
        script.numbers.push_back(static_cast<ScriptNumber>(value));
    }
    script.trailingCode = TrailingCode(endLine);
    return script;
}

}  // namespace zentra
