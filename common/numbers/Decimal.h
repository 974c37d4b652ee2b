// Decimal number: a 96-bit unsigned mantissa, a sign and a decimal scale (0..28), the type in which
// a result's value is computed. Every operation detects overflow instead of wrapping.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>

#include "common/numbers/Fixed.h"

namespace zentra {

class Decimal {
  public:
    static constexpr int kMaxScale = 28;

    constexpr Decimal() = default;
    static Decimal FromInt64(std::int64_t value);
    static Decimal FromFixed(Fixed value);
    // Parses plain decimal text ("-12.5"); nullopt when it is not such a text or does not fit.
    static std::optional<Decimal> Parse(const std::string& text);

    // nullopt on overflow of the 96-bit range. Digits beyond scale 28 are rounded (ties to even).
    static std::optional<Decimal> Multiply(const Decimal& a, const Decimal& b);
    // Quotient with as many decimals as fit (at most 28), rounded ties to even; nullopt on division
    // by zero or overflow.
    static std::optional<Decimal> Divide(const Decimal& a, const Decimal& b);
    // base^exponent for exponent >= 0, by repeated exact multiplication; nullopt on overflow.
    static std::optional<Decimal> Power(const Decimal& base, std::int64_t exponent);

    bool IsZero() const { return mantissa_[0] == 0 && mantissa_[1] == 0 && mantissa_[2] == 0; }
    bool IsNegative() const { return negative_ && !IsZero(); }
    int Scale() const { return scale_; }
    // Plain digits with a decimal point only where needed: "36", "156.25", "-0.5".
    std::string ToString() const;

    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);
    friend bool operator==(const Decimal& a, const Decimal& b) { return (a <=> b) == 0; }

  private:
    std::array<std::uint32_t, 3> mantissa_{};  // little-endian 32-bit limbs
    std::uint8_t scale_ = 0;
    bool negative_ = false;
};

}  // namespace zentra
