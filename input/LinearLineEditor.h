// What the keypad does to the linear view's line. The window's Click handlers call these in
// linear mode; tabular mode edits the grid instead and never reaches this class.
//
//   LinearLineEditor editor(lineBox, resultPane);   // both borrowed; the window owns them
//   editor.Digit(7);       // bbDigit(7) Click
//   editor.Operator(5);    // bbOper(5) Click: "^"
//   editor.Control(3);     // bbCntrl(3) Click: "=" normalises the line
//
// Every key that edits the line clears the result pane; "=" fills it only with a message.
#pragma once

#include <string_view>

#include "common/RichTextBox.h"
#include "input/ExpressionNormalizer.h"
#include "input/TextBox.h"

namespace zentra {

inline constexpr std::string_view kBackKey = "BACK";
inline constexpr std::string_view kDelKey = "DEL";

// The captions of the operator keys bbOper(0..8): ". / * - + ^ ! ( )"; empty for other indexes.
std::string_view OperatorCaption(int index);

// Edits the line at its caret: "BACK" deletes the character before the caret, "DEL" the
// selection or the character after the caret, any other key text is inserted at the caret
// (a selection stays). The line then gets the focus if it is enabled. Returns false, leaving
// the line unchanged, when an insertion would make it longer than kMaxExpressionLength.
bool EditLinearLine(TextBox& line, std::string_view key);

class LinearLineEditor {
  public:
    // The control keys by their bbCntrl index.
    static constexpr int kClearIndex = 0;
    static constexpr int kDelIndex = 1;
    static constexpr int kBackIndex = 2;
    static constexpr int kEqualsIndex = 3;

    LinearLineEditor(TextBox& line, RichTextBox& resultPane) : line_(line), pane_(resultPane) {}

    // Digit key 0-9 and operator key 0-8 insert their caption. False for an index out of range
    // or a line that is full (the caller may beep).
    bool Digit(int index);
    bool Operator(int index);
    // Clear, Del, Back and "=" by their bbCntrl index; the line gets the focus afterwards.
    void Control(int index);

    void Clear();
    void Del();
    void Back();
    // Normalises a non-empty line: on success the line becomes the result (caret at its end);
    // on failure it keeps its text, the offending character is selected and the message shown.
    void Equals();

  private:
    bool Insert(std::string_view caption);

    TextBox& line_;
    RichTextBox& pane_;
    ExpressionNormalizer normalizer_;
};

}  // namespace zentra
