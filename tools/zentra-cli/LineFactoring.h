// One line's number in decimal digits in, its prime factorization out, in the text form of the
// window's display lines. The native build factors numbers of any size (one- and two-word numbers
// on machine arithmetic, larger ones on GMP); the Windows builds take the window's engine and its
// range.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Factorizer.h"

#if ZENTRA_CLI_WIDE
#include <gmpxx.h>

#include "WordFactoring.h"
#endif

namespace zentra::cli {

#if ZENTRA_CLI_WIDE
inline constexpr std::size_t kMaxDigits = 1000;

struct BigPower {
    mpz_class prime;
    unsigned long exponent;
};
using BigFactors = std::vector<BigPower>;  // primes ascending
#else
inline constexpr std::size_t kMaxDigits = 12;  // the window's numbers: below 10^12
#endif

class LineFactoring {
  public:
    // `engine` factors the lines of the Windows builds; the native build does not need it.
    explicit LineFactoring(const Factorizer* engine) : engine_(engine) {}

    // Appends the factor text of the number written by `digits` (no leading zeros, at most
    // kMaxDigits): "= 2^3 * 3^2 * 5", nothing for 0 and 1.
    void AppendText(std::string_view digits, std::string& out);

#if ZENTRA_CLI_WIDE
    BigFactors Powers(std::string_view digits);

  private:
    // The number's primes, repeated by multiplicity and ascending: those below 2^128 in words_,
    // then the larger ones in bigs_.
    void Factor(std::string_view digits);

    std::vector<DoubleWord> words_;
    std::vector<mpz_class> bigs_;
#else
  private:
#endif
    const Factorizer* engine_;
};

#if ZENTRA_CLI_WIDE
// "2^3 * 3^2 * 5": the window's factor text for exact powers.
std::string FactorText(const BigFactors& powers);
#endif

}  // namespace zentra::cli
