// Small helpers shared by every subsystem: the numeric comparisons the operations rely on, and
// the 1-based text search and splice the expression code is written in.
#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace zentra {

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

// Smallest 1-based position at or after max(start, 1) holding any character of `set`; 0 when
// there is none or either text is empty.
inline int FindAnyChar(int start, std::string_view text, std::string_view set) {
    for (std::size_t i = start > 1 ? static_cast<std::size_t>(start) - 1 : 0; i < text.size();
         ++i) {
        if (set.find(text[i]) != std::string_view::npos) return static_cast<int>(i) + 1;
    }
    return 0;
}

// Valid positions for ReplaceAt: 1 to the length, and 1 in an empty text.
inline bool IsReplacePosition(const std::string& text, int position) {
    return position >= 1 &&
           (static_cast<std::size_t>(position) <= text.size() || (text.empty() && position == 1));
}

// Replaces `count` characters (at least 0) from the 1-based `position` by `insert`; count 0
// inserts. Any other position than 1 to the length (1 in an empty text) leaves the text as is.
inline void ReplaceAt(std::string& text, int position, int count, std::string_view insert) {
    if (!IsReplacePosition(text, position)) return;
    const std::size_t at = static_cast<std::size_t>(position) - 1;
    const std::size_t removed =
        std::min(static_cast<std::size_t>(count > 0 ? count : 0), text.size() - at);
    text.replace(at, removed, insert);
}

// Without a count everything from `position` on is replaced.
inline void ReplaceAt(std::string& text, int position, std::string_view insert) {
    if (!IsReplacePosition(text, position)) return;
    text.replace(static_cast<std::size_t>(position) - 1, std::string::npos, insert);
}

// "2.10" for version 2.10; "2.05.0007" for 2.5 with revision 7 (the revision only from 1 on).
inline std::string VersionString(int major, int minor, int revision) {
    auto padded = [](int value, std::size_t width) {
        std::string digits = std::to_string(value);
        if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
        return digits;
    };
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on inlined "." + string.
    std::string text = std::to_string(major);
    text.append(".").append(padded(minor, 2));
    if (revision >= 1) text.append(".").append(padded(revision, 4));
    return text;
}

}  // namespace zentra
