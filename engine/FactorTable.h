// The factorizations of all display lines, one list per line, stored back to back so that a
// display of any length costs only what its factors need.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/Factorizer.h"

namespace zentra {

class FactorTable {
  public:
    // Empties the table for a new run over `lines` lines.
    void Reset(std::size_t lines);
    // Stores the next line's list; lines are stored in order 0, 1, ...
    void Append(const FactorList& list);

    std::size_t Lines() const { return offsets_.size() - 1; }
    std::span<const PrimePower> Line(std::size_t line) const;
    int Count(std::size_t line) const { return static_cast<int>(Line(line).size()); }
    // All counts, in line order (for the GCD's choice of reference line).
    const std::vector<int>& Counts() const { return counts_; }

  private:
    std::vector<PrimePower> powers_;
    std::vector<std::uint32_t> offsets_{0};
    std::vector<int> counts_;
};

}  // namespace zentra
