// The linear view's line as the input code sees it: one text with a caret and a selection.
#pragma once

#include <string>
#include <string_view>

namespace zentra {

// Positions are 0-based character offsets, as an edit control reports them.
class TextBox {
  public:
    virtual ~TextBox() = default;
    virtual std::string Text() const = 0;
    // Replaces the whole text; the caret goes to 0 with nothing selected.
    virtual void SetText(const std::string& text) = 0;
    virtual int SelStart() const = 0;
    // Moves the caret (clamped to 0..length) and clears the selection.
    virtual void SetSelStart(int start) = 0;
    virtual int SelLength() const = 0;
    // Selects from the caret on (clamped to the end of the text).
    virtual void SetSelLength(int length) = 0;
    // Replaces the selection (or inserts at the caret) with `text`; the caret ends after it with
    // nothing selected. Only that range changes: a key must not make the box take in its whole
    // text again.
    virtual void ReplaceSel(std::string_view text) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetFocus() = 0;
};

}  // namespace zentra
