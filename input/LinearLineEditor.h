// What the keypad does to the linear view's line. The window's Click handlers call these in
// linear mode; tabular mode edits the grid instead and never reaches this class.
//
//   LinearLineEditor editor(lineBox, resultPane);   // both borrowed; the window owns them
//   editor.Digit(7);       // the digit key "7"
//   editor.Operator("^");  // an operator key, by its caption
//   editor.Equals();       // the "=" key normalises the line
//
// Every key that edits the line clears the result pane; "=" fills it only with a message.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/display/RichTextBox.h"
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

// What a paste of plain text puts into the line: the characters of the text's first line that the
// keypad could type (digits, the operator keys' captions) and blanks, in order.
std::string PastableText(std::string_view text);

class LinearLineEditor {
  public:
    LinearLineEditor(TextBox& line, RichTextBox& resultPane) : line_(line), pane_(resultPane) {}

    // Digit key 0-9 and the operator keys (by caption) insert their caption. False for another
    // digit or caption, or a line that is full (the caller may beep).
    bool Digit(int digit);
    bool Operator(std::string_view caption);

    // Paste of plain text: PastableText(text) replaces the selection. False, changing nothing,
    // when there is nothing to paste or the line would become too long. Can be undone.
    bool Paste(std::string_view text);
    // What Copy takes: the selection, or the whole line when nothing is selected.
    std::string CopyText() const;
    // One level: the line (and its selection) as it was before the last Clear, "=" or Paste
    // that changed it, unless a key edited the line since.
    bool CanUndo() const { return undo_.has_value(); }
    void Undo();

    // The control keys; the line gets the focus afterwards. Clear and "=" can be undone when they
    // changed the line; Del and Back end what Undo could do.
    void Clear();
    void Del();
    void Back();
    // "=" normalises a non-empty line: on success the line becomes the result (caret at its end);
    // on failure it keeps its text, the offending character is selected and the message shown.
    void Equals();

  private:
    struct Snapshot {
        std::string text;
        int selStart = 0;
        int selLength = 0;
    };

    bool Insert(std::string_view caption);
    void ClearPane();
    void Normalize();
    void FocusLine();
    // Runs `edit`; when it changed the line, Undo brings back the line from before it.
    template <typename Edit>
    void Undoable(Edit edit);

    TextBox& line_;
    RichTextBox& pane_;
    ExpressionNormalizer normalizer_;
    std::optional<Snapshot> undo_;
};

}  // namespace zentra
