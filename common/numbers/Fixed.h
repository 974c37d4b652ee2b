// Fixed-point number: a 64-bit signed count of ten-thousandths. Every number read from the display,
// every prime base and every exponent is held in it.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace zentra {

class Fixed {
  public:
    static constexpr std::int64_t kScale = 10000;
    // Largest whole number of the range (922,337,203,685,477).
    static constexpr std::int64_t kMaxWhole = INT64_MAX / kScale;

    constexpr Fixed() = default;
    static constexpr Fixed FromRaw(std::int64_t raw) { return Fixed(raw); }
    // A whole number; the caller keeps it within +-kMaxWhole.
    static constexpr Fixed FromWhole(std::int64_t whole) { return Fixed(whole * kScale); }
    // Rounds to the nearest ten-thousandth, ties to even; nullopt for NaN or values out of range.
    static std::optional<Fixed> FromDouble(double value);

    constexpr std::int64_t Raw() const { return raw_; }
    constexpr bool IsWhole() const { return raw_ % kScale == 0; }
    // The integer part (truncated toward zero).
    constexpr std::int64_t WholePart() const { return raw_ / kScale; }
    double ToDouble() const;
    // Decimal digits without separators or trailing zeros: "7", "12.5", "-0.25".
    std::string ToString() const;

    constexpr auto operator<=>(const Fixed&) const = default;

  private:
    constexpr explicit Fixed(std::int64_t raw) : raw_(raw) {}
    std::int64_t raw_ = 0;
};

}  // namespace zentra
