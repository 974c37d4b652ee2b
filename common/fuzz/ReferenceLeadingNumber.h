// An independent reading of the leading-number rule, for the fuzzers: the skipped characters are
// removed first, the number is cut out of what remains as text, and the C library converts it.
// Slow and simple on purpose; it shares no code with common/numbers/LeadingNumber.cpp.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace zentra::fuzz {

inline double ReferenceLeadingNumber(std::string_view text) {
    std::string s;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') s.push_back(c);
    }
    std::size_t i = 0;
    auto digitsWhile = [&](auto accept) {
        const std::size_t from = i;
        while (i < s.size() && accept(s[i])) ++i;
        return s.substr(from, i - from);
    };
    auto isDec = [](char c) { return c >= '0' && c <= '9'; };
    if (!s.empty() && s[0] == '&') {
        if (s.size() < 2) return 0.0;
        const char kind = static_cast<char>(s[1] | 0x20);
        if (kind != 'h' && kind != 'o') return 0.0;
        i = 2;
        const bool hex = kind == 'h';
        const std::string digits = digitsWhile([&](char c) {
            return hex ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : c >= '0' && c <= '7';
        });
        // Leading zeros do not count towards the width.
        const std::size_t first = digits.find_first_not_of('0');
        const std::string significant = first == std::string::npos ? "" : digits.substr(first);
        if (significant.size() > (hex ? 8u : 11u)) return 0.0;
        const unsigned long long value =
            significant.empty() ? 0 : std::strtoull(significant.c_str(), nullptr, hex ? 16 : 8);
        if (value > 0xFFFFFFFFull) return 0.0;
        if (value <= 0xFFFF) return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) number.push_back(s[i++]);
    const std::string whole = digitsWhile(isDec);
    std::string fraction;
    bool point = false;
    if (i < s.size() && s[i] == '.') {
        ++i;
        point = true;
        fraction = digitsWhile(isDec);
    }
    if (whole.empty() && fraction.empty()) return 0.0;
    number += whole.empty() ? "0" : whole;
    if (point && !fraction.empty()) number += "." + fraction;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        ++i;
        std::string sign;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) sign = s[i++];
        const std::string exponent = digitsWhile(isDec);
        number += "e" + sign + (exponent.empty() ? "0" : exponent);
    }
    return std::strtod(number.c_str(), nullptr);
}

}  // namespace zentra::fuzz
