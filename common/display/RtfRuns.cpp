#include "common/display/RtfRuns.h"

#include <algorithm>
#include <string>

namespace zentra {
namespace {

struct Format {
    int halfPoints = 24;
    int up = 0;
    bool super = false;
    bool skip = false;  // inside a destination such as the font table
};

class DocumentBuilder {
  public:
    void Add(char c, const Format& format) { Add(std::string_view(&c, 1), format); }
    void Add(std::string_view text, const Format& format) {
        if (format.skip) return;
        auto& runs = document_.runs;
        if (runs.empty() || runs.back().halfPoints != format.halfPoints ||
            runs.back().upHalfPoints != format.up || runs.back().super != format.super) {
            runs.push_back({static_cast<std::uint32_t>(document_.text.size()), 0, format.halfPoints,
                            format.up, format.super});
        }
        document_.text += text;
        runs.back().length += static_cast<std::uint32_t>(text.size());
    }
    // Room for what a document of `rtf` can hold, taken once rather than grown step by step.
    void Reserve(std::string_view rtf) {
        document_.text.reserve(rtf.size());
        document_.runs.reserve(static_cast<std::size_t>(std::count(rtf.begin(), rtf.end(), '{')) +
                               1);
    }
    RtfDocument Take() { return std::move(document_); }

  private:
    RtfDocument document_;
};

// ASCII only, without the C library's locale: the parser sees every character of documents of
// megabytes.
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsMarkup(char c) {
    return c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsDestination(std::string_view word) {
    return word == "fonttbl" || word == "colortbl" || word == "stylesheet" || word == "info" ||
           word == "pict" || word == "*";
}

}  // namespace

RtfDocument ParseRtfDocument(std::string_view rtf) {
    DocumentBuilder builder;
    builder.Reserve(rtf);
    std::vector<Format> stack;
    Format format;
    std::size_t i = 0;
    while (i < rtf.size()) {
        const char c = rtf[i];
        if (c == '{') {
            stack.push_back(format);
            ++i;
        } else if (c == '}') {
            if (!stack.empty()) {
                format = stack.back();
                stack.pop_back();
            }
            ++i;
        } else if (c == '\\') {
            ++i;
            if (i >= rtf.size()) break;
            const char next = rtf[i];
            if (next == '\\' || next == '{' || next == '}') {
                builder.Add(next, format);
                ++i;
                continue;
            }
            if (next == '\'' && i + 2 < rtf.size()) {
                const int high = HexValue(rtf[i + 1]);
                const int low = HexValue(rtf[i + 2]);
                if (high >= 0 && low >= 0) builder.Add(static_cast<char>(high * 16 + low), format);
                i += 3;
                continue;
            }
            if (!IsLetter(next)) {
                if (next == '*') format.skip = true;
                ++i;
                continue;
            }
            const std::size_t wordStart = i;
            while (i < rtf.size() && IsLetter(rtf[i])) ++i;
            const std::string_view word = rtf.substr(wordStart, i - wordStart);
            bool hasParam = false;
            int param = 0;
            bool negative = false;
            if (i < rtf.size() && rtf[i] == '-') {
                negative = true;
                ++i;
            }
            while (i < rtf.size() && IsDigit(rtf[i])) {
                hasParam = true;
                if (param < 100000) param = param * 10 + (rtf[i] - '0');
                ++i;
            }
            if (negative) param = -param;
            if (i < rtf.size() && rtf[i] == ' ') ++i;  // the delimiter blank is not text
            if (word == "fs" && hasParam)
                format.halfPoints = param;
            else if (word == "up")
                format.up = hasParam ? param : 6;
            else if (word == "super")
                format.super = true;
            else if (word == "nosupersub")
                format.super = false;
            else if (word == "plain") {
                format.halfPoints = 24;
                format.up = 0;
                format.super = false;
            } else if (word == "par" || word == "line")
                builder.Add('\n', format);
            else if (word == "tab")
                builder.Add('\t', format);
            else if (IsDestination(word))
                format.skip = true;
        } else if (c == '\r' || c == '\n') {
            ++i;  // line breaks of the RTF source are not text
        } else {
            // Plain characters up to the next markup go in at once.
            const std::size_t start = i;
            while (i < rtf.size() && !IsMarkup(rtf[i])) ++i;
            builder.Add(rtf.substr(start, i - start), format);
        }
    }
    return builder.Take();
}

std::string RtfPlainText(std::string_view rtf) {
    return ParseRtfDocument(rtf).text;
}

std::string EscapeRtfText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendEscapedRtfText(out, text);
    return out;
}

void AppendEscapedRtfText(std::string& out, std::string_view text) {
    std::size_t plain = 0;  // start of the characters not yet appended
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c != '\\' && c != '{' && c != '}' && byte < 0x80) continue;
        out.append(text, plain, i - plain);
        plain = i + 1;
        if (byte >= 0x80) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\'";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += '\\';
            out += c;
        }
    }
    out.append(text, plain, text.size() - plain);
}

}  // namespace zentra
