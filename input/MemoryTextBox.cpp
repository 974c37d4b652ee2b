#include "input/MemoryTextBox.h"

#include <algorithm>

namespace zentra {

void MemoryTextBox::SetText(const std::string& text) {
    text_ = text;
    ++textSets_;
    selStart_ = 0;
    selLength_ = 0;
}

void MemoryTextBox::SetSelStart(int start) {
    selStart_ = std::clamp(start, 0, static_cast<int>(text_.size()));
    selLength_ = 0;
}

void MemoryTextBox::SetSelLength(int length) {
    selLength_ = std::clamp(length, 0, static_cast<int>(text_.size()) - selStart_);
}

void MemoryTextBox::ReplaceSel(std::string_view text) {
    text_.replace(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_), text);
    selStart_ += static_cast<int>(text.size());
    selLength_ = 0;
}

}  // namespace zentra
