// Edit control selection: https://learn.microsoft.com/windows/win32/controls/em-setsel
#include "window/win32/LinearPanel.h"

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
    edit_ = win32::EditBox::Create(edit);
    return edit_ != nullptr;
}

// A multi-line edit control reports no EN_CHANGE for text set by the program; the view is told
// here instead.
void LinearPanel::SetText(const std::string& text) {
    edit_->SetText(text);
    if (events_.onChange) events_.onChange();
}

void LinearPanel::SetSelStart(int start) {
    const int length = static_cast<int>(edit_->Text().size());
    edit_->Select(std::clamp(start, 0, length), 0);
}

void LinearPanel::SetSelLength(int length) {
    const int start = edit_->SelStart();
    const int end = static_cast<int>(edit_->Text().size());
    edit_->Select(start, std::clamp(length, 0, end - start));
}

bool LinearPanel::Enabled() const {
    return IsWindowEnabled(edit_->Hwnd()) != FALSE;
}

void LinearPanel::SetFocus() {
    if (Enabled()) ::SetFocus(edit_->Hwnd());
}

int LinearPanel::Height() const {
    RECT rect{};
    GetWindowRect(edit_->Hwnd(), &rect);
    return rect.bottom - rect.top;
}

void LinearPanel::SetWidth(int width) {
    SetWindowPos(edit_->Hwnd(), nullptr, 0, 0, width, Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LinearPanel::Move(int left, int top, int width, int height) {
    SetWindowPos(edit_->Hwnd(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace zentra::win32
