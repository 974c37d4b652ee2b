// Small helpers shared by every subsystem: the numeric comparisons the operations rely on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace zentra {

constexpr int BoolToInt(bool value) { return value ? 1 : 0; }

constexpr std::int32_t Min(std::int32_t a, std::int32_t b) { return b < a ? b : a; }
constexpr std::int32_t Max(std::int32_t a, std::int32_t b) { return b > a ? b : a; }

// Inclusive range test. With reversed bounds (a > b) the range is empty when `ordered`,
// otherwise the bounds are taken the other way round.
template <typename T>
constexpr bool IsBetween(T value, T a, T b, bool ordered) {
    if (a <= b) return a <= value && value <= b;
    if (ordered) return false;
    return b <= value && value <= a;
}

// Index of the first smallest element; 0 for an empty array.
template <typename T>
std::size_t IndexOfMin(std::span<const T> values) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < values.size(); ++i) {
        if (values[i] < values[best]) best = i;
    }
    return best;
}

}  // namespace zentra
