// The engine's design constants, computed by their defining rules.
#pragma once

#include <cmath>
#include <cstdint>

namespace zentra {

inline constexpr std::int64_t kNumberLimit = 1000000000000;  // 10^12: numbers are below it
inline constexpr int kNumberDigits = 12;
inline constexpr int kPrimeCount = 78498;
inline constexpr std::size_t kPrimeRecordBytes = 3;
inline constexpr std::size_t kPrimeTableBytes = kPrimeCount * kPrimeRecordBytes + 2;

// Bound on the distinct primes of one number: the n at which (n + 1)! reaches the number limit.
constexpr int ComputeMaxBases(std::int64_t limit) {
    std::int64_t x = 1;
    int n = 0;
    while (x < limit) {
        ++n;
        x *= n + 1;
    }
    return n;
}

// The largest exponent any prime can have below 10^digits: digits * log2(10), integer part.
inline int ComputeMaxExponent(int digits) {
    return static_cast<int>(digits * std::log(10.0) / std::log(2.0));
}

inline constexpr int kMaxBases = ComputeMaxBases(kNumberLimit);
static_assert(kMaxBases == 14);
inline constexpr int kMaxExponent = 39;

}  // namespace zentra
