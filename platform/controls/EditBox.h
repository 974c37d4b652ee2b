// A multi-line edit control with a vertical scroll bar that the keyboard cannot type into: its text
// changes only through the program (the keypad), while the caret, the selection and the scroll bar
// work as usual. It handles its own EN_CHANGE, which its parent panel reflects back to it.
//
// Replacements that come in a quick run (DDE executes, each a few hundred microseconds apart)
// are gathered: the box keeps the text and selection they make and hands them to the control in
// one EM_REPLACESEL a moment later, because the control takes milliseconds for each under Wine.
// Any message that reaches the control first (paint, input, a read of its text or selection)
// hands them over before the control sees it, so it is never seen or used stale.
//
// Ownership: the owner keeps the EditBox and must outlive its callback. Teardown: the destructor
// stops routing (restores the control's own procedure), then destroys the window and its font.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/controls/WindowBase.h"

namespace zentra::win32 {

// A control's WM_COMMAND notification, sent back to the control by the panel it lives in.
inline constexpr UINT kReflectedCommand = WM_APP + 0x31;

struct EditBoxArgs {
    HWND parent = nullptr;
    int id = 0;
    std::string fontName = "Courier New";
    int fontPoints = 9;
    std::function<void()> onChange;
    // Gathered replacements reached the control (its EN_CHANGE came before); the argument is
    // where the text they inserted ends.
    std::function<void(int)> onFlushed;
};

class EditBox final : private WindowBase {
  public:
    static std::unique_ptr<EditBox> Create(const EditBoxArgs& args);
    ~EditBox();

    using WindowBase::Hwnd;
    std::string Text() const;
    void SetText(const std::string& text);
    // Selection in characters from 0: start and length.
    int SelStart() const;
    int SelLength() const;
    void Select(int start, int length);
    // Replaces the selection with `text` (EM_REPLACESEL): the control wraps and redraws only
    // the lines that changed.
    void ReplaceSelection(const std::string& text);
    // The same, but gathered with the replacements before it when they come in a quick run;
    // true when it was gathered: `onFlushed` runs once the control has it.
    bool ReplaceSelectionSoon(const std::string& text);
    // Hands gathered replacements to the control now.
    void Flush();
    int LineCount() const;
    // The height of one text line in the control's font, in pixels.
    int LineHeight() const;
    // The width of one character of the control's fixed-pitch font, in pixels.
    int CharWidth() const;
    // The client width minus the formatting rectangle's width: the room the text does not use.
    int TextMargins() const;
    // The font again, at `dpi` (the window moved to a screen of another resolution).
    void SetDpi(int dpi);

  private:
    EditBox() = default;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Starts gathering at the control's text and selection.
    void BeginGathering();
    bool CanGather() const;
    // Forgets them (the whole text is about to be replaced).
    void DropGathered();

    // While gathering: the text and selection as the program made them; the control still has
    // `removed` characters at `from` where the text has `inserted`.
    struct Gathered {
        std::string text;
        int selStart = 0;
        int selEnd = 0;
        int from = 0;
        int removed = 0;
        int inserted = 0;
    };

    HFONT font_ = nullptr;
    int fontPoints_ = 0;
    std::string fontName_;
    std::function<void()> onChange_;
    std::function<void(int)> onFlushed_;
    bool gathering_ = false;
    Gathered gathered_;
    DWORD lastReplacement_ = 0;
};

}  // namespace zentra::win32
