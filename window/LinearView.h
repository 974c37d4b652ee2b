// The linear view: the expression line in its panel. The keypad edits it (LinearLineEditor); this
// class adds what the view itself does: its size in the panel, and the vertical scroll bar, which
// stays outside the panel's visible area until the lines no longer fit.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "common/display/RichTextBox.h"
#include "input/LinearLineEditor.h"
#include "input/TextBox.h"
#include "window/View.h"

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

// How the box shows a long line. An edit control wraps an unbroken run of text in time quadratic in
// its length (under Wine, minutes for a line of 30,000 characters), so a line longer than
// kLongLineRows rows is shown broken with CR LF into rows of at most `columns` characters, after
// an operator where one is near the row's end. The line itself never holds CR or LF; rows that
// edits make longer are left to the box's own wrapping until they are long again.
inline constexpr int kLongLineRows = 8;
// The text the box shows for `line`: the line itself while it is not long.
std::string ShownText(std::string_view line, int columns);
// Whether a row of the shown text (between CR LFs) is long enough to be broken again.
bool IsLongRow(int length, int columns);
// The line that a shown text stands for.
std::string LineOfShown(std::string_view shown);
// Position `shownPosition` of the shown text counted in the line (a break counts as nothing).
int LinePosition(std::string_view shown, int shownPosition);
// Where the line's position `linePosition` is in the shown text: before the character there
// (after a break), or with `end`, after the character before it (before a break), so that a range
// ending there keeps the break.
int ShownPosition(std::string_view shown, int linePosition, bool end = false);
// The row of the shown text around `shownPosition`, without its CR LF: first and past-the-last.
std::pair<int, int> ShownRowAt(std::string_view shown, int shownPosition);

// Shown when the linear view first becomes active.
inline constexpr const char* kDemonstrationExpression =
    "(((-(+200+3*2))) ^ - 1 - (0.1)^(-1))/ ((3/2^3)^(-1)*(1.5)^3 + (-1/3)^(-1))";

class LinearView final : public View {
  public:
    // Both borrowed. `scrollBarWidth` is the system's vertical scroll bar width in pixels.
    LinearView(ExpressionBoxPort& box, RichTextBox& resultPane, int scrollBarWidth)
        : box_(box), editor_(box, resultPane), scrollBarWidth_(scrollBarWidth) {}

    LinearLineEditor& Editor() { return editor_; }
    TextBox& Box() { return box_; }

    // View: the keys edit the line at its caret; Enter is "=".
    bool Digit(int digit) override { return editor_.Digit(digit); }
    bool Operator(std::string_view caption) override { return editor_.Operator(caption); }
    void Clear() override { editor_.Clear(); }
    void Delete() override { editor_.Del(); }
    void Back() override { editor_.Back(); }
    void Enter() override { editor_.Equals(); }
    void Focus() override;
    void ShowKeys(KeypadPort& keys) override;
    std::string CopyText() const override { return editor_.CopyText(); }
    void Undo() override { editor_.Undo(); }
    EditOffer Offer(const std::string& clipboard) const override;

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
