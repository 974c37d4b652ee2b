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
    // Clear and "=" can be undone when they changed the line; the other keys end what Undo
    // could do.
    void Control(int index);

    // Paste of plain text: PastableText(text) replaces the selection. False, changing nothing,
    // when there is nothing to paste or the line would become too long. Can be undone.
    bool Paste(std::string_view text);
    // What Copy takes: the selection, or the whole line when nothing is selected.
    std::string CopyText() const;
    // One level: the line (and its selection) as it was before the last Clear, "=" or Paste
    // that changed it, unless a key edited the line since.
    bool CanUndo() const { return undo_.has_value(); }
    void Undo();

    void Clear();
    void Del();
    void Back();
    // Normalises a non-empty line: on success the line becomes the result (caret at its end);
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
    // Runs `edit`; when it changed the line, Undo brings back the line from before it.
    template <typename Edit>
    void Undoable(Edit edit);

    TextBox& line_;
    RichTextBox& pane_;
    ExpressionNormalizer normalizer_;
    std::optional<Snapshot> undo_;
};

}  // namespace zentra
