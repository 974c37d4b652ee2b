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

bool EditLinearLine(TextBox& line, std::string_view key) {
    const int length = static_cast<int>(line.Text().size());
    const int caret = std::clamp(line.SelStart(), 0, length);
    bool accepted = true;
    if (key == kBackKey) {
        line.SetSelStart(std::max(caret - 1, 0));
        if (caret > 0) {
            line.SetSelLength(1);
            line.ReplaceSel("");
        }
    } else if (key == kDelKey) {
        const int selected = std::clamp(line.SelLength(), 0, length - caret);
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

bool LinearLineEditor::Insert(std::string_view caption) {
    if (caption.empty()) return false;
    const bool accepted = EditLinearLine(line_, caption);
    ShowResult(pane_, "");
    return accepted;
}

bool LinearLineEditor::Digit(int index) {
    if (index < 0 || index > 9) return false;
    const char caption = static_cast<char>('0' + index);
    return Insert(std::string_view(&caption, 1));
}

bool LinearLineEditor::Operator(int index) {
    return Insert(OperatorCaption(index));
}

void LinearLineEditor::Control(int index) {
    switch (index) {
        case kClearIndex:
            Clear();
            break;
        case kDelIndex:
            Del();
            break;
        case kBackIndex:
            Back();
            break;
        case kEqualsIndex:
            Equals();
            break;
        default:
            return;
    }
    if (line_.Enabled()) line_.SetFocus();
}

void LinearLineEditor::Clear() {
    line_.SetText("");
    ShowResult(pane_, "");
}

void LinearLineEditor::Del() {
    if (line_.Text().empty()) return;
    EditLinearLine(line_, kDelKey);
    ShowResult(pane_, "");
}

void LinearLineEditor::Back() {
    if (line_.Text().empty()) return;
    EditLinearLine(line_, kBackKey);
    ShowResult(pane_, "");
}

void LinearLineEditor::Equals() {
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
