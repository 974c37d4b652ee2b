#include "input/BracketTable.h"

namespace zentra {

void BracketTable::Reset() {
    pairs_.assign(1, BracketPair{});
    byPosition_.clear();
}

void BracketTable::Index(int position, int index) {
    const auto at = static_cast<std::size_t>(position);
    if (byPosition_.size() <= at) byPosition_.resize(at + 1, -1);
    byPosition_[at] = index;
}

int BracketTable::Open(int position, int depth) {
    // The first pair takes the place of the zero entry.
    int index = 0;
    if (pairs_.size() == 1 && pairs_[0].OpenPos == 0) {
        pairs_[0] = BracketPair{position, 0, depth};
    } else {
        pairs_.push_back(BracketPair{position, 0, depth});
        index = Count() - 1;
    }
    Index(position, index);
    return index;
}

void BracketTable::Close(int index, int position) {
    pairs_[static_cast<std::size_t>(index)].ClosePos = position;
    Index(position, index);
}

int BracketTable::FindBracketPair(int position) const {
    if (position < 0) return -1;
    if (position > 0) {
        const auto at = static_cast<std::size_t>(position);
        return at < byPosition_.size() ? byPosition_[at] : -1;
    }
    // Position 0 is where every unset field points: the zero entry or an unclosed pair.
    for (int i = 0; i < Count(); ++i) {
        const BracketPair& pair = (*this)[i];
        if (pair.OpenPos == 0 || pair.ClosePos == 0) return i;
    }
    return -1;
}

std::string BracketTable::BracketContents(std::string_view text, int index) const {
    if (index < 0 || index >= Count()) return {};
    const BracketPair& pair = (*this)[index];
    const int length = pair.ClosePos - pair.OpenPos - 1;
    if (pair.OpenPos < 0 || length <= 0 || static_cast<std::size_t>(pair.OpenPos) >= text.size()) {
        return {};
    }
    return std::string(
        text.substr(static_cast<std::size_t>(pair.OpenPos), static_cast<std::size_t>(length)));
}

}  // namespace zentra
