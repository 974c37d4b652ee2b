#include "window/LinearView.h"

#include <string_view>

namespace zentra {

void LinearView::LayOut() {
    box_.Move(0, 0, box_.PanelInnerWidth() + scrollBarWidth_, box_.PanelInnerHeight());
    lineCount_ = box_.LineCount();
}

void LinearView::OnTextChanged() {
    const int lines = box_.LineCount();
    if (lines == lineCount_) return;
    lineCount_ = lines;
    // Lines that fill the box exactly all fit: no scroll bar for them.
    const bool allFit = static_cast<long long>(lines) * box_.LineHeight() <= box_.Height();
    box_.SetWidth(box_.PanelInnerWidth() + (allFit ? scrollBarWidth_ : 0));
}

void LinearView::Preset() {
    const std::string_view text = kDemonstrationExpression;
    box_.SetText(std::string(text));
    box_.SetSelStart(static_cast<int>(text.size()));
}

}  // namespace zentra
