#include "engine/FactorTable.h"

namespace zentra {

void FactorTable::Reset(std::size_t lines) {
    powers_.clear();
    offsets_.assign(1, 0);
    counts_.clear();
    offsets_.reserve(lines + 1);
    counts_.reserve(lines);
}

void FactorTable::Append(const FactorList& list) {
    for (int i = 0; i < list.count; ++i) powers_.push_back(list.slots[static_cast<std::size_t>(i)]);
    offsets_.push_back(static_cast<std::uint32_t>(powers_.size()));
    counts_.push_back(list.count);
}

std::span<const PrimePower> FactorTable::Line(std::size_t line) const {
    if (line + 1 >= offsets_.size()) return {};
    return std::span<const PrimePower>(powers_).subspan(offsets_[line],
                                                        offsets_[line + 1] - offsets_[line]);
}

}  // namespace zentra
