#include <gtest/gtest.h>

#include <string>

#include "common/display/MemoryRichTextBox.h"
#include "input/LinearLineEditor.h"
#include "input/MemoryTextBox.h"

namespace zentra {
namespace {

TEST(EditLinearLine_Keys, EditAtTheCaret) {
    const struct {
        const char* text;
        int selStart, selLength;
        const char* key;
        const char* expected;
        int caret;
    } cases[] = {
        {"123", 3, 0, "4", "1234", 4},  {"123", 0, 0, "(", "(123", 1},
        {"123", 1, 2, "+", "1+23", 2},  // a selection is not replaced
        {"123", 2, 0, "BACK", "13", 1}, {"123", 0, 0, "BACK", "123", 0},
        {"123", 1, 2, "BACK", "23", 0}, {"123", 1, 0, "DEL", "13", 1},
        {"123", 3, 0, "DEL", "123", 3}, {"12345", 1, 3, "DEL", "15", 1},
        {"", 0, 0, "DEL", "", 0},       {"", 0, 0, "7", "7", 1},
    };
    for (const auto& c : cases) {
        MemoryTextBox line(c.text);
        line.SetSelStart(c.selStart);
        line.SetSelLength(c.selLength);
        EXPECT_TRUE(EditLinearLine(line, c.key));
        EXPECT_EQ(line.Text(), c.expected) << c.text << " key " << c.key;
        EXPECT_EQ(line.SelStart(), c.caret) << c.text << " key " << c.key;
        EXPECT_EQ(line.SelLength(), 0);
        EXPECT_EQ(line.FocusCount(), 1);
        // Only the edited range changes: a long line's box must not take in its whole text.
        EXPECT_EQ(line.TextSets(), 0) << c.text << " key " << c.key;
    }
}

TEST(EditLinearLine_Limits, AFullLineTakesNoMoreAndADisabledOneNoFocus) {
    MemoryTextBox line(std::string(kMaxExpressionLength, '1'));
    line.SetSelStart(5);
    EXPECT_FALSE(EditLinearLine(line, "2"));
    EXPECT_EQ(line.Text().size(), static_cast<std::size_t>(kMaxExpressionLength));
    EXPECT_EQ(line.SelStart(), 5);
    EXPECT_TRUE(EditLinearLine(line, "BACK"));
    EXPECT_TRUE(EditLinearLine(line, "2"));

    MemoryTextBox disabled("1");
    disabled.SetEnabled(false);
    EditLinearLine(disabled, "2");
    EXPECT_EQ(disabled.FocusCount(), 0);
}

class LinearLineEditorTest : public ::testing::Test {
  protected:
    MemoryTextBox line_;
    MemoryRichTextBox pane_;
    LinearLineEditor editor_{line_, pane_};

    void ShowMessage(const char* message) {
        pane_.SetText(message);
        pane_.SetEnabled(true);
    }
};

TEST_F(LinearLineEditorTest, KeysInsertTheirCaptionsAndClearThePane) {
    ShowMessage("Unpaired Brackets.");
    EXPECT_TRUE(editor_.Digit(2));
    EXPECT_TRUE(editor_.Operator("^"));
    EXPECT_TRUE(editor_.Operator("("));
    EXPECT_TRUE(editor_.Digit(0));
    EXPECT_TRUE(editor_.Operator("-"));
    EXPECT_TRUE(editor_.Digit(1));
    EXPECT_TRUE(editor_.Operator(")"));
    EXPECT_EQ(line_.Text(), "2^(0-1)");
    EXPECT_EQ(pane_.Text(), "");
    EXPECT_FALSE(pane_.Enabled());
    EXPECT_FALSE(editor_.Digit(10));
    EXPECT_FALSE(editor_.Digit(-1));
    EXPECT_FALSE(editor_.Operator("x"));
    EXPECT_FALSE(editor_.Operator(""));
    EXPECT_FALSE(editor_.Operator("()"));
    EXPECT_EQ(line_.Text(), "2^(0-1)");
    const char* captions = "./*-+^!()";
    for (int i = 0; i < 9; ++i) EXPECT_EQ(OperatorCaption(i), std::string(1, captions[i]));
}

TEST_F(LinearLineEditorTest, EqualsReplacesTheLineWithItsNormalForm) {
    line_.SetText("5!");
    line_.SetSelStart(2);
    editor_.Equals();
    EXPECT_EQ(line_.Text(), "2*3*4*5");
    EXPECT_EQ(line_.SelStart(), 7);
    EXPECT_EQ(line_.FocusCount(), 1);
    EXPECT_EQ(line_.TextSets(), 2) << "the test's own, then once for the result";
}

// The checks see the line with blanks removed, factorials expanded and decimals as fractions;
// the selection still lands on what was typed: the character, or the whole number or factorial
// a fault lies in.
TEST_F(LinearLineEditorTest, EqualsSelectsTheFaultAndKeepsTheLine) {
    const struct {
        const char* line;
        const char* message;
        int selStart;
        int selLength = 1;
    } cases[] = {
        {"2*(3+4", "Unpaired Brackets.", 5},
        {"1/0", "Division by zero.", 1},
        {"-5", "No digit found (2).", 0},
        {"(2 + )", "No digit found (5).", 5},
        {" 1 /  0", "Division by zero.", 3},
        {"2 * ( 3 + 4  ", "Unpaired Brackets.", 10},
        {"5!/0+1111111111", "Division by zero.", 2},
        {"0.5+2(3)+4444444444", "No operation found.", 5},
        {"1.25/0", "Division by zero.", 4},
        {"0.5+", "No digit found (1).", 3},
        {"(0.5", "Unpaired Brackets.", 1, 3},
        {"(3!", "Unpaired Brackets.", 1, 2},
        {"3!+", "No digit found (1).", 2},
        {"10!/0", "Division by zero.", 3},
        {"1.5(2)", "No operation found.", 3},
        {"(2)1.5", "No operation found.", 2},
        {"(2) 3!", "No operation found.", 2},
        {"0.1+.5", "Illegal decimal.", 4, 2},
        {"2*5.", "Illegal decimal.", 2, 2},
        {"3!.5", "Illegal decimal.", 2, 2},
        {"2!3", "No operation found.", 1},
        {"3!(2)", "No operation found.", 2},
        {"(1)!0", "No operation found.", 3},
        {"1/0.0", "Division by zero.", 1},
        {"5000!+5000!", "Factorial too large.", 6, 5},
        {"2*( +*3)", "No digit found (4).", 2},
    };
    for (const auto& c : cases) {
        line_.SetText(c.line);
        editor_.Equals();
        EXPECT_EQ(line_.Text(), c.line);
        EXPECT_EQ(pane_.Text(), c.message) << c.line;
        EXPECT_TRUE(pane_.Enabled());
        EXPECT_EQ(line_.SelStart(), c.selStart) << c.line;
        EXPECT_EQ(line_.SelLength(), c.selLength) << c.line;
    }
}

TEST_F(LinearLineEditorTest, ControlKeysOnAnEmptyLineDoNothing) {
    ShowMessage("No digit found (1).");
    editor_.Del();
    editor_.Back();
    editor_.Equals();
    EXPECT_EQ(line_.Text(), "");
    EXPECT_EQ(pane_.Text(), "No digit found (1).");
    EXPECT_EQ(line_.FocusCount(), 3);  // the display still gets the focus back
}

TEST_F(LinearLineEditorTest, ClearDelAndBackEditTheLine) {
    line_.SetText("12+34");
    line_.SetSelStart(2);
    editor_.Back();
    EXPECT_EQ(line_.Text(), "1+34");
    editor_.Del();
    EXPECT_EQ(line_.Text(), "134");
    EXPECT_EQ(line_.SelStart(), 1);
    ShowMessage("x");
    editor_.Clear();
    EXPECT_EQ(line_.Text(), "");
    EXPECT_EQ(pane_.Text(), "");
    EXPECT_EQ(line_.FocusCount(), 5);  // the edit and the key's end each give it
}

TEST(PastableText, KeepsTheTypableCharactersOfTheFirstLine) {
    const struct {
        const char* text;
        const char* pastable;
    } cases[] = {
        {"12\r\n18\r\n", "12"},
        {"0.5/2*3-4+5^6!(7)", "0.5/2*3-4+5^6!(7)"},
        {"x = 2 ^ -1\n4", "  2 ^ -1"},
        {"a\tb\rc", ""},
        {"\r\n12", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(PastableText(c.text), c.pastable) << c.text;
}

TEST_F(LinearLineEditorTest, PasteReplacesTheSelectionUpToTheLineLimit) {
    line_.SetText("2+3*4");
    line_.SetSelStart(2);
    line_.SetSelLength(1);
    ShowMessage("No digit found (1).");
    EXPECT_TRUE(editor_.Paste("(1+2)\r\n9"));
    EXPECT_EQ(line_.Text(), "2+(1+2)*4");
    EXPECT_EQ(line_.SelStart(), 7);
    EXPECT_EQ(pane_.Text(), "");
    EXPECT_FALSE(editor_.Paste("abc"));
    EXPECT_EQ(line_.Text(), "2+(1+2)*4");

    // Just inside and just outside the limit; the selection's room counts.
    line_.SetText(std::string(kMaxExpressionLength - 2, '1'));
    line_.SetSelStart(0);
    EXPECT_FALSE(editor_.Paste("234"));
    EXPECT_EQ(line_.Text().size(), static_cast<std::size_t>(kMaxExpressionLength - 2));
    EXPECT_TRUE(editor_.Paste("23"));
    line_.SetSelStart(0);
    line_.SetSelLength(1);
    EXPECT_TRUE(editor_.Paste("4"));
    EXPECT_EQ(line_.Text().substr(0, 3), "431");
    EXPECT_EQ(line_.Text().size(), static_cast<std::size_t>(kMaxExpressionLength));
}

TEST_F(LinearLineEditorTest, CopyTakesTheSelectionOrTheWholeLine) {
    line_.SetText("2+3*4");
    EXPECT_EQ(editor_.CopyText(), "2+3*4");
    line_.SetSelLength(3);
    EXPECT_EQ(editor_.CopyText(), "2+3");
    line_.SetSelStart(4);
    line_.SetSelLength(1);
    EXPECT_EQ(editor_.CopyText(), "4");
}

// One level: the line before the last Clear, "=" or Paste that changed it, until a key edits it.
// Steps: '=' and 'c' (Clear), 'p' pastes "7", '1' and '+' type, 'b' Back, 'd' Del.
TEST(LinearLineEditor_Undo, TakesBackTheLastClearEqualsOrPaste) {
    const struct {
        const char* steps;
        const char* before;  // the line before Undo
        const char* after;
    } cases[] = {
        {"=", "2*3*4*5", "5!"},
        {"c", "", "5!"},
        {"p", "5!7", "5!"},
        {"=c", "", "2*3*4*5"},
        {"=1", "2*3*4*51", "2*3*4*51"},  // a key that edits the line ends it
        {"=b", "2*3*4*", "2*3*4*"},
        {"=d", "2*3*4*5", "5!"},  // Del at the end edits nothing
        {"p=", "5!7", "5!"},      // a failing "=" changes nothing, the level stays
        {"cc", "", "5!"},
        {"", "5!", "5!"},
    };
    for (const auto& c : cases) {
        MemoryTextBox line("5!");
        MemoryRichTextBox pane;
        LinearLineEditor editor(line, pane);
        line.SetSelStart(2);
        for (const char* step = c.steps; *step != '\0'; ++step) {
            if (*step == '=') editor.Equals();
            if (*step == 'c') editor.Clear();
            if (*step == 'b') editor.Back();
            if (*step == 'd') editor.Del();
            if (*step == 'p') editor.Paste("7");
            if (*step == '1') editor.Digit(1);
            if (*step == '+') editor.Operator("+");
        }
        EXPECT_EQ(line.Text(), c.before) << c.steps;
        EXPECT_EQ(editor.CanUndo(), std::string_view(c.before) != c.after) << c.steps;
        editor.Undo();
        EXPECT_EQ(line.Text(), c.after) << c.steps;
        EXPECT_FALSE(editor.CanUndo()) << c.steps;
    }
}

TEST(LinearLineEditor_Undo, BringsTheSelectionBackWithTheLine) {
    MemoryTextBox line("1/0");
    MemoryRichTextBox pane;
    LinearLineEditor editor(line, pane);
    line.SetSelStart(1);
    line.SetSelLength(2);
    editor.Paste("*2");
    EXPECT_EQ(line.Text(), "1*2");
    pane.SetText("x");
    editor.Undo();
    EXPECT_EQ(line.Text(), "1/0");
    EXPECT_EQ(line.SelStart(), 1);
    EXPECT_EQ(line.SelLength(), 2);
    EXPECT_EQ(pane.Text(), "");
}

TEST_F(LinearLineEditorTest, ADoubleClickInsertsTwice) {
    editor_.Digit(4);
    editor_.Digit(4);
    EXPECT_EQ(line_.Text(), "44");
    EXPECT_EQ(line_.SelStart(), 2);
}

}  // namespace
}  // namespace zentra
