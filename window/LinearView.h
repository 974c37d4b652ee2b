// The linear view: the expression line in its panel. The keypad edits it (LinearLineEditor); this
// class adds what the view itself does: its size in the panel, and the vertical scroll bar, which
// stays outside the panel's visible area until the lines no longer fit.
#pragma once

#include <string>

#include "common/RichTextBox.h"
#include "input/LinearLineEditor.h"
#include "input/TextBox.h"

namespace zentra {

// The text box of the linear view, in its panel. Sizes are pixels.
class ExpressionBoxPort : public TextBox {
  public:
    // Lines as the box wraps them (EM_GETLINECOUNT).
    virtual int LineCount() const = 0;
    // The height of one text line in the panel's font.
    virtual int LineHeight() const = 0;
    virtual int PanelInnerWidth() const = 0;
    virtual int PanelInnerHeight() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int width) = 0;
    virtual void Move(int left, int top, int width, int height) = 0;
};

// Shown when the linear view first becomes active.
inline constexpr const char* kDemonstrationExpression =
    "(((-(+200+3*2))) ^ - 1 - (0.1)^(-1))/ ((3/2^3)^(-1)*(1.5)^3 + (-1/3)^(-1))";

class LinearView {
  public:
    // Both borrowed. `scrollBarWidth` is the system's vertical scroll bar width in pixels.
    LinearView(ExpressionBoxPort& box, RichTextBox& resultPane, int scrollBarWidth)
        : box_(box), editor_(box, resultPane), scrollBarWidth_(scrollBarWidth) {}

    LinearLineEditor& Editor() { return editor_; }
    TextBox& Box() { return box_; }

    // The panel was resized: the box fills it, its scroll bar just outside the right edge.
    void LayOut();
    // The box's text changed: narrow it to show the scroll bar once the lines no longer fit, and
    // widen it again when they do.
    void OnTextChanged();
    // The demonstration expression, caret at its end.
    void Preset();

  private:
    ExpressionBoxPort& box_;
    LinearLineEditor editor_;
    int scrollBarWidth_;
    int lineCount_ = 0;
};

}  // namespace zentra
