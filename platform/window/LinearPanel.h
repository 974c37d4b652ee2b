// The linear view on screen: the panel that holds the expression line (a "Zentra.Panel") and the
// edit control inside it, as the logic's text box port.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "platform/controls/EditBox.h"
#include "platform/window/Panel.h"
#include "window/LinearView.h"

namespace zentra::win32 {

class LinearPanel final : public ExpressionBoxPort {
  public:
    struct Events {
        std::function<void()> onResize;  // the panel's size changed
        std::function<void()> onChange;  // the text changed
    };

    bool Create(HWND parent, int editId, Events events);
    HWND PanelHwnd() const { return panel_.Hwnd(); }
    HWND EditHwnd() const { return edit_ ? edit_->Hwnd() : nullptr; }
    // The line's font at `dpi`, broken again for it.
    void SetDpi(int dpi);

    // TextBox: positions and text are the line's; the box may show it broken (ShownText).
    std::string Text() const override;
    void SetText(const std::string& text) override;
    int SelStart() const override;
    void SetSelStart(int start) override;
    int SelLength() const override;
    void SetSelLength(int length) override;
    void ReplaceSel(std::string_view text) override;
    bool Enabled() const override;
    void SetFocus() override;
    // ExpressionBoxPort
    int LineCount() const override { return edit_->LineCount(); }
    int LineHeight() const override { return edit_->LineHeight(); }
    int PanelInnerWidth() const override { return panel_.ClientSize().cx; }
    int PanelInnerHeight() const override { return panel_.ClientSize().cy; }
    int Height() const override;
    void SetWidth(int width) override;
    void Move(int left, int top, int width, int height) override;

  private:
    // Characters per row when the scroll bar shows (the narrower case).
    int Columns() const;
    // Shows the line again broken for the present width, keeping the selection.
    void Rebreak();
    // What follows a replacement once the control has it; `end` is where its text ends.
    void AfterReplacement(int end);
    // Breaks the row around shown position `at` when edits made it long, keeping the selection.
    void BreakLongRowAt(int at);

    Events events_;
    int columns_ = 0;
    Panel panel_;
    std::unique_ptr<win32::EditBox> edit_;
};

}  // namespace zentra::win32
