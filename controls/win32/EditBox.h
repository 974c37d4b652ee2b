// A multi-line edit control with a vertical scroll bar that the keyboard cannot type into: its text
// changes only through the program (the keypad), while the caret, the selection and the scroll bar
// work as usual. It handles its own EN_CHANGE, which its parent panel reflects back to it.
//
// Ownership: the owner keeps the EditBox and must outlive its callback. Teardown: the destructor
// stops routing (restores the control's own procedure), then destroys the window and its font.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace zentra::win32 {

// A control's WM_COMMAND notification, sent back to the control by the panel it lives in.
inline constexpr UINT kReflectedCommand = WM_APP + 0x31;

struct EditBoxArgs {
    HWND parent = nullptr;
    int id = 0;
    std::string fontName = "Courier New";
    int fontPoints = 9;
    std::function<void()> onChange;
};

class EditBox {
  public:
    static std::unique_ptr<EditBox> Create(const EditBoxArgs& args);
    ~EditBox();
    EditBox(const EditBox&) = delete;
    EditBox& operator=(const EditBox&) = delete;

    HWND Hwnd() const { return hwnd_; }
    std::string Text() const;
    void SetText(const std::string& text);
    // Selection in characters from 0: start and length.
    int SelStart() const;
    int SelLength() const;
    void Select(int start, int length);
    // Replaces the selection with `text` (EM_REPLACESEL): the control wraps and redraws only
    // the lines that changed.
    void ReplaceSelection(const std::string& text);
    int LineCount() const;
    // The height of one text line in the control's font, in pixels.
    int LineHeight() const;
    // The width of one character of the control's fixed-pitch font, in pixels.
    int CharWidth() const;
    // The client width minus the formatting rectangle's width: the room the text does not use.
    int TextMargins() const;

  private:
    EditBox() = default;
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    WNDPROC original_ = nullptr;
    std::function<void()> onChange_;
};

}  // namespace zentra::win32
