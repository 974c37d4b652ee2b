// Edit control selection: https://learn.microsoft.com/windows/win32/controls/em-setsel
#include "platform/window/LinearPanel.h"

#include <algorithm>

namespace zentra::win32 {

bool LinearPanel::Create(HWND parent, int editId, Events events) {
    events_ = std::move(events);
    Panel::Args args;
    args.parent = parent;
    args.onResize = [this] {
        if (events_.onResize) events_.onResize();
    };
    // The panel passes the focus on to its text box.
    args.onFocus = [this] { SetFocus(); };
    if (!panel_.Create(args)) return false;
    win32::EditBoxArgs edit;
    edit.parent = panel_.Hwnd();
    edit.id = editId;
    edit.onChange = [this] {
        if (events_.onChange) events_.onChange();
    };
    edit.onFlushed = [this](int end) { AfterReplacement(end); };
    edit_ = win32::EditBox::Create(edit);
    return edit_ != nullptr;
}

namespace {

// A box not laid out yet breaks nothing.
constexpr int kUnbroken = 1 << 24;

}  // namespace

int LinearPanel::Columns() const {
    const int textWidth = PanelInnerWidth() - GetSystemMetrics(SM_CXVSCROLL) - edit_->TextMargins();
    const int charWidth = edit_->CharWidth();
    return textWidth > 0 && charWidth > 0 ? std::max(1, textWidth / charWidth) : kUnbroken;
}

std::string LinearPanel::Text() const {
    return LineOfShown(edit_->Text());
}

// A multi-line edit control reports no EN_CHANGE for text set by the program; the view is told
// here instead.
void LinearPanel::SetText(const std::string& text) {
    columns_ = Columns();
    edit_->SetText(ShownText(text, columns_));
    if (events_.onChange) events_.onChange();
}

int LinearPanel::SelStart() const {
    return LinePosition(edit_->Text(), edit_->SelStart());
}

int LinearPanel::SelLength() const {
    const std::string shown = edit_->Text();
    const int start = edit_->SelStart();
    return LinePosition(shown, start + edit_->SelLength()) - LinePosition(shown, start);
}

void LinearPanel::SetSelStart(int start) {
    const std::string shown = edit_->Text();
    const int length = LinePosition(shown, static_cast<int>(shown.size()));
    edit_->Select(ShownPosition(shown, std::clamp(start, 0, length)), 0);
}

void LinearPanel::SetSelLength(int length) {
    const std::string shown = edit_->Text();
    const int start = LinePosition(shown, edit_->SelStart());
    const int end =
        start + std::clamp(length, 0, LinePosition(shown, static_cast<int>(shown.size())) - start);
    const int shownStart = ShownPosition(shown, start);
    edit_->Select(shownStart, end > start ? ShownPosition(shown, end, true) - shownStart : 0);
}

void LinearPanel::ReplaceSel(std::string_view text) {
    if (columns_ == 0) columns_ = Columns();
    if (!edit_->ReplaceSelectionSoon(std::string(text))) AfterReplacement(edit_->SelStart());
}

void LinearPanel::AfterReplacement(int end) {
    BreakLongRowAt(end);
    if (events_.onChange) events_.onChange();
}

// Gathered keys may be followed by a selection elsewhere (the fault "=" marks): it stays.
void LinearPanel::BreakLongRowAt(int at) {
    const std::string shown = edit_->Text();
    const auto [first, last] = ShownRowAt(shown, at);
    if (!IsLongRow(last - first, columns_)) return;
    const int start = SelStart();
    const int length = SelLength();
    edit_->Select(first, last - first);
    edit_->ReplaceSelection(
        ShownText(std::string_view(shown).substr(first, last - first), columns_));
    SetSelStart(start);
    SetSelLength(length);
}

void LinearPanel::Rebreak() {
    const int start = SelStart();
    const int length = SelLength();
    SetText(Text());
    SetSelStart(start);
    SetSelLength(length);
}

void LinearPanel::SetDpi(int dpi) {
    edit_->SetDpi(dpi);
    Rebreak();
}

bool LinearPanel::Enabled() const {
    return IsWindowEnabled(edit_->Hwnd()) != FALSE;
}

void LinearPanel::SetFocus() {
    if (Enabled()) ::SetFocus(edit_->Hwnd());
}

int LinearPanel::Height() const {
    return OuterSize(edit_->Hwnd()).cy;
}

// Gathered keys reach the control before it is sized, not in the midst of it.
void LinearPanel::SetWidth(int width) {
    edit_->Flush();
    SetWindowPos(edit_->Hwnd(), nullptr, 0, 0, width, Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LinearPanel::Move(int left, int top, int width, int height) {
    edit_->Flush();
    SetWindowPos(edit_->Hwnd(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (Columns() != columns_) Rebreak();
}

}  // namespace zentra::win32
