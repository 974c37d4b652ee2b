#include "controls/PropertyBag.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace zentra {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

constexpr char kHex[] = "0123456789ABCDEF";

void AppendHexByte(std::string& out, std::uint8_t byte) {
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

std::string QuoteString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (byte < 0x20 || byte >= 0x7F) {
                    out += "\\x";
                    AppendHexByte(out, byte);
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

std::string FormatPoints(int centipoints) {
    std::string out = std::to_string(centipoints / 100);
    const int fraction = centipoints % 100;
    if (fraction != 0) {
        out += '.';
        out += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0) out += static_cast<char>('0' + fraction % 10);
    }
    return out;
}

const char* FormatBool(bool value) {
    return value ? "True" : "False";
}

// A cursor over one value's text.
class ValueReader {
  public:
    explicit ValueReader(std::string_view text) : text_(text) {}

    bool AtEnd() {
        SkipBlanks();
        return pos_ == text_.size();
    }

    bool Take(char c) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool TakeWord(std::string_view word) {
        SkipBlanks();
        if (text_.size() - pos_ < word.size()) return false;
        if (!EqualsIgnoringCase(text_.substr(pos_, word.size()), word)) return false;
        const std::size_t end = pos_ + word.size();
        if (end < text_.size() && std::isalnum(static_cast<unsigned char>(text_[end])))
            return false;
        pos_ = end;
        return true;
    }

    std::optional<bool> Bool() {
        if (TakeWord("True")) return true;
        if (TakeWord("False")) return false;
        return std::nullopt;
    }

    std::optional<std::string> String() {
        if (!Take('"')) return std::nullopt;
        std::string out;
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '"') return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size()) return std::nullopt;
            const char e = text_[pos_++];
            switch (e) {
                case '"':
                    out += '"';
                    break;
                case '\\':
                    out += '\\';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'x': {
                    if (text_.size() - pos_ < 2) return std::nullopt;
                    const int high = HexDigit(text_[pos_]);
                    const int low = HexDigit(text_[pos_ + 1]);
                    if (high < 0 || low < 0) return std::nullopt;
                    out += static_cast<char>(high * 16 + low);
                    pos_ += 2;
                    break;
                }
                default:
                    return std::nullopt;
            }
        }
        return std::nullopt;  // no closing quote
    }

    // A decimal integer, optionally signed.
    std::optional<std::int32_t> Integer() {
        SkipBlanks();
        std::int32_t value = 0;
        const char* begin = text_.data() + pos_;
        const char* end = text_.data() + text_.size();
        const auto [next, error] = std::from_chars(begin, end, value);
        if (error != std::errc() || next == begin) return std::nullopt;
        pos_ += static_cast<std::size_t>(next - begin);
        return value;
    }

    // "0x" and one to eight hex digits.
    std::optional<Colour> HexColour() {
        SkipBlanks();
        if (text_.size() - pos_ < 3 || text_[pos_] != '0' ||
            (text_[pos_ + 1] != 'x' && text_[pos_ + 1] != 'X')) {
            return std::nullopt;
        }
        std::size_t at = pos_ + 2;
        std::uint64_t value = 0;
        int digits = 0;
        while (at < text_.size() && HexDigit(text_[at]) >= 0) {
            value = value * 16 + static_cast<std::uint64_t>(HexDigit(text_[at++]));
            if (++digits > 8) return std::nullopt;
        }
        if (digits == 0) return std::nullopt;
        pos_ = at;
        return static_cast<Colour>(value);
    }

    // Points with at most two decimals, as hundredths of a point.
    std::optional<int> Centipoints() {
        SkipBlanks();
        long long whole = 0;
        int digits = 0;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
            whole = whole * 10 + (text_[pos_++] - '0');
            if (++digits > 5) return std::nullopt;
        }
        if (digits == 0) return std::nullopt;
        int fraction = 0;
        if (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            int decimals = 0;
            while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
                if (++decimals > 2) return std::nullopt;
                fraction = fraction * 10 + (text_[pos_++] - '0');
            }
            if (decimals == 1) fraction *= 10;
        }
        return static_cast<int>(whole * 100 + fraction);
    }

    std::optional<std::vector<std::uint8_t>> HexBytes() {
        SkipBlanks();
        std::vector<std::uint8_t> bytes;
        while (pos_ + 1 < text_.size() && HexDigit(text_[pos_]) >= 0) {
            const int low = HexDigit(text_[pos_ + 1]);
            if (low < 0) return std::nullopt;
            bytes.push_back(static_cast<std::uint8_t>(HexDigit(text_[pos_]) * 16 + low));
            pos_ += 2;
        }
        return bytes;
    }

  private:
    void SkipBlanks() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

std::optional<ButtonFont> ReadFontArguments(ValueReader& in) {
    ButtonFont font;
    auto name = in.String();
    if (!name || name->empty() || !in.Take(',')) return std::nullopt;
    font.name = std::move(*name);
    auto size = in.Centipoints();
    if (!size || *size < 1 || *size > 163800 || !in.Take(',')) return std::nullopt;
    font.sizeCentipoints = *size;
    auto weight = in.Integer();
    if (!weight || *weight < 0 || *weight > 1000 || !in.Take(',')) return std::nullopt;
    font.weight = *weight;
    auto charset = in.Integer();
    if (!charset || *charset < 0 || *charset > 255) return std::nullopt;
    font.charset = *charset;
    bool* flags[] = {&font.italic, &font.underline, &font.strikethrough};
    for (bool* flag : flags) {
        if (!in.Take(',')) break;
        auto value = in.Bool();
        if (!value) return std::nullopt;
        *flag = *value;
    }
    if (!in.Take(')')) return std::nullopt;
    return font;
}

std::optional<PropertyValue> ReadValue(ValueReader& in) {
    if (auto flag = in.Bool()) return PropertyValue{*flag};
    if (in.TakeWord("Nothing")) return PropertyValue{};
    if (in.TakeWord("Font")) {
        if (!in.Take('(')) return std::nullopt;
        auto font = ReadFontArguments(in);
        if (!font) return std::nullopt;
        return PropertyValue{std::move(*font)};
    }
    if (in.TakeWord("Bytes")) {
        if (!in.Take('(')) return std::nullopt;
        auto bytes = in.HexBytes();
        if (!bytes || !in.Take(')')) return std::nullopt;
        return PropertyValue{BytesValue{std::move(*bytes)}};
    }
    if (auto text = in.String()) return PropertyValue{std::move(*text)};
    if (auto colour = in.HexColour()) return PropertyValue{ColourValue{*colour}};
    if (auto number = in.Integer()) return PropertyValue{*number};
    return std::nullopt;
}

bool IsKeyChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '(' ||
           c == ')';
}

// "Name = Value" into the bag; false when the line is not of that shape.
bool ReadPropertyLine(std::string_view line, PropertyBag& bag) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    const std::string_view key = Trim(line.substr(0, equals));
    if (key.empty() || !std::all_of(key.begin(), key.end(), IsKeyChar)) return false;
    auto value = ParsePropertyValue(line.substr(equals + 1));
    if (!value) return false;
    bag.Write(key, std::move(*value));
    return true;
}

template <typename LineFn>
void ForEachLine(std::string_view text, LineFn&& fn) {
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        fn(Trim(text.substr(0, end)));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

std::optional<std::string_view> SectionHeader(std::string_view line) {
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
    return Trim(line.substr(1, line.size() - 2));
}

}  // namespace

void PropertyBag::Write(std::string_view key, PropertyValue value) {
    for (auto& [name, stored] : entries_) {
        if (EqualsIgnoringCase(name, key)) {
            stored = std::move(value);
            return;
        }
    }
    entries_.emplace_back(std::string(key), std::move(value));
}

std::optional<PropertyValue> PropertyBag::Read(std::string_view key) const {
    for (const auto& [name, stored] : entries_) {
        if (EqualsIgnoringCase(name, key)) return stored;
    }
    return std::nullopt;
}

std::vector<std::string> PropertyBag::Keys() const {
    std::vector<std::string> keys;
    for (const auto& entry : entries_) keys.push_back(entry.first);
    return keys;
}

std::string FormatPropertyValue(const PropertyValue& value) {
    struct Formatter {
        std::string operator()(std::monostate) const { return "Nothing"; }
        std::string operator()(bool flag) const { return FormatBool(flag); }
        std::string operator()(std::int32_t number) const { return std::to_string(number); }
        std::string operator()(const ColourValue& colour) const {
            std::string out = "0x";
            for (int shift = 24; shift >= 0; shift -= 8) {
                AppendHexByte(out, static_cast<std::uint8_t>(colour.value >> shift));
            }
            return out;
        }
        std::string operator()(const std::string& text) const { return QuoteString(text); }
        std::string operator()(const ButtonFont& font) const {
            return "Font(" + QuoteString(font.name) + ", " + FormatPoints(font.sizeCentipoints) +
                   ", " + std::to_string(font.weight) + ", " + std::to_string(font.charset) + ", " +
                   FormatBool(font.italic) + ", " + FormatBool(font.underline) + ", " +
                   FormatBool(font.strikethrough) + ")";
        }
        std::string operator()(const BytesValue& data) const {
            std::string out = "Bytes(";
            for (std::uint8_t byte : data.bytes) AppendHexByte(out, byte);
            return out + ")";
        }
    };
    return std::visit(Formatter{}, value);
}

std::optional<PropertyValue> ParsePropertyValue(std::string_view text) {
    ValueReader in(text);
    auto value = ReadValue(in);
    if (!value || !in.AtEnd()) return std::nullopt;
    return value;
}

std::string WritePropertyText(const PropertyBag& bag) {
    std::string out;
    for (const auto& [key, value] : bag.Entries()) {
        out += key + " = " + FormatPropertyValue(value) + "\n";
    }
    return out;
}

PropertyBag ReadPropertyText(std::string_view text) {
    PropertyBag bag;
    bool inSection = false;
    ForEachLine(text, [&](std::string_view line) {
        if (SectionHeader(line)) inSection = true;
        if (inSection || line.empty() || line.front() == '#') return;
        ReadPropertyLine(line, bag);
    });
    return bag;
}

std::string WritePropertySections(const std::vector<PropertySection>& sections) {
    std::string out;
    for (const auto& section : sections) {
        if (!out.empty()) out += "\n";
        out += "[" + section.name + "]\n" + WritePropertyText(section.properties);
    }
    return out;
}

std::vector<PropertySection> ReadPropertySections(std::string_view text) {
    std::vector<PropertySection> sections;
    ForEachLine(text, [&](std::string_view line) {
        if (auto name = SectionHeader(line)) {
            sections.push_back({std::string(*name), {}});
            return;
        }
        if (sections.empty() || line.empty() || line.front() == '#') return;
        ReadPropertyLine(line, sections.back().properties);
    });
    return sections;
}

}  // namespace zentra
