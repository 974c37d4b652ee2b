#include "common/numbers/LeadingNumber.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace zentra {
namespace {

bool IsSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the text with the skipped characters removed, one character at a time.
class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) { Skip(); }
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    char Take() {
        const char c = Peek();
        ++pos_;
        Skip();
        return c;
    }

  private:
    void Skip() {
        while (pos_ < text_.size() && IsSkipped(text_[pos_])) ++pos_;
    }
    std::string_view text_;
    std::size_t pos_ = 0;
};

int DigitValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// "&H" / "&O" literals are 16-bit when they fit 16 bits and 32-bit otherwise, both signed, as
// integer literals of the platform are; wider literals are no number.
double RadixLiteral(Reader& reader, int radix) {
    std::uint64_t value = 0;
    while (DigitValue(reader.Peek()) < radix) {
        value = value * static_cast<std::uint64_t>(radix) +
                static_cast<std::uint64_t>(DigitValue(reader.Take()));
        if (value > 0xFFFFFFFFu) return 0.0;
    }
    if (value <= 0xFFFF) return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// Exact when the significant digits and the power of ten are both exactly representable (one
// rounding); otherwise the C library's correctly rounded conversion.
double ToDouble(const std::string& digits, int exponent, bool negative) {
    std::uint64_t mantissa = 0;
    bool exact = digits.size() <= 15;
    if (exact) {
        for (char c : digits) mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
    }
    double value;
    if (exact && exponent >= -22 && exponent <= 22) {
        static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        const double m = static_cast<double>(mantissa);
        value = exponent >= 0 ? m * kPowers[exponent] : m / kPowers[-exponent];
    } else {
        const std::string text = digits + "e" + std::to_string(exponent);
        value = std::strtod(text.c_str(), nullptr);
    }
    return negative ? -value : value;
}

}  // namespace

double LeadingNumber(std::string_view text) {
    Reader reader(text);
    if (reader.Peek() == '&') {
        reader.Take();
        const char kind = reader.Peek();
        if (kind == 'H' || kind == 'h') {
            reader.Take();
            return RadixLiteral(reader, 16);
        }
        if (kind == 'O' || kind == 'o') {
            reader.Take();
            return RadixLiteral(reader, 8);
        }
        return 0.0;
    }
    bool negative = false;
    if (reader.Peek() == '-' || reader.Peek() == '+') negative = reader.Take() == '-';

    std::string digits;  // significant digits, leading zeros dropped
    int exponent = 0;    // power of ten that applies to `digits`
    bool any = false;
    while (IsDigit(reader.Peek())) {
        const char c = reader.Take();
        any = true;
        if (!digits.empty() || c != '0') digits.push_back(c);
    }
    if (reader.Peek() == '.') {
        reader.Take();
        while (IsDigit(reader.Peek())) {
            const char c = reader.Take();
            any = true;
            if (!digits.empty() || c != '0') digits.push_back(c);
            --exponent;
        }
    }
    if (!any) return 0.0;
    const char marker = reader.Peek();
    if (marker == 'E' || marker == 'e' || marker == 'D' || marker == 'd') {
        reader.Take();
        bool expNegative = false;
        if (reader.Peek() == '-' || reader.Peek() == '+') expNegative = reader.Take() == '-';
        long long written = 0;
        while (IsDigit(reader.Peek())) {
            written = written * 10 + (reader.Take() - '0');
            if (written > 100000) written = 100000;  // far beyond any double either way
        }
        exponent += static_cast<int>(expNegative ? -written : written);
    }
    if (digits.empty()) return negative ? -0.0 : 0.0;
    // Trailing zeros go into the exponent so the fast path stays exact for "1000000000000".
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    return ToDouble(digits, exponent, negative);
}

std::optional<Fixed> LeadingFixed(std::string_view text) {
    return Fixed::FromDouble(LeadingNumber(text));
}

}  // namespace zentra
