// Factoring of numbers of any size on GMP, with GMP-ECM's elliptic curves for the hard part.
#pragma once

#include <gmpxx.h>

#include <vector>

#include "WordFactoring.h"

namespace zentra::cli {

// Appends the prime factors of n >= 1 (repeated by multiplicity, in no particular order): those
// below 2^128 to `words`, the others to `bigs`.
void FactorBig(mpz_class n, std::vector<DoubleWord>& words, std::vector<mpz_class>& bigs);

DoubleWord ToDoubleWord(const mpz_class& n);  // n < 2^128
mpz_class FromDoubleWord(DoubleWord n);

}  // namespace zentra::cli
