#include "input/BracketTable.h"

namespace zentra {

int BracketTable::Open(int position, int depth) {
    // The first pair takes the place of the zero entry.
    if (pairs_.size() == 1 && pairs_[0].OpenPos == 0) {
        pairs_[0] = BracketPair{position, 0, depth};
        return 0;
    }
    pairs_.push_back(BracketPair{position, 0, depth});
    return Count() - 1;
}

int BracketTable::FindBracketPair(int position) const {
    if (position < 0) return -1;
    for (int i = 0; i < Count(); ++i) {
        const BracketPair& pair = (*this)[i];
        if (pair.OpenPos == position || pair.ClosePos == position) return i;
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
