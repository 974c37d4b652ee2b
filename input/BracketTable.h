// The bracket pairs of an expression text, as the last syntax check found them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zentra {

// 1-based positions of a pair's brackets; Depth 1 for an outermost pair.
struct BracketPair {
    int OpenPos = 0;
    int ClosePos = 0;
    int Depth = 0;
};

// Entries are in the order of their opening brackets. A text without brackets leaves the single
// zero entry, which is no pair.
class BracketTable {
  public:
    BracketTable() { Reset(); }

    void Reset();
    // Records a pair opening at `position` (> 0); returns its index.
    int Open(int position, int depth);
    void Close(int index, int position);

    int Count() const { return static_cast<int>(pairs_.size()); }
    const BracketPair& operator[](int index) const {
        return pairs_[static_cast<std::size_t>(index)];
    }
    // True when entry `index` exists and holds a bracket pair.
    bool IsPair(int index) const {
        return index >= 0 && index < Count() && (*this)[index].OpenPos > 0;
    }

    // Index of the first entry whose opening or closing bracket stands at `position`; -1 when
    // the position is negative or nothing matches.
    int FindBracketPair(int position) const;
    // The characters strictly between the brackets of entry `index`; empty for index -1.
    std::string BracketContents(std::string_view text, int index) const;

  private:
    void Index(int position, int index);

    std::vector<BracketPair> pairs_;
    // The pair with a bracket at each position (-1: none), so that lookups stay cheap in long,
    // deeply nested texts.
    std::vector<int> byPosition_;
};

}  // namespace zentra
