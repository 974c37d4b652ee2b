// Factoring of numbers that fit one or two machine words: trial division by the small primes
// (divisibility by a multiplication with the prime's inverse), deterministic Miller-Rabin and
// Pollard-Brent, all on Montgomery arithmetic.
#pragma once

#include <cstdint>
#include <vector>

namespace zentra::cli {

using Word = std::uint64_t;
__extension__ typedef unsigned __int128 DoubleWord;  // GCC and Clang on 64-bit targets

// Miller-Rabin with the first 13 primes as bases decides primality for every n below this bound;
// two-word numbers above it go to the multi-precision path.
inline constexpr DoubleWord kDoubleWordLimit =
    (DoubleWord{179817} << 64) | 5885577656943027709ULL;  // 3,317,044,064,679,887,385,961,981

// Appends the prime factors of n (repeated by multiplicity, in no particular order) to `primes`.
void FactorWord(Word n, std::vector<DoubleWord>& primes);
// n < kDoubleWordLimit.
void FactorDoubleWord(DoubleWord n, std::vector<DoubleWord>& primes);

}  // namespace zentra::cli
