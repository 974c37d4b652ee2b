// Test-only exact evaluator: the value of an expression text as a fraction of big integers, read
// the way the normaliser's rewrites assume (see ExpressionNormalizer.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zentra::testing {

class BigInt {
  public:
    BigInt() = default;
    BigInt(std::int64_t value);  // NOLINT: numbers read naturally in tests
    static BigInt FromDigits(std::string_view digits);

    bool IsZero() const { return magnitude_.empty(); }
    bool IsNegative() const { return negative_; }
    std::size_t Bits() const;
    std::string ToString() const;

    friend BigInt operator-(BigInt value);
    friend BigInt operator+(const BigInt& a, const BigInt& b);
    friend BigInt operator-(const BigInt& a, const BigInt& b) { return a + (-b); }
    friend BigInt operator*(const BigInt& a, const BigInt& b);
    friend bool operator==(const BigInt& a, const BigInt& b) = default;
    // Quotient truncated towards zero; the remainder takes the sign of `a`. `b` must not be 0.
    static void DivMod(const BigInt& a, const BigInt& b, BigInt& quotient, BigInt& remainder);
    static BigInt Gcd(BigInt a, BigInt b);

  private:
    using Magnitude = std::vector<std::uint32_t>;  // little endian, no leading zero words
    static int Compare(const Magnitude& a, const Magnitude& b);
    static Magnitude Add(const Magnitude& a, const Magnitude& b);
    static Magnitude Subtract(const Magnitude& a, const Magnitude& b);  // a >= b
    static Magnitude Multiply(const Magnitude& a, const Magnitude& b);
    static void Trim(Magnitude& m);

    bool negative_ = false;
    Magnitude magnitude_;
};

// A fraction in lowest terms with a positive denominator.
struct Rational {
    BigInt numerator = 0;
    BigInt denominator = 1;
    bool operator==(const Rational&) const = default;
    std::string ToString() const;
};

enum class ValueKind { kValue, kNoValue, kTooLarge };

struct ExactValue {
    ValueKind kind = ValueKind::kNoValue;
    Rational value;
    std::string ToString() const;
};

// "No value" for a text that does not parse, divides by zero, raises to a non-whole power or
// takes the factorial of anything but a whole number >= 0; "too large" past a few thousand bits.
ExactValue Evaluate(std::string_view text);

}  // namespace zentra::testing
