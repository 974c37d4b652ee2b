// What the command line accepts as a number: a whole number written in decimal digits, with
// blanks around it and nothing else. Everything else is refused with the reason.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zentra::cli {

enum class Refusal {
    kEmpty,          // an argument with nothing but blanks
    kSign,           // "-12", "+5"
    kFraction,       // "12.7", "1,5"
    kExponent,       // "1e6", "2.5E+3"
    kNotDecimal,     // "abc", "0x1F", "&H1F"
    kBlankInside,    // "12 34"
    kTooManyDigits,  // more than the build's digit limit
    kTooLong,        // a line longer than the reader keeps
};

struct NumberReading {
    enum Kind { kBlank, kNumber, kRefused } kind = kBlank;
    std::string_view digits;  // kNumber: no leading zeros ("0" for zero)
    std::string_view text;    // the text without its surrounding blanks
    Refusal refusal = Refusal::kEmpty;
};

// Reads `line` against a limit of `maxDigits` significant digits.
NumberReading ReadNumber(std::string_view line, std::size_t maxDigits);

// "zentra-cli: \"12.7\": not a whole number" (without the line feed); long or unprintable input
// is shortened and escaped.
std::string RefusalMessage(std::string_view text, Refusal refusal, std::size_t maxDigits);

// Lines longer than this are refused without reading them further.
inline constexpr std::size_t kMaxLineLength = 4096;

}  // namespace zentra::cli
