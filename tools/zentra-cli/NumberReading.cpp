#include "NumberReading.h"

#include <cstdio>

namespace zentra::cli {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i;
}

// Digits, an optional point with digits, then E, an optional sign and digits: "1e6", "2.5E+3".
bool IsExponentForm(std::string_view text) {
    std::size_t i = SkipDigits(text, 0);
    bool mantissa = i > 0;
    if (i < text.size() && text[i] == '.') {
        const std::size_t end = SkipDigits(text, i + 1);
        mantissa = mantissa || end > i + 1;
        i = end;
    }
    if (!mantissa || i == text.size() || (text[i] != 'e' && text[i] != 'E')) return false;
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t end = SkipDigits(text, i);
    return end > i && end == text.size();
}

Refusal WhyNotDigits(std::string_view text, std::size_t firstOther) {
    const char c = text[firstOther];
    if (firstOther == 0 && (c == '+' || c == '-')) return Refusal::kSign;
    if (IsExponentForm(text)) return Refusal::kExponent;
    if (c == '.' || c == ',') return Refusal::kFraction;
    if (IsBlank(c)) return Refusal::kBlankInside;
    return Refusal::kNotDecimal;
}

std::string Reason(Refusal refusal, std::size_t maxDigits) {
    switch (refusal) {
        case Refusal::kEmpty:
            return "empty";
        case Refusal::kSign:
            return "a sign is not read: numbers are whole and 0 or more";
        case Refusal::kFraction:
            return "not a whole number";
        case Refusal::kExponent:
            return "an exponent is not read: write all the digits";
        case Refusal::kNotDecimal:
            return "not a decimal number";
        case Refusal::kBlankInside:
            return "a blank between digits: one number per line";
        case Refusal::kTooManyDigits:
            return "more than " + std::to_string(maxDigits) + " digits";
        case Refusal::kTooLong:
            return "longer than " + std::to_string(kMaxLineLength) + " characters";
    }
    return "refused";
}

// The input as the message names it: quotes, backslashes and control characters escaped, and cut
// after 60 bytes (not inside a UTF-8 sequence).
std::string Quoted(std::string_view text) {
    constexpr std::size_t kShown = 60;
    bool cut = false;
    if (text.size() > kShown) {
        std::size_t end = kShown;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
        text = text.substr(0, end);
        cut = true;
    }
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + (cut ? "...\"" : "\"");
}

}  // namespace

NumberReading ReadNumber(std::string_view line, std::size_t maxDigits) {
    NumberReading reading;
    reading.text = Trim(line);
    const std::string_view text = reading.text;
    if (text.empty()) return reading;
    const std::size_t end = SkipDigits(text, 0);
    if (end < text.size()) {
        reading.kind = NumberReading::kRefused;
        reading.refusal = WhyNotDigits(text, end);
        return reading;
    }
    std::size_t start = 0;
    while (start + 1 < text.size() && text[start] == '0') ++start;
    reading.digits = text.substr(start);
    if (reading.digits.size() > maxDigits) {
        reading.kind = NumberReading::kRefused;
        reading.refusal = Refusal::kTooManyDigits;
        return reading;
    }
    reading.kind = NumberReading::kNumber;
    return reading;
}

std::string RefusalMessage(std::string_view text, Refusal refusal, std::size_t maxDigits) {
    return "zentra-cli: " + Quoted(text) + ": " + Reason(refusal, maxDigits);
}

}  // namespace zentra::cli
