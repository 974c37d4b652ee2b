// libFuzzer target: the clipboard script reader. Any program can put text on the clipboard and
// send "Paste", so the reader must agree with an independent reading of the script rules for every
// input: the numbers are exactly the script's number lines, in order, and nothing else.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/fuzz/ReferenceLeadingNumber.h"
#include "window/ClipboardScript.h"

namespace {

struct Expected {
    bool worthPasting = false;
    zentra::ScriptCode leading = zentra::ScriptCode::None;
    std::vector<zentra::ScriptNumber> numbers;
    bool overlong = false;
    zentra::ScriptCode trailing = zentra::ScriptCode::None;
};

constexpr const char* kCodes[] = {":*", ":l", ":g", ":/", ":c"};

zentra::ScriptCode Code(int index) {
    return static_cast<zentra::ScriptCode>(index + 1);
}

// The script rules read straight from their description: CR LF, LF and CR end lines.
Expected Reference(std::string text) {
    Expected e;
    if (text.empty()) return e;
    for (int i = 0; i < 5; ++i) {
        const std::string code = kCodes[i];
        std::string head = text.substr(0, 2);
        for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (head != code) continue;
        std::string removed;
        for (std::size_t p = 0; p < text.size();) {
            if (text.compare(p, 2, code) == 0) {
                p += 2;
            } else {
                removed.push_back(text[p++]);
            }
        }
        text = removed;
        e.leading = Code(i);
        e.worthPasting = true;
        break;
    }
    if (text.rfind("\r\n", 0) == 0) {
        text.erase(0, 2);
    } else if (!text.empty() && (text[0] == '\r' || text[0] == '\n')) {
        text.erase(0, 1);
    }
    std::vector<std::string> lines(1);
    for (std::size_t p = 0; p < text.size(); ++p) {
        if (text[p] == '\r' || text[p] == '\n') {
            if (text[p] == '\r' && p + 1 < text.size() && text[p + 1] == '\n') ++p;
            lines.emplace_back();
        } else {
            lines.back().push_back(text[p]);
        }
    }
    if (lines.back().empty()) lines.pop_back();  // a final line end opens no line
    auto value = [](const std::string& line) {
        return std::trunc(std::fabs(zentra::fuzz::ReferenceLeadingNumber(line)));
    };
    if (lines.empty() || value(lines[0]) == 0) return e;
    e.worthPasting = true;
    for (const std::string& line : lines) {
        const double v = value(line);
        if (!(v < 1e12)) {
            e.overlong = true;
            return e;
        }
        if (v == 0) {
            for (int i = 0; i < 5; ++i) {
                if (line == kCodes[i]) e.trailing = Code(i);
            }
            return e;
        }
        e.numbers.push_back(static_cast<zentra::ScriptNumber>(v));
    }
    return e;
}

void Expect(bool condition, const char* what, std::string_view text) {
    if (!condition) {
        std::fprintf(stderr, "clipboard script [%.*s]: %s\n", static_cast<int>(text.size()),
                     text.data(), what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto copy = std::make_unique<char[]>(size);
    if (size > 0) std::memcpy(copy.get(), data, size);
    const std::string_view text(copy.get(), size);
    const zentra::ClipboardScript script = zentra::ParseClipboardScript(text);
    const Expected expected = Reference(std::string(text));
    Expect(script.worthPasting == expected.worthPasting, "worth pasting differs", text);
    Expect(script.leadingCode == expected.leading, "leading code differs", text);
    Expect(script.numbers == expected.numbers, "numbers differ", text);
    Expect(script.overlong == expected.overlong, "overlong differs", text);
    Expect(script.trailingCode == expected.trailing, "trailing code differs", text);
    for (zentra::ScriptNumber n : script.numbers) Expect(n > 0 && n < 1000000000000, "range", text);
    return 0;
}
