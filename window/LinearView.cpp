#include "window/LinearView.h"

#include <algorithm>
#include <string_view>

#include "window/ClipboardScript.h"

namespace zentra {
namespace {

constexpr std::string_view kBreak = "\r\n";

bool IsBreak(char c) {
    return c == '\r' || c == '\n';
}

// Where a row starting at `start` ends: after the last operator in its second half, else full.
std::size_t RowEnd(std::string_view line, std::size_t start, std::size_t columns) {
    const std::size_t end = start + columns;
    if (end >= line.size()) return line.size();
    for (std::size_t i = end; i > start + columns / 2; --i) {
        if (std::string_view("*/+-^(").find(line[i - 1]) != std::string_view::npos) return i;
    }
    return end;
}

}  // namespace

std::string ShownText(std::string_view line, int columns) {
    const std::size_t width = static_cast<std::size_t>(std::max(columns, 1));
    if (!IsLongRow(static_cast<int>(line.size()), columns)) return std::string(line);
    std::string shown;
    shown.reserve(line.size() + line.size() / width * kBreak.size() + kBreak.size());
    for (std::size_t start = 0; start < line.size();) {
        const std::size_t end = RowEnd(line, start, width);
        if (start > 0) shown.append(kBreak);
        shown.append(line.substr(start, end - start));
        start = end;
    }
    return shown;
}

bool IsLongRow(int length, int columns) {
    return static_cast<long long>(length) >
           static_cast<long long>(kLongLineRows) * std::max(columns, 1);
}

std::string LineOfShown(std::string_view shown) {
    std::string line;
    line.reserve(shown.size());
    for (char c : shown) {
        if (!IsBreak(c)) line.push_back(c);
    }
    return line;
}

int LinePosition(std::string_view shown, int shownPosition) {
    const auto end = shown.begin() +
                     std::clamp<std::ptrdiff_t>(shownPosition, 0, static_cast<int>(shown.size()));
    return static_cast<int>(std::count_if(shown.begin(), end, [](char c) { return !IsBreak(c); }));
}

int ShownPosition(std::string_view shown, int linePosition, bool end) {
    int seen = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (IsBreak(shown[i])) continue;
        if (seen == linePosition) return static_cast<int>(i);
        ++seen;
        if (end && seen == linePosition) return static_cast<int>(i) + 1;
    }
    return static_cast<int>(shown.size());
}

std::pair<int, int> ShownRowAt(std::string_view shown, int shownPosition) {
    const std::size_t at =
        static_cast<std::size_t>(std::clamp(shownPosition, 0, static_cast<int>(shown.size())));
    std::size_t first = at;
    while (first > 0 && !IsBreak(shown[first - 1])) --first;
    std::size_t last = at;
    while (last < shown.size() && !IsBreak(shown[last])) ++last;
    return {static_cast<int>(first), static_cast<int>(last)};
}

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

void LinearView::Focus() {
    if (box_.Enabled()) box_.SetFocus();
}

void LinearView::ShowKeys(KeypadPort& keys) {
    ShowKeysOfMode(keys, true);
}

// The Edit menu acts on the line, which is all the user sees.
EditOffer LinearView::Offer(const std::string& clipboard) const {
    const int length = static_cast<int>(box_.Text().size());
    EditOffer offer;
    offer.undo = editor_.CanUndo();
    offer.copy = length > 0;
    offer.paste = ParseClipboardScript(clipboard).HasCode() || !PastableText(clipboard).empty();
    // Del takes the selection, or the character after the caret.
    offer.del = box_.SelLength() > 0 || box_.SelStart() < length;
    offer.clear = length > 0;
    return offer;
}

}  // namespace zentra
