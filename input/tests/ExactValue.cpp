#include "input/tests/ExactValue.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <stdexcept>

namespace zentra::testing {

BigInt::BigInt(std::int64_t value) {
    negative_ = value < 0;
    std::uint64_t m =
        negative_ ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    while (m != 0) {
        magnitude_.push_back(static_cast<std::uint32_t>(m));
        m >>= 32;
    }
}

BigInt BigInt::FromDigits(std::string_view digits) {
    BigInt result;
    const BigInt ten = 10;
    for (char c : digits) result = result * ten + BigInt(c - '0');
    return result;
}

std::size_t BigInt::Bits() const {
    if (magnitude_.empty()) return 0;
    std::size_t bits = (magnitude_.size() - 1) * 32;
    for (std::uint32_t top = magnitude_.back(); top != 0; top >>= 1) ++bits;
    return bits;
}

std::string BigInt::ToString() const {
    if (IsZero()) return "0";
    std::string digits;
    BigInt rest = *this;
    rest.negative_ = false;
    const BigInt ten = 10;
    while (!rest.IsZero()) {
        BigInt q, r;
        DivMod(rest, ten, q, r);
        digits.push_back(static_cast<char>('0' + (r.IsZero() ? 0 : r.magnitude_[0])));
        rest = q;
    }
    if (negative_) digits.push_back('-');
    std::reverse(digits.begin(), digits.end());
    return digits;
}

void BigInt::Trim(Magnitude& m) {
    while (!m.empty() && m.back() == 0) m.pop_back();
}

int BigInt::Compare(const Magnitude& a, const Magnitude& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = a.size(); i-- > 0;) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

BigInt::Magnitude BigInt::Add(const Magnitude& a, const Magnitude& b) {
    Magnitude sum(std::max(a.size(), b.size()) + 1, 0);
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < sum.size(); ++i) {
        carry += (i < a.size() ? a[i] : 0u) + std::uint64_t{i < b.size() ? b[i] : 0u};
        sum[i] = static_cast<std::uint32_t>(carry);
        carry >>= 32;
    }
    Trim(sum);
    return sum;
}

BigInt::Magnitude BigInt::Subtract(const Magnitude& a, const Magnitude& b) {
    Magnitude difference(a.size(), 0);
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::int64_t d = std::int64_t{a[i]} - (i < b.size() ? std::int64_t{b[i]} : 0) - borrow;
        borrow = d < 0 ? 1 : 0;
        if (d < 0) d += std::int64_t{1} << 32;
        difference[i] = static_cast<std::uint32_t>(d);
    }
    Trim(difference);
    return difference;
}

BigInt::Magnitude BigInt::Multiply(const Magnitude& a, const Magnitude& b) {
    if (a.empty() || b.empty()) return {};
    Magnitude product(a.size() + b.size(), 0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < b.size(); ++j) {
            carry += std::uint64_t{a[i]} * b[j] + product[i + j];
            product[i + j] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        product[i + b.size()] = static_cast<std::uint32_t>(carry);
    }
    Trim(product);
    return product;
}

BigInt operator-(BigInt value) {
    if (!value.IsZero()) value.negative_ = !value.negative_;
    return value;
}

BigInt operator+(const BigInt& a, const BigInt& b) {
    BigInt sum;
    if (a.negative_ == b.negative_) {
        sum.magnitude_ = BigInt::Add(a.magnitude_, b.magnitude_);
        sum.negative_ = a.negative_;
    } else if (BigInt::Compare(a.magnitude_, b.magnitude_) >= 0) {
        sum.magnitude_ = BigInt::Subtract(a.magnitude_, b.magnitude_);
        sum.negative_ = a.negative_;
    } else {
        sum.magnitude_ = BigInt::Subtract(b.magnitude_, a.magnitude_);
        sum.negative_ = b.negative_;
    }
    if (sum.IsZero()) sum.negative_ = false;
    return sum;
}

BigInt operator*(const BigInt& a, const BigInt& b) {
    BigInt product;
    product.magnitude_ = BigInt::Multiply(a.magnitude_, b.magnitude_);
    product.negative_ = !product.IsZero() && a.negative_ != b.negative_;
    return product;
}

// Shift-and-subtract long division: slow for huge numbers, plenty for test expressions.
void BigInt::DivMod(const BigInt& a, const BigInt& b, BigInt& quotient, BigInt& remainder) {
    if (b.IsZero()) throw std::domain_error("division by zero");
    Magnitude q(a.magnitude_.size(), 0);
    Magnitude r;
    for (std::size_t bit = a.Bits(); bit-- > 0;) {
        // r = r * 2 + next bit of a
        std::uint32_t carry = (a.magnitude_[bit / 32] >> (bit % 32)) & 1u;
        for (auto& word : r) {
            const std::uint32_t out = word >> 31;
            word = (word << 1) | carry;
            carry = out;
        }
        if (carry != 0) r.push_back(carry);
        if (Compare(r, b.magnitude_) >= 0) {
            r = Subtract(r, b.magnitude_);
            q[bit / 32] |= 1u << (bit % 32);
        }
    }
    Trim(q);
    quotient = BigInt();
    quotient.magnitude_ = std::move(q);
    quotient.negative_ = !quotient.IsZero() && a.negative_ != b.negative_;
    remainder = BigInt();
    remainder.magnitude_ = std::move(r);
    remainder.negative_ = !remainder.IsZero() && a.negative_;
}

BigInt BigInt::Gcd(BigInt a, BigInt b) {
    a.negative_ = false;
    b.negative_ = false;
    while (!b.IsZero()) {
        BigInt q, r;
        DivMod(a, b, q, r);
        a = std::move(b);
        b = std::move(r);
    }
    return a;
}

std::string Rational::ToString() const {
    std::string text = numerator.ToString();
    if (!(denominator == BigInt(1))) text.append(1, '/').append(denominator.ToString());
    return text;
}

std::string ExactValue::ToString() const {
    switch (kind) {
        case ValueKind::kValue:
            return value.ToString();
        case ValueKind::kNoValue:
            return "no value";
        case ValueKind::kTooLarge:
            return "too large";
    }
    return {};
}

namespace {

constexpr std::size_t kMaxBits = 4096;

struct NoValue {};
struct TooLarge {};

Rational Make(BigInt numerator, BigInt denominator) {
    if (denominator.IsZero()) throw NoValue{};
    if (denominator.IsNegative()) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const BigInt gcd = BigInt::Gcd(numerator, denominator);
    if (!(gcd == BigInt(1)) && !gcd.IsZero()) {
        BigInt q, r;
        BigInt::DivMod(numerator, gcd, q, r);
        numerator = q;
        BigInt::DivMod(denominator, gcd, q, r);
        denominator = q;
    }
    if (numerator.Bits() > kMaxBits || denominator.Bits() > kMaxBits) throw TooLarge{};
    return {numerator, denominator};
}

bool IsWhole(const Rational& r) {
    return r.denominator == BigInt(1);
}

// A whole value small enough to count with; nullopt when it is not whole.
std::optional<long> SmallWhole(const Rational& r, long limit) {
    if (!IsWhole(r)) return std::nullopt;
    if (r.numerator.Bits() > 31) throw TooLarge{};
    const long value = std::stol(r.numerator.ToString());
    if (value > limit || value < -limit) throw TooLarge{};
    return value;
}

class Parser {
  public:
    explicit Parser(std::string text) : text_(std::move(text)) {}

    Rational Whole() {
        Rational value = Expression();
        if (pos_ != text_.size()) throw NoValue{};
        return value;
    }

  private:
    char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    // Deep nesting is beyond what the tests need and would only exhaust the stack.
    struct Nesting {
        explicit Nesting(int& depth) : depth_(depth) {
            if (++depth_ > 500) throw TooLarge{};
        }
        ~Nesting() { --depth_; }
        int& depth_;
    };
    bool Take(char c) {
        if (Peek() != c) return false;
        ++pos_;
        return true;
    }

    // A sign may open an expression (at the start and after "("): it takes the first term.
    Rational Expression() {
        bool negate = false;
        if (Take('-')) {
            negate = true;
        } else {
            Take('+');
        }
        Rational value = Term();
        if (negate) value.numerator = -value.numerator;
        for (;;) {
            if (Take('+')) {
                const Rational rhs = Term();
                value = Make(value.numerator * rhs.denominator + rhs.numerator * value.denominator,
                             value.denominator * rhs.denominator);
            } else if (Take('-')) {
                const Rational rhs = Term();
                value = Make(value.numerator * rhs.denominator - rhs.numerator * value.denominator,
                             value.denominator * rhs.denominator);
            } else {
                return value;
            }
        }
    }

    Rational Term() {
        Rational value = Power();
        for (;;) {
            if (Take('*')) {
                const Rational rhs = Power();
                value = Make(value.numerator * rhs.numerator, value.denominator * rhs.denominator);
            } else if (Take('/')) {
                const Rational rhs = Power();
                value = Make(value.numerator * rhs.denominator, value.denominator * rhs.numerator);
            } else {
                return value;
            }
        }
    }

    Rational Power() {
        const Rational base = Postfix();
        if (!Take('^')) return base;
        return Raise(base, Exponent());
    }

    // After "^" signs may stand; the exponent reaches to the right ("2^-3^2" is 2^-(3^2)).
    Rational Exponent() {
        const Nesting nesting(depth_);
        if (Take('-')) {
            Rational value = Exponent();
            value.numerator = -value.numerator;
            return value;
        }
        if (Take('+')) return Exponent();
        return Power();
    }

    static Rational Raise(const Rational& base, const Rational& exponent) {
        const std::optional<long> e = SmallWhole(exponent, 100000);
        if (!e) throw NoValue{};
        if (*e == 0) return {1, 1};
        if (base.numerator.IsZero()) {
            if (*e < 0) throw NoValue{};
            return {0, 1};
        }
        const std::size_t bits = std::max(base.numerator.Bits(), base.denominator.Bits());
        if (bits * static_cast<std::size_t>(std::labs(*e)) > kMaxBits + 64) throw TooLarge{};
        BigInt numerator = 1;
        BigInt denominator = 1;
        for (long i = 0; i < std::labs(*e); ++i) {
            numerator = numerator * base.numerator;
            denominator = denominator * base.denominator;
        }
        return *e > 0 ? Make(numerator, denominator) : Make(denominator, numerator);
    }

    Rational Postfix() {
        Rational value = Primary();
        while (Take('!')) {
            const std::optional<long> n = SmallWhole(value, 1000);
            if (!n || *n < 0) throw NoValue{};
            if (*n > 300) throw TooLarge{};
            BigInt product = 1;
            for (long k = 2; k <= *n; ++k) product = product * BigInt(k);
            value = Make(product, 1);
        }
        return value;
    }

    Rational Primary() {
        const Nesting nesting(depth_);
        if (Take('(')) {
            Rational value = Expression();
            if (!Take(')')) throw NoValue{};
            return value;
        }
        const std::size_t start = pos_;
        while (Peek() >= '0' && Peek() <= '9') ++pos_;
        if (pos_ == start) throw NoValue{};
        std::string digits = text_.substr(start, pos_ - start);
        std::size_t fraction = 0;
        if (Take('.')) {
            const std::size_t from = pos_;
            while (Peek() >= '0' && Peek() <= '9') ++pos_;
            if (pos_ == from) throw NoValue{};
            digits += text_.substr(from, pos_ - from);
            fraction = pos_ - from;
        }
        if (digits.size() > 1000) throw TooLarge{};
        std::string scale(fraction + 1, '0');
        scale[0] = '1';
        return Make(BigInt::FromDigits(digits), BigInt::FromDigits(scale));
    }

    std::string text_;
    std::size_t pos_ = 0;
    int depth_ = 0;
};

}  // namespace

ExactValue Evaluate(std::string_view text) {
    std::string compact;
    for (char c : text) {
        if (c != ' ') compact.push_back(c);
    }
    try {
        return {ValueKind::kValue, Parser(std::move(compact)).Whole()};
    } catch (const NoValue&) {
        return {ValueKind::kNoValue, {}};
    } catch (const TooLarge&) {
        return {ValueKind::kTooLarge, {}};
    }
}

}  // namespace zentra::testing
