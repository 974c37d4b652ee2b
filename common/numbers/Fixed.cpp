#include "common/numbers/Fixed.h"

#include <cmath>

namespace zentra {

std::optional<Fixed> Fixed::FromDouble(double value) {
    if (std::isnan(value)) return std::nullopt;
    // nearbyint uses the default rounding mode: to nearest, ties to even.
    const double scaled = std::nearbyint(value * static_cast<double>(kScale));
    constexpr double kLimit = 9223372036854775808.0;  // 2^63
    if (!(scaled < kLimit && scaled >= -kLimit)) return std::nullopt;
    return Fixed(static_cast<std::int64_t>(scaled));
}

double Fixed::ToDouble() const {
    // Whole and fractional parts separately, so whole numbers convert exactly.
    return static_cast<double>(raw_ / kScale) +
           static_cast<double>(raw_ % kScale) / static_cast<double>(kScale);
}

std::string Fixed::ToString() const {
    const bool negative = raw_ < 0;
    // Work on the magnitude as unsigned so INT64_MIN is safe.
    const std::uint64_t magnitude =
        negative ? ~static_cast<std::uint64_t>(raw_) + 1 : static_cast<std::uint64_t>(raw_);
    std::string text = std::to_string(magnitude / kScale);
    std::uint64_t fraction = magnitude % kScale;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction + kScale).substr(1);  // four digits
        while (digits.back() == '0') digits.pop_back();
        text += '.' + digits;
    }
    return negative ? '-' + text : text;
}

}  // namespace zentra
