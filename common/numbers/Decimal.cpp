#include "common/numbers/Decimal.h"

#include <algorithm>
#include <cctype>

namespace zentra {
namespace {

// Unsigned integer of 8 x 32 bits, enough for the product of two 96-bit mantissas times 10^28.
using Wide = std::array<std::uint32_t, 8>;

Wide WideFrom(const std::array<std::uint32_t, 3>& limbs) {
    Wide w{};
    std::copy(limbs.begin(), limbs.end(), w.begin());
    return w;
}

bool IsWideZero(const Wide& w) {
    return std::all_of(w.begin(), w.end(), [](std::uint32_t limb) { return limb == 0; });
}

// Returns false when the result no longer fits.
bool MulSmall(Wide& w, std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (auto& limb : w) {
        const std::uint64_t product = static_cast<std::uint64_t>(limb) * factor + carry;
        limb = static_cast<std::uint32_t>(product);
        carry = product >> 32;
    }
    return carry == 0;
}

// Divides in place, returns the remainder.
std::uint32_t DivSmall(Wide& w, std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (auto i = w.size(); i-- > 0;) {
        const std::uint64_t current = (remainder << 32) | w[i];
        w[i] = static_cast<std::uint32_t>(current / divisor);
        remainder = current % divisor;
    }
    return static_cast<std::uint32_t>(remainder);
}

Wide Mul(const Wide& a, const Wide& b) {
    Wide result{};
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; i + j < result.size(); ++j) {
            const std::uint64_t current =
                static_cast<std::uint64_t>(a[i]) * b[j] + result[i + j] + carry;
            result[i + j] = static_cast<std::uint32_t>(current);
            carry = current >> 32;
        }
    }
    return result;
}

int Compare(const Wide& a, const Wide& b) {
    for (auto i = a.size(); i-- > 0;) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

void Sub(Wide& a, const Wide& b) {  // a >= b
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::int64_t current = static_cast<std::int64_t>(a[i]) - b[i] - borrow;
        borrow = current < 0 ? 1 : 0;
        if (current < 0) current += std::int64_t{1} << 32;
        a[i] = static_cast<std::uint32_t>(current);
    }
}

void ShiftLeft1(Wide& w) {
    for (auto i = w.size(); i-- > 0;) {
        w[i] = (w[i] << 1) | (i > 0 ? w[i - 1] >> 31 : 0);
    }
}

// Quotient and remainder by binary long division (the values are a few hundred bits at most).
void DivMod(const Wide& numerator, const Wide& divisor, Wide& quotient, Wide& remainder) {
    quotient = {};
    remainder = {};
    for (int bit = 8 * 32 - 1; bit >= 0; --bit) {
        ShiftLeft1(remainder);
        remainder[0] |= (numerator[static_cast<std::size_t>(bit / 32)] >> (bit % 32)) & 1u;
        if (Compare(remainder, divisor) >= 0) {
            Sub(remainder, divisor);
            quotient[static_cast<std::size_t>(bit / 32)] |= 1u << (bit % 32);
        }
    }
}

bool Fits96(const Wide& w) {
    return std::all_of(w.begin() + 3, w.end(), [](std::uint32_t limb) { return limb == 0; });
}

void AddOne(Wide& w) {
    for (auto& limb : w) {
        if (++limb != 0) break;
    }
}

}  // namespace

Decimal Decimal::FromInt64(std::int64_t value) {
    Decimal d;
    d.negative_ = value < 0;
    const std::uint64_t magnitude =
        value < 0 ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
    d.mantissa_[0] = static_cast<std::uint32_t>(magnitude);
    d.mantissa_[1] = static_cast<std::uint32_t>(magnitude >> 32);
    return d;
}

Decimal Decimal::FromFixed(Fixed value) {
    Decimal d = FromInt64(value.Raw());
    d.scale_ = 4;
    // Trailing zeros carry no information; whole numbers print without decimals either way.
    Wide w = WideFrom(d.mantissa_);
    while (d.scale_ > 0) {
        Wide probe = w;
        if (DivSmall(probe, 10) != 0) break;
        w = probe;
        --d.scale_;
    }
    std::copy(w.begin(), w.begin() + 3, d.mantissa_.begin());
    return d;
}

std::optional<Decimal> Decimal::Parse(const std::string& text) {
    std::size_t i = 0;
    Decimal d;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) d.negative_ = text[i++] == '-';
    Wide w{};
    bool anyDigit = false;
    bool afterPoint = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        anyDigit = true;
        if (!MulSmall(w, 10)) return std::nullopt;
        Wide digit{};
        digit[0] = static_cast<std::uint32_t>(c - '0');
        Wide sum = w;
        std::uint64_t carry = 0;
        for (std::size_t k = 0; k < sum.size(); ++k) {
            const std::uint64_t current = static_cast<std::uint64_t>(w[k]) + digit[k] + carry;
            sum[k] = static_cast<std::uint32_t>(current);
            carry = current >> 32;
        }
        w = sum;
        if (afterPoint && ++d.scale_ > kMaxScale) return std::nullopt;
    }
    if (!anyDigit || !Fits96(w)) return std::nullopt;
    std::copy(w.begin(), w.begin() + 3, d.mantissa_.begin());
    return d;
}

std::optional<Decimal> Decimal::Multiply(const Decimal& a, const Decimal& b) {
    Wide product = Mul(WideFrom(a.mantissa_), WideFrom(b.mantissa_));
    int scale = a.scale_ + b.scale_;
    // Give up decimals while the mantissa is too wide or the scale too large, then round the
    // kept digits once: to nearest, ties to even.
    bool dropped = false;
    std::uint32_t lastDigit = 0;
    bool sticky = false;
    while (scale > 0 && (!Fits96(product) || scale > kMaxScale)) {
        sticky = sticky || lastDigit != 0;
        lastDigit = DivSmall(product, 10);
        dropped = true;
        --scale;
    }
    if (dropped && (lastDigit > 5 || (lastDigit == 5 && (sticky || (product[0] & 1u))))) {
        AddOne(product);
    }
    if (!Fits96(product)) return std::nullopt;
    Decimal d;
    std::copy(product.begin(), product.begin() + 3, d.mantissa_.begin());
    d.scale_ = static_cast<std::uint8_t>(scale);
    d.negative_ = a.negative_ != b.negative_;
    return d;
}

std::optional<Decimal> Decimal::Divide(const Decimal& a, const Decimal& b) {
    if (b.IsZero()) return std::nullopt;
    // a/b = (A / 10^sa) / (B / 10^sb) = A * 10^sb / (B * 10^sa).
    Wide numerator = WideFrom(a.mantissa_);
    Wide divisor = WideFrom(b.mantissa_);
    for (int i = 0; i < b.scale_; ++i) MulSmall(numerator, 10);
    for (int i = 0; i < a.scale_; ++i) MulSmall(divisor, 10);
    Wide quotient;
    Wide remainder;
    DivMod(numerator, divisor, quotient, remainder);
    if (!Fits96(quotient)) return std::nullopt;
    int scale = 0;
    // Further decimals while the division is inexact and they still fit.
    while (!IsWideZero(remainder) && scale < kMaxScale) {
        Wide nextQuotient = quotient;
        if (!MulSmall(nextQuotient, 10)) break;
        Wide scaledRemainder = remainder;
        MulSmall(scaledRemainder, 10);
        Wide digit;
        DivMod(scaledRemainder, divisor, digit, remainder);
        Wide sum = nextQuotient;
        std::uint64_t carry = 0;
        for (std::size_t k = 0; k < sum.size(); ++k) {
            const std::uint64_t current =
                static_cast<std::uint64_t>(nextQuotient[k]) + digit[k] + carry;
            sum[k] = static_cast<std::uint32_t>(current);
            carry = current >> 32;
        }
        if (!Fits96(sum)) break;
        quotient = sum;
        ++scale;
    }
    if (!IsWideZero(remainder)) {
        // Round the last kept digit by the rest: compare 2 * remainder with the divisor.
        Wide twice = remainder;
        ShiftLeft1(twice);
        const int cmp = Compare(twice, divisor);
        if (cmp > 0 || (cmp == 0 && (quotient[0] & 1u))) AddOne(quotient);
        if (!Fits96(quotient)) return std::nullopt;
    }
    Decimal d;
    std::copy(quotient.begin(), quotient.begin() + 3, d.mantissa_.begin());
    d.scale_ = static_cast<std::uint8_t>(scale);
    d.negative_ = a.negative_ != b.negative_;
    return d;
}

std::optional<Decimal> Decimal::Power(const Decimal& base, std::int64_t exponent) {
    Decimal result = FromInt64(1);
    for (std::int64_t i = 0; i < exponent; ++i) {
        auto next = Multiply(result, base);
        if (!next) return std::nullopt;
        result = *next;
        // 0 and 1 stay where they are: no need to walk a huge exponent.
        if (result.IsZero() ||
            (result.scale_ == 0 && result.mantissa_ == std::array<std::uint32_t, 3>{1, 0, 0}))
            break;
    }
    return result;
}

std::string Decimal::ToString() const {
    Wide w = WideFrom(mantissa_);
    std::string digits;
    do {
        digits.push_back(static_cast<char>('0' + DivSmall(w, 10)));
    } while (!IsWideZero(w));
    while (digits.size() <= scale_) digits.push_back('0');
    std::reverse(digits.begin(), digits.end());
    if (scale_ > 0) {
        digits.insert(digits.size() - scale_, 1, '.');
        while (digits.back() == '0') digits.pop_back();
        if (digits.back() == '.') digits.pop_back();
    }
    return IsNegative() ? '-' + digits : digits;
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
    const bool aNeg = a.IsNegative();
    const bool bNeg = b.IsNegative();
    if (aNeg != bNeg) return aNeg ? std::strong_ordering::less : std::strong_ordering::greater;
    // Bring both to the same scale (the wide type holds 96 bits times 10^28 comfortably).
    Wide x = WideFrom(a.mantissa_);
    Wide y = WideFrom(b.mantissa_);
    for (int i = a.scale_; i < b.scale_; ++i) MulSmall(x, 10);
    for (int i = b.scale_; i < a.scale_; ++i) MulSmall(y, 10);
    int cmp = Compare(x, y);
    if (aNeg) cmp = -cmp;
    return cmp < 0 ? std::strong_ordering::less
                   : (cmp > 0 ? std::strong_ordering::greater : std::strong_ordering::equal);
}

}  // namespace zentra
