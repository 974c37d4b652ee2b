#include "input/LinearLineEditor.h"

#include <algorithm>
#include <string>

#include "input/ShowResult.h"

namespace zentra {

std::string_view OperatorCaption(int index) {
    static constexpr std::string_view kCaptions[] = {".", "/", "*", "-", "+", "^", "!", "(", ")"};
    if (index < 0 || index >= static_cast<int>(std::size(kCaptions))) return {};
    return kCaptions[index];
}

namespace {

// The caret and the selection from it, kept inside the line.
struct Selection {
    int length;  // of the line
    int caret;
    int selected;
};

Selection ClampedSelection(const TextBox& line) {
    const int length = static_cast<int>(line.Text().size());
    const int caret = std::clamp(line.SelStart(), 0, length);
    return {length, caret, std::clamp(line.SelLength(), 0, length - caret)};
}

}  // namespace

bool EditLinearLine(TextBox& line, std::string_view key) {
    const auto [length, caret, selected] = ClampedSelection(line);
    bool accepted = true;
    if (key == kBackKey) {
        line.SetSelStart(std::max(caret - 1, 0));
        if (caret > 0) {
            line.SetSelLength(1);
            line.ReplaceSel("");
        }
    } else if (key == kDelKey) {
        line.SetSelStart(caret);
        if (caret < length) {
            line.SetSelLength(std::max(selected, 1));
            line.ReplaceSel("");
        }
    } else if (length + static_cast<int>(key.size()) > kMaxExpressionLength) {
        accepted = false;
    } else {
        // The key goes in at the caret; a selection stays in the line.
        line.SetSelStart(caret);
        line.ReplaceSel(key);
    }
    if (line.Enabled()) line.SetFocus();
    return accepted;
}

std::string PastableText(std::string_view text) {
    const std::string_view firstLine = text.substr(0, text.find_first_of("\r\n"));
    std::string pastable;
    for (char c : firstLine) {
        const bool digit = c >= '0' && c <= '9';
        if (digit || c == ' ' || std::string_view("./*-+^!()").find(c) != std::string_view::npos)
            pastable.push_back(c);
    }
    return pastable;
}

// Clearing an empty pane would still redraw it: a tenth of the time of a key under Wine.
void LinearLineEditor::ClearPane() {
    if (pane_.Enabled() || !pane_.TextRTF().empty()) ShowResult(pane_, "");
}

template <typename Edit>
void LinearLineEditor::Undoable(Edit edit) {
    Snapshot before{line_.Text(), line_.SelStart(), line_.SelLength()};
    edit();
    if (line_.Text() != before.text) undo_ = std::move(before);
}

bool LinearLineEditor::Insert(std::string_view caption) {
    if (caption.empty()) return false;
    const bool accepted = EditLinearLine(line_, caption);
    if (accepted) undo_.reset();
    ClearPane();
    return accepted;
}

bool LinearLineEditor::Digit(int digit) {
    if (digit < 0 || digit > 9) return false;
    const char caption = static_cast<char>('0' + digit);
    return Insert(std::string_view(&caption, 1));
}

bool LinearLineEditor::Operator(std::string_view caption) {
    for (int index = 0; !OperatorCaption(index).empty(); ++index) {
        if (OperatorCaption(index) == caption) return Insert(caption);
    }
    return false;
}

void LinearLineEditor::FocusLine() {
    if (line_.Enabled()) line_.SetFocus();
}

void LinearLineEditor::Clear() {
    Undoable([this] {
        line_.SetText("");
        ClearPane();
    });
    FocusLine();
}

void LinearLineEditor::Del() {
    const int length = static_cast<int>(line_.Text().size());
    if (length > 0) {
        if (line_.SelStart() < length) undo_.reset();
        EditLinearLine(line_, kDelKey);
        ClearPane();
    }
    FocusLine();
}

void LinearLineEditor::Back() {
    if (!line_.Text().empty()) {
        if (line_.SelStart() > 0) undo_.reset();
        EditLinearLine(line_, kBackKey);
        ClearPane();
    }
    FocusLine();
}

void LinearLineEditor::Equals() {
    Undoable([this] { Normalize(); });
    FocusLine();
}

bool LinearLineEditor::Paste(std::string_view text) {
    const std::string pastable = PastableText(text);
    if (pastable.empty()) return false;
    const auto [length, caret, selected] = ClampedSelection(line_);
    // Cutting the text to fit would paste another number than the one copied.
    if (length - selected + static_cast<int>(pastable.size()) > kMaxExpressionLength) return false;
    Undoable([&] { line_.ReplaceSel(pastable); });
    ClearPane();
    FocusLine();
    return true;
}

std::string LinearLineEditor::CopyText() const {
    const auto [length, start, selected] = ClampedSelection(line_);
    std::string text = line_.Text();
    if (selected == 0) return text;
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(selected));
}

void LinearLineEditor::Undo() {
    if (!undo_) return;
    const Snapshot snapshot = std::move(*undo_);
    undo_.reset();
    line_.SetText(snapshot.text);
    line_.SetSelStart(snapshot.selStart);
    line_.SetSelLength(snapshot.selLength);
    ClearPane();
    FocusLine();
}

void LinearLineEditor::Normalize() {
    const std::string text = line_.Text();
    if (text.empty()) return;
    const NormalizeResult result = normalizer_.Normalize(text);
    if (result.failure) {
        ShowResult(pane_, result.failure->message);
        line_.SetSelStart(result.failure->selStart);
        line_.SetSelLength(result.failure->selLength);
        return;
    }
    line_.SetText(result.text);
    line_.SetSelStart(static_cast<int>(result.text.size()));
}

}  // namespace zentra
