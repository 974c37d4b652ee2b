#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controls/KeypadDesign.h"
#include "engine/ResultRendering.h"
#include "engine/tests/EngineFixture.h"
#include "resources/design/KeypadDesignBytes.h"
#include "window/WindowLogic.h"
#include "window/tests/Fakes.h"
#include "window/tests/WindowHarness.h"

namespace zentra {
namespace {

using namespace zentra::testing;

// The keys' help topics as the program's stored keypad holds them.
void LoadKeyTopics(FakeKeypad& keys) {
    static const std::vector<KeyDesign> design = LoadKeypadDesign(KeypadDesignBytes());
    constexpr std::pair<KeyArray, std::string_view> kArrays[] = {{KeyArray::Digit, "bbDigit"},
                                                                 {KeyArray::Oper, "bbOper"},
                                                                 {KeyArray::Cntrl, "bbCntrl"},
                                                                 {KeyArray::Func, "bbFunc"}};
    for (const auto& [array, name] : kArrays) {
        for (int i = 0; i < KeyCount(array); ++i) {
            if (const KeyDesign* stored = FindKey(design, name, i)) {
                keys.At(array, i).helpContextId = stored->helpContextId;
                keys.At(array, i).whatsThisHelpId = stored->whatsThisHelpId;
            }
        }
    }
}

struct Harness : WindowHarness {
    explicit Harness(std::string calcPath = {}, ProgramInfo program = {},
                     const char* storedMode = nullptr)
        : WindowHarness(TestPrimes()) {
        LoadKeyTopics(keys);
        if (storedMode != nullptr) {
            RegWriteValue(registry, RegistryRoot::LocalMachine,
                          Settings(registry, program.company).KeyPath(), "Mode", storedMode);
        }
        window.Load(program, {std::move(calcPath), "C:\\Zentra\\Zentra!.hlp",
                              "https://web.example/", "mailto:help@web.example"});
    }

    // Keypad input: digits, '\n' Enter, 'b' Back, 'd' Del, 'c' Clear, 'u' the user moves up one
    // row, 'r' the user selects the result column.
    void Type(std::string_view keysTyped) {
        for (char c : keysTyped) {
            if (c >= '0' && c <= '9') window.OnKeyClick(KeyArray::Digit, c - '0');
            if (c == '\n') window.OnKeyClick(KeyArray::Cntrl, kEnter);
            if (c == 'b') window.OnKeyClick(KeyArray::Cntrl, kBack);
            if (c == 'd') window.OnKeyClick(KeyArray::Cntrl, kDel);
            if (c == 'c') window.OnKeyClick(KeyArray::Cntrl, kClear);
            if (c == 'u') grid.SetRow(grid.Row() - 1);
            if (c == 'r') grid.SetCol(1);
        }
    }
    // Column 0 of every row, the current row marked with '>'.
    std::string Lines() const {
        std::string text;
        for (int row = 0; row < grid.Rows(); ++row) {
            if (row > 0) text += ' ';
            if (row == grid.Row()) text += '>';
            text += grid.TextMatrix(row, 0);
            if (text.empty() || text.back() == ' ' || text.back() == '>') text += '_';
        }
        return text;
    }
    int ClickDraws() const {
        int total = 0;
        for (const auto& array : keys.keys) {
            for (const auto& key : array) total += key.clickDraws;
        }
        return total;
    }
};

// The linear text of the result the pane shows; "" when it shows none.
std::string ShownResult(const Harness& h) {
    if (h.result.TextRTF().empty()) return {};
    const std::string text = h.window.Engine().LastResultText();
    return h.result.TextRTF() == RenderResultRtf(text) ? text : "(other)";
}

TEST(WindowLogic_Load, SetsCaptionSizeTabularKeysAndFocus) {
    Harness h;
    EXPECT_EQ(h.host.caption, "Quorvel");
    EXPECT_EQ(h.host.width, 341);
    EXPECT_EQ(h.host.height, 250);
    EXPECT_TRUE(h.menus.At(MenuItem::ViewModeTabular).checked);
    EXPECT_FALSE(h.menus.At(MenuItem::ViewModeLinear).checked);
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(h.keys.At(KeyArray::Oper, i).visible) << i;
        EXPECT_TRUE(h.keys.At(KeyArray::Func, i).visible) << i;
    }
    for (int i = 5; i < 9; ++i) EXPECT_FALSE(h.keys.At(KeyArray::Oper, i).enabled) << i;
    EXPECT_EQ(h.keys.At(KeyArray::Cntrl, kEnter).caption, "Enter");
    EXPECT_FALSE(h.window.EventGuardRaised());
    const int focus = h.grid.FocusCount();
    h.window.Activate();
    EXPECT_EQ(h.grid.FocusCount(), focus + 1);
    h.grid.SetEnabled(false);
    h.window.Activate();
    EXPECT_EQ(h.grid.FocusCount(), focus + 1);
}

TEST(WindowLogic_Keypad, EditsTheTabularLinesByTheRowRule) {
    struct Case {
        const char* typed;
        const char* lines;
        int beeps;
    };
    const Case cases[] = {
        {"12\n", "12 >_", 0},
        {"12\n18\n", "12 18 >_", 0},
        {"\n", ">_", 0},
        {"0\n", ">_", 0},
        {"0", ">0", 0},
        {"007", ">7", 0},
        {"1234567890123", ">123456789012", 1},
        {"123b", ">12", 0},
        {"b", ">_", 0},
        {"12\n18\nd", "12 18 >_", 0},
        {"12\n34d", "12 >_", 0},
        {"12\n18\nuud", ">18 _", 0},
        {"12\n18\nud", "12 >_", 0},
        {"12\n18\nubb\n", "12 >_", 0},
        {"12\n18\nubb", "12 >_ _", 0},
        {"12\n5u", ">12 5 _", 0},
        {"12\n18\nc", ">_", 0},
        {"12\n18\nuu9\n", "129 >18 _", 0},
    };
    for (const Case& c : cases) {
        Harness h;
        EXPECT_NO_THROW(h.Type(c.typed)) << c.typed;
        EXPECT_EQ(h.Lines(), c.lines) << c.typed;
        EXPECT_EQ(h.beep.beeps, c.beeps) << c.typed;
        EXPECT_FALSE(h.window.EventGuardRaised()) << c.typed;
    }
}

TEST(WindowLogic_Keypad, KeysClearTheResultAndSetTheUndoLevel) {
    struct Case {
        const char* typed;
        int undoLevel;
        bool stale;
    };
    const Case cases[] = {
        {"12\n", 0, true},   {"12\nc", 1, true},   {"12\nc5", 0, true},
        {"12\nud", 1, true}, {"12\nudb", 1, true}, {"12\nc\n", 1, true},
    };
    for (const Case& c : cases) {
        Harness h;
        h.Type(c.typed);
        EXPECT_EQ(h.window.UndoLevel(), c.undoLevel) << c.typed;
        EXPECT_EQ(h.window.FactorizationStale(), c.stale) << c.typed;
    }
    Harness h;
    h.Type("12\n18\n");
    h.window.OnKeyClick(KeyArray::Func, kLcm);
    h.grid.SetRow(0);
    h.grid.SetCol(1);
    h.Type("5");
    EXPECT_EQ(h.grid.TextMatrix(0, 0), "125");
    EXPECT_EQ(h.grid.TextMatrix(0, 1), "") << "typing empties the line's result";
    EXPECT_EQ(h.grid.TextMatrix(1, 1), "= 2 * 3^2");
    h.Type("c");
    EXPECT_EQ(h.result.Text(), "");
    EXPECT_FALSE(h.result.Enabled());
}

TEST(WindowLogic_Grid, EnterCellKeepsTheCursorOnTheNumberColumnOfRowsWithoutResult) {
    Harness h;
    h.Type("12\n18\n");
    h.grid.SetCol(1);
    EXPECT_EQ(h.grid.Col(), 0);
    h.window.OnKeyClick(KeyArray::Func, kFactorization);
    h.grid.SetRow(0);
    h.grid.SetCol(1);
    EXPECT_EQ(h.grid.Col(), 1);
}

TEST(WindowLogic_Grid, DoubleClickOnAResultShowsTheLine) {
    Harness h;
    h.Type("12\n");
    h.window.OnKeyClick(KeyArray::Func, kFactorization);
    h.grid.SetRow(0);
    h.window.OnGridDoubleClick();
    EXPECT_EQ(h.result.Text(), "") << "a number cell shows nothing";
    h.grid.SetCol(1);
    h.window.OnGridDoubleClick();
    EXPECT_EQ(h.result.TextRTF(), RenderResultRtf("12 = 2^2 * 3"));
}

TEST(WindowLogic_Grid, ResultColumnMakesRoomForTheScrollBar) {
    Harness h;
    h.grid.SetSize(4890, 1125);  // room for 4 rows of 240 twips
    const int numberWidth = 12 * 7 * 15 + 6 * 15;
    h.window.UpdateGridColumns();
    EXPECT_EQ(h.grid.ColWidth(0), numberWidth);
    EXPECT_EQ(h.grid.ColWidth(1), 4890 - numberWidth);
    h.Type("1\n2\n3\n4\n");
    EXPECT_EQ(h.grid.ColWidth(1), 4890 - numberWidth - 16 * 15);
    h.Type("c");
    EXPECT_EQ(h.grid.ColWidth(1), 4890 - numberWidth) << "Clear leaves no scroll bar";
    h.grid.SetSize(100, 1125);
    h.window.UpdateGridColumns();
    EXPECT_EQ(h.grid.ColWidth(1), 0);
    h.metrics.dpi = 144;
    h.window.UpdateGridColumns();
    EXPECT_EQ(h.grid.ColWidth(0), 12 * 7 * 15 + 9 * 15) << "the padding scales with the screen";
}

TEST(WindowLogic_Grid, ScrollsToKeepTheTypedLineVisible) {
    Harness h;
    h.grid.SetSize(4890, 1125);
    h.Type("1\n2\n3\n4\n5\n6\n");
    EXPECT_TRUE(h.grid.RowIsVisible(h.grid.Row())) << h.grid.TopRow();
}

TEST(WindowLogic_Grid, TypingBackDelAndEnterShowTheCurrentLine) {
    // Ten lines in a view of four rows, the view scrolled away from the current line.
    struct Case {
        int row;     // current line
        int topRow;  // where the view was scrolled
        const char* typed;
    };
    const Case cases[] = {
        {10, 0, "5"}, {10, 0, "b"}, {10, 0, "d"}, {9, 0, "\n"}, {10, 0, "5\n"},
        {1, 7, "5"},  {1, 7, "b"},  {1, 7, "d"},  {1, 7, "\n"},
    };
    for (const Case& c : cases) {
        Harness h;
        h.Type("1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n");
        h.grid.SetRow(c.row);
        h.grid.SetTopRow(c.topRow);
        h.Type(c.typed);
        EXPECT_TRUE(h.grid.RowIsVisible(h.grid.Row()))
            << c.row << " " << c.typed << ": top row " << h.grid.TopRow();
    }
}

TEST(WindowLogic_Grid, LeavingAnEmptiedRowByKeyOrClickEndsOnTheNewLine) {
    // 12, 18, 20; one row emptied by Back; the grid moves to a target counted before the row goes
    // (arrow or page key, Home/End, a click); then 5 is typed.
    struct Case {
        int emptied;
        int target;
        const char* lines;
    };
    const Case cases[] = {
        {0, 1, "18 20 >5"},  // Down, or a click on 18
        {0, 2, "18 20 >5"},  // a click on 20
        {0, 3, "18 20 >5"},  // End, Page Down
        {1, 0, "12 20 >5"},  // Up, Home
        {1, 2, "12 20 >5"},
    };
    for (const Case& c : cases) {
        Harness h;
        h.Type("12\n18\n20\n");
        h.grid.SetRow(c.emptied);
        h.Type("bb");
        h.grid.SelectCell(c.target, 0);
        h.Type("5");
        EXPECT_EQ(h.Lines(), c.lines) << c.emptied << " to " << c.target;
    }
}

TEST(WindowLogic_Grid, PasteLineIntoHandsTheNumberToAnotherWindow) {
    Harness h;
    h.Type("42");
    h.window.PasteLineInto(0);
    EXPECT_TRUE(h.host.pastedInto.empty());
    EXPECT_EQ(h.clipboard.text, "");
    h.window.PasteLineInto(0x1234);
    EXPECT_EQ(h.host.pastedInto, std::vector<std::uintptr_t>{0x1234});
    EXPECT_EQ(h.clipboard.text, "42");
}

TEST(WindowLogic_Operations, RunBusyOnceAndFinishThePendingLine) {
    Harness h;
    h.Type("12\n18");
    h.window.OnKeyClick(KeyArray::Func, kLcm);  // factorizes the changed numbers first
    EXPECT_EQ(h.result.TextRTF(), RenderResultRtf("36 = 2^2 * 3^2"));
    EXPECT_EQ(h.Lines(), "12 18 >_");
    EXPECT_EQ(h.grid.TextMatrix(1, 1), "= 2 * 3^2");
    EXPECT_EQ(h.host.log, (std::vector<std::string>{"busy", "idle"}));
    h.window.OnKeyClick(KeyArray::Func, kCancellation);
    EXPECT_EQ(h.Lines(), "2 3 >_");
    EXPECT_EQ(h.host.log, (std::vector<std::string>{"busy", "idle", "busy", "idle"}));

    // Without a number line only the pending line is finished.
    Harness empty;
    for (int operation = kFactorization; operation <= kProduct; ++operation)
        empty.window.OnKeyClick(KeyArray::Func, operation);
    EXPECT_TRUE(empty.host.log.empty());
    EXPECT_EQ(empty.Lines(), ">_");
}

// ---- Menus ----

struct MenuState {
    Harness& h;
    bool Enabled(MenuItem item) { return h.menus.At(item).enabled; }
};

TEST(WindowLogic_Menus, ActionsFollowTheFirstNumber) {
    struct Case {
        const char* typed;
        const char* calcPath;
        bool operations;
        bool calculator;
    };
    const Case cases[] = {
        {"", "", false, false},
        {"12", "", true, false},  // the new line counts as well
        {"12\n", "C:\\WINDOWS\\calc.exe", true, true},
        {"0\n", "x", false, true},
        {"12\nuc", "", false, false},
    };
    for (const Case& c : cases) {
        Harness h(c.calcPath);
        h.Type(c.typed);
        for (auto& item : h.menus.items) item.enabled = !c.operations;
        h.window.OnMenuOpen(Menu::Actions);
        for (MenuItem item : {MenuItem::ActionsFactorization, MenuItem::ActionsLcm,
                              MenuItem::ActionsGcd, MenuItem::ActionsCancellation}) {
            EXPECT_EQ(h.menus.At(item).enabled, c.operations) << c.typed;
        }
        EXPECT_EQ(h.menus.At(MenuItem::ActionsCalculator).enabled, c.calculator) << c.typed;
        EXPECT_TRUE(h.menus.At(MenuItem::ActionsExit).enabled) << c.typed;
    }
}

TEST(WindowLogic_Menus, EditFollowsUndoCellResultAndClipboard) {
    struct Case {
        const char* typed;
        bool resultActive;
        const char* clipboard;
        bool undo, copy, paste, del, clear;
    };
    const Case cases[] = {
        {"", false, "", false, false, false, false, false},
        {"12", false, "", false, true, false, true, true},
        {"12\n", false, "7", false, false, true, false, true},
        {"12\nu", false, ":*", false, true, true, true, true},
        {"12\nc", false, "abc", true, false, false, false, false},
        {"12\nc5", false, "0\r\n5", false, true, false, true, true},
        {"12\n18\nu", true, "", false, true, false, false, true},  // LCM shown below
        {"12\n", true, "", false, false, false, false, true},      // empty result pane
    };
    for (const Case& c : cases) {
        Harness h;
        h.Type(c.typed);
        if (std::string_view(c.typed) == "12\n18\nu") {
            h.window.OnKeyClick(KeyArray::Func, kLcm);
            h.grid.SetRow(2);
        }
        h.host.resultActive = c.resultActive;
        h.clipboard.text = c.clipboard;
        h.window.OnMenuOpen(Menu::Edit);
        MenuState m{h};
        EXPECT_EQ(m.Enabled(MenuItem::EditUndo), c.undo) << c.typed;
        EXPECT_EQ(m.Enabled(MenuItem::EditCopy), c.copy) << c.typed;
        EXPECT_EQ(m.Enabled(MenuItem::EditPaste), c.paste) << c.typed;
        EXPECT_EQ(m.Enabled(MenuItem::EditDelete), c.del) << c.typed;
        EXPECT_EQ(m.Enabled(MenuItem::EditClear), c.clear) << c.typed;
    }
}

TEST(WindowLogic_Menus, CommandsRunTheirActions) {
    struct Case {
        MenuItem item;
        bool handled;
        const char* lines;
        const char* result;
        int unloads;
    };
    const Case cases[] = {
        {MenuItem::ActionsFactorization, true, "4 6 9 >_", "", 0},
        {MenuItem::ActionsLcm, true, "4 6 9 >_", "36 = 2^2 * 3^2", 0},
        {MenuItem::ActionsGcd, true, "4 6 9 >_", "1", 0},
        {MenuItem::ActionsCancellation, true, "4 6 9 >_", "1", 0},
        {MenuItem::ActionsExit, true, "4 6 >9 _", "", 1},
        {MenuItem::EditDelete, true, "4 6 >_", "", 0},
        {MenuItem::EditClear, true, ">_", "", 0},
        {MenuItem::EditUndo, true, "4 6 >9 _", "", 0},
        {MenuItem::ActionsCalculator, true, "4 6 >9 _", "", 0},  // no calculator: nothing
        {MenuItem::HelpAbout, true, "4 6 >9 _", "", 0},          // slides; the lines stay
    };
    for (const Case& c : cases) {
        Harness h;
        h.Type("4\n6\n9\nu");
        EXPECT_EQ(h.window.OnMenuCommand(c.item), c.handled) << static_cast<int>(c.item);
        EXPECT_EQ(h.Lines(), c.lines) << static_cast<int>(c.item);
        EXPECT_EQ(ShownResult(h), c.result) << static_cast<int>(c.item);
        EXPECT_EQ(h.host.unloads, c.unloads) << static_cast<int>(c.item);
    }
}

// ---- Keyboard and DDE ----

// What one command did to a display of 4, 6, 9 (the 9 current, Del undoable, 77 on the clipboard).
struct Observed {
    bool handled = false;
    std::string effect;
};

Harness& Prepare(Harness& h) {
    h.Type("4\n6\n9\n7d");  // Del on the new line: level 1, numbers kept
    h.grid.SetRow(2);
    h.clipboard.text = "77";
    return h;
}

std::string Effect(Harness& h) {
    std::string effects;
    auto add = [&](const std::string& e) { effects += effects.empty() ? e : "," + e; };
    for (int a = 0; a < 4; ++a) {
        const auto array = static_cast<KeyArray>(a);
        for (int i = 0; i < KeyCount(array); ++i) {
            if (h.keys.At(array, i).clickDraws > 0) {
                add("draw" + std::to_string(a) + "." + std::to_string(i));
            }
        }
    }
    if (h.host.unloads > 0) add("exit");
    if (h.host.state != "normal") add(h.host.state);
    if (h.clipboard.text != "77" || !h.clipboard.rtf.empty()) add("copy " + h.clipboard.text);
    const std::string lines = h.Lines();
    if (lines != "4 6 >9 _") add(lines);
    if (!ShownResult(h).empty()) add("= " + ShownResult(h));
    if (h.window.UndoLevel() != 1) add("undo" + std::to_string(h.window.UndoLevel()));
    for (const std::string& call : h.shell.log) add(call);
    if (h.calcTimer.enabled) add("polling");
    return effects;
}

void RunSlide(Harness& h) {
    for (int i = 0; i < 1000 && h.stage.timerOn; ++i) h.clock.Advance(kSlideIntervalMs);
}

// The About panel showing, and the slides: the display takes no input from keys meanwhile.
struct ClosedPhase {
    const char* name;
    void (*enter)(Harness&);
};
constexpr ClosedPhase kClosedPhases[] = {
    {"About shown",
     [](Harness& h) {
         h.window.Execute(Command::About);
         RunSlide(h);
     }},
    {"sliding out",
     [](Harness& h) {
         h.window.Execute(Command::About);
         h.clock.Advance(3 * kSlideIntervalMs);
     }},
    {"sliding back",
     [](Harness& h) {
         h.window.Execute(Command::About);
         RunSlide(h);
         h.window.Execute(Command::About);
         h.clock.Advance(3 * kSlideIntervalMs);
     }},
    {"switching modes",
     [](Harness& h) {
         h.window.Execute(Command::ModeLinear);
         h.clock.Advance(3 * kSlideIntervalMs);
     }},
};

TEST(WindowLogic_Keyboard, MapsKeysToActionsAndKeyPresses) {
    struct Case {
        int key;
        int shift;
        bool handled;
        const char* effect;
    };
    constexpr int kAlt = kAltDown, kCtrl = kCtrlDown, kShift = kShiftDown;
    const Case cases[] = {
        {115, kAlt, true, "exit"},              // Alt+F4
        {'X', kAlt, true, "exit"},              // Alt+X
        {115, kCtrl, true, "exit"},             // Ctrl+F4
        {8, kAlt, true, "undo0"},               // Alt+Backspace
        {'Z', kCtrl, true, "undo0"},            // Ctrl+Z
        {45, kShift, true, "4 6 77 >_,undo0"},  // Shift+Insert
        {'V', kCtrl, true, "4 6 77 >_,undo0"},  // Ctrl+V
        {45, kCtrl, true, "copy 9"},            // Ctrl+Insert
        {'C', kCtrl, true, "copy 9"},           // Ctrl+C
        {'L', kCtrl, true, "4 6 9 >_,= 36 = 2^2 * 3^2,undo0"},
        {'G', kCtrl, true, "4 6 9 >_,= 1,undo0"},
        {'N', kCtrl, true, ">_"},  // Clear: level stays 1
        {46, 0, true, "4 6 >_"},   // Del
        {13, 0, true, "draw2.3"},  // Enter
        {8, 0, true, "draw2.2"},   // Backspace
        {27, 0, true, "draw2.0"},  // Esc
        {'0', 0, true, "draw0.0"},
        {'9', 0, true, "draw0.9"},
        {96, 0, true, "draw0.0"},
        {105, 0, true, "draw0.9"},
        {106, 0, false, ""},  // numeric keypad * and /: they act by the characters they type
        {111, 0, false, ""},
        {'5', kShift | kCtrl, false, ""},
        {'5', kCtrl, false, ""},
        {13, kShift, false, ""},
        {'X', kCtrl, false, ""},
        {113, 0, true, ""},  // F2: no outside calculator here, so nothing happens
        {'A', 0, false, ""},
        {112, 0, false, ""},
    };
    for (const Case& c : cases) {
        Harness h;
        Prepare(h);
        const bool handled = h.window.OnKeyDown(c.key, c.shift);
        EXPECT_EQ(handled, c.handled) << c.key << "/" << c.shift;
        EXPECT_EQ(Effect(h), c.effect) << c.key << "/" << c.shift;
    }
    // Over the About panel and during any slide only closing the program acts: no key or typed
    // character reaches the display, the focused control or an access key.
    for (const ClosedPhase& phase : kClosedPhases) {
        for (const Case& c : cases) {
            Harness h;
            Prepare(h);
            phase.enter(h);
            const bool exits = std::string_view(c.effect) == "exit";
            EXPECT_TRUE(h.window.OnKeyDown(c.key, c.shift)) << phase.name << ": " << c.key;
            h.clock.Advance(20);
            EXPECT_EQ(Effect(h), exits ? "exit" : "") << phase.name << ": " << c.key;
        }
        Harness h;
        Prepare(h);
        phase.enter(h);
        EXPECT_FALSE(h.window.OnKeyDown('H', kAltDown)) << "the menu bar's own Alt keys";
        for (const char typed : std::string_view("*/42+-.^!()")) {
            EXPECT_TRUE(h.window.OnKeyPress(typed)) << phase.name << ": " << typed;
        }
        h.clock.Advance(20);
        EXPECT_EQ(Effect(h), "") << phase.name;
    }
}

TEST(WindowLogic_Keyboard, TypedKeysActAfterTheirPress) {
    Harness h;
    h.window.OnKeyDown('1', 0);
    EXPECT_EQ(h.Lines(), ">_") << "the click follows the press";
    h.window.OnKeyDown(98, 0);  // numeric keypad 2
    EXPECT_EQ(h.Lines(), ">1") << "or the next key, whichever comes first";
    h.clock.Advance(20);
    h.window.OnKeyDown(13, 0);
    h.clock.Advance(20);
    EXPECT_EQ(h.Lines(), "12 >_");
    h.keys.At(KeyArray::Digit, 7).enabled = false;
    h.window.OnKeyDown('7', 0);
    h.clock.Advance(20);
    EXPECT_EQ(h.Lines(), "12 >_") << "a disabled key is not pressed";
}

TEST(WindowLogic_Keyboard, EveryPressActsOnceInTheOrderTyped) {
    // Key-down codes typed with no time between them (Up, which the grid handles, moves up a
    // row), then the flashes end.
    constexpr int kUp = 38;
    struct Case {
        std::vector<int> keys;
        const char* lines;
    };
    const Case cases[] = {
        {{'1', '2', 13, '3', '3', 13}, "12 33 >_"},
        {{'9', '8', '7', '6', '5', '4', '3', '2', '1', '0', '1', '2', 13}, "987654321012 >_"},
        {{'1', '4', '2', '2', '1', 13, '7', '7', 13}, "14221 77 >_"},
        {{'4', 13, '4', 46}, "4 >_"},               // Del acts on the line typed before it
        {{'4', 13, '6', 13, kUp, '9'}, "4 >69 _"},  // so does a key the grid handles
    };
    for (const Case& c : cases) {
        Harness h;
        for (int key : c.keys) {
            if (!h.window.OnKeyDown(key, 0) && key == kUp) {
                h.grid.SelectCell(std::max(0, h.grid.Row() - 1), 0);
            }
        }
        h.clock.Advance(20);
        EXPECT_EQ(h.Lines(), c.lines) << c.lines;
    }
}

TEST(WindowLogic_Keyboard, TypedStarAndSlashPressTheFunctionKeysInTabularMode) {
    struct Case {
        char typed;
        bool tabular;
        const char* effect;
    };
    const Case cases[] = {
        {'*', true, "draw3.0"}, {'/', true, "draw3.3"}, {'+', true, ""},
        {'*', false, ""},       {'/', false, ""},
    };
    for (const Case& c : cases) {
        Harness h;
        Prepare(h);
        if (!c.tabular) {
            h.window.Execute(Command::ModeLinear);
            RunSlide(h);
        }
        EXPECT_EQ(h.window.OnKeyPress(c.typed), *c.effect != '\0') << c.typed << c.tabular;
        EXPECT_EQ(Effect(h), c.effect) << c.typed << c.tabular;
    }
}

TEST(WindowLogic_Dde, AcceptsExactlyTheExecuteTable) {
    struct Case {
        const char* command;
        bool accepted;
        const char* effect;
    };
    const Case cases[] = {
        {"7", true, "4 6 >97 _,undo0"},
        {"0", true, "4 6 >90 _,undo0"},
        {"Enter", true, "4 6 9 >_"},
        {"Copy", true, "copy 9"},
        {"Paste", true, "4 6 77 >_,undo0"},
        {"Delete", true, "4 6 >_"},
        {"Clear", true, ">_"},
        {"*", true, "4 6 9 >_,undo0"},
        {"LCM", true, "4 6 9 >_,= 36 = 2^2 * 3^2,undo0"},
        {"GCD", true, "4 6 9 >_,= 1,undo0"},
        {"/", true, "4 6 9 >_,= 1,undo0"},
        {"Minimize", true, "minimized"},
        {"Restore", true, ""},
        {"Exit", true, "exit"},
        {"enter", false, ""},
        {"ENTER", false, ""},
        {"Enter ", false, ""},
        {"lcm", false, ""},
        {"10", false, ""},
        {"", false, ""},
        {"Undo", false, ""},
        {"Product", false, ""},
    };
    for (const Case& c : cases) {
        Harness h;
        Prepare(h);
        EXPECT_EQ(h.window.OnDdeExecute(c.command), c.accepted) << c.command;
        EXPECT_EQ(Effect(h), c.effect) << c.command;
        EXPECT_EQ(h.ClickDraws(), 0) << "DDE digits are not animated: " << c.command;
    }
    Harness h;
    h.window.OnDdeExecute("Minimize");
    h.window.OnDdeExecute("Restore");
    EXPECT_EQ(h.host.state, "normal");
}

// Each command reached through every source that offers it (menu item, keyboard table, DDE string,
// keypad key) has the same effect; a pressed key's effect is read after its Click.
// Other programs' DDE executes still act under the About panel, but the result pane they fill
// stays disabled until the panel has closed.
TEST(WindowLogic_Dde, OperationsLeaveTheResultPaneDisabledUnderThePanel) {
    for (const ClosedPhase& phase : kClosedPhases) {
        for (const char* command : {"LCM", "GCD", "/"}) {
            Harness h;
            Prepare(h);
            phase.enter(h);
            EXPECT_TRUE(h.window.OnDdeExecute(command));
            EXPECT_NE(ShownResult(h), "") << phase.name << ": " << command;
            EXPECT_FALSE(h.result.Enabled()) << phase.name << ": " << command;
        }
    }
    Harness h;
    Prepare(h);
    kClosedPhases[0].enter(h);
    h.window.Execute(Command::About);
    RunSlide(h);
    h.window.OnDdeExecute("LCM");
    EXPECT_TRUE(h.result.Enabled()) << "once the panel has closed";
}

TEST(WindowLogic_Commands, EverySourceOfACommandHasTheSameEffect) {
    struct Case {
        Command command;
        const char* effect;
    };
    const Case cases[] = {
        {DigitCommand(7), "4 6 >97 _,undo0"},
        {Command::Enter, "4 6 9 >_"},
        {Command::Back, "4 6 >_ _,undo0"},
        {Command::Delete, "4 6 >_"},
        {Command::Clear, ">_"},
        {Command::Factorization, "4 6 9 >_,undo0"},
        {Command::Lcm, "4 6 9 >_,= 36 = 2^2 * 3^2,undo0"},
        {Command::Gcd, "4 6 9 >_,= 1,undo0"},
        {Command::Cancellation, "4 6 9 >_,= 1,undo0"},
        {Command::Product, "4 6 9 >_,= 216 = 2^3 * 3^3,undo0"},
        {Command::Copy, "copy 9"},
        {Command::Paste, "4 6 77 >_,undo0"},
        {Command::Undo, "undo0"},
        {Command::Minimize, "minimized"},
        {Command::Exit, "exit"},
        {Command::Calculator, "open C:\\calc.exe 1,polling"},
        {Command::HelpTopics, "start winhlp32.exe \"C:\\Zentra\\Zentra!.hlp\""},
        {Command::HelpWeb, "open https://web.example/ 0"},
        {Command::HelpMail, "open mailto:help@web.example?subject=Zentra!%20Bug%20Report 0"},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<std::string, std::function<void(Harness&)>>> sources;
        for (const MenuBinding& binding : MenuBindings()) {
            if (binding.command != c.command) continue;
            sources.emplace_back("menu", [item = binding.item](Harness& h) {
                EXPECT_TRUE(h.window.OnMenuCommand(item));
            });
        }
        for (const Shortcut& shortcut : Shortcuts()) {
            if (shortcut.command != c.command) continue;
            sources.emplace_back("key " + std::to_string(shortcut.key), [shortcut](Harness& h) {
                EXPECT_TRUE(h.window.OnKeyDown(shortcut.key, shortcut.shift));
                h.clock.Advance(20);
                for (auto& array : h.keys.keys) {
                    for (auto& key : array) key.clickDraws = 0;
                }
            });
        }
        for (const DdeVerb& verb : DdeVerbs()) {
            if (verb.command != c.command) continue;
            sources.emplace_back("dde " + std::string(verb.text), [verb](Harness& h) {
                EXPECT_TRUE(h.window.OnDdeExecute(verb.text));
            });
        }
        if (const auto key = KeyOfCommand(c.command)) {
            sources.emplace_back(
                "click", [key](Harness& h) { h.window.OnKeyClick(key->array, key->index); });
        }
        EXPECT_FALSE(sources.empty()) << static_cast<int>(c.command);
        for (const auto& [source, run] : sources) {
            Harness h("C:\\calc.exe");
            Prepare(h);
            run(h);
            EXPECT_EQ(Effect(h), c.effect) << source << " of " << static_cast<int>(c.command);
        }
    }
}

// ---- Clipboard and Undo ----

TEST(WindowLogic_Paste, EntersScriptsFromTheCurrentRow) {
    struct Case {
        const char* before;  // typed first; 'u' moves the cursor up
        const char* clipboard;
        const char* lines;
        const char* result;
        int beeps;
    };
    const Case cases[] = {
        {"", "12\r\n18\r\n", "12 18 >_", "", 0},
        {"4\n", ":c\r\n12\r\n18\r\n:l", "12 18 >_", "36 = 2^2 * 3^2", 0},
        {"4\n", ":c\n12\n18\n:l", "12 18 >_", "36 = 2^2 * 3^2", 0},
        {"4\n", ":c\r12\r18\r:l", "12 18 >_", "36 = 2^2 * 3^2", 0},
        {"", "12\n18", "12 18 >_", "", 0},
        {"12\n18\n", ":g", "12 18 >_", "6 = 2 * 3", 0},
        {"", "-12.7", "12 >_", "", 0},
        {"", "12\r\n\r\n18", "12 >_", "", 0},
        {"4\n6\n9\nuuu", "12\r\n18", "12 18 >9 _", "", 0},
        {"", "1234567890123", ">_", "", 1},
        {"", "12\r\n1234567890123\r\n18", "12 >_", "", 1},
        {"", "999999999999", "999999999999 >_", "", 0},
        {"5\n", "abc", "5 >_", "", 0},
        {"5\n", "", "5 >_", "", 0},
        {"", "4\r\n6\r\n:/", "2 3 >_", "2", 0},
    };
    for (const Case& c : cases) {
        Harness h;
        h.Type(c.before);
        h.clipboard.text = c.clipboard;
        h.window.Paste();
        EXPECT_EQ(h.Lines(), c.lines) << c.clipboard;
        EXPECT_EQ(ShownResult(h), c.result) << c.clipboard;
        EXPECT_EQ(h.beep.beeps, c.beeps) << c.clipboard;
        EXPECT_FALSE(h.window.EventGuardRaised());
    }
}

TEST(WindowLogic_Paste, ResetsUndoAndMarksTheNumbersChanged) {
    Harness h;
    h.Type("4\n6\nc");
    EXPECT_EQ(h.window.UndoLevel(), 1);
    h.clipboard.text = "8";
    h.window.Paste();
    EXPECT_EQ(h.window.UndoLevel(), 0);
    EXPECT_TRUE(h.window.FactorizationStale());
    EXPECT_GE(h.grid.FocusCount(), 1);
}

TEST(WindowLogic_Copy, CopiesTheCurrentCellOrTheResult) {
    Harness h;
    h.Type("12\n18\n");
    h.window.Copy();
    EXPECT_EQ(h.clipboard.text, "") << "the empty new line copies nothing";
    h.window.OnKeyClick(KeyArray::Func, kLcm);
    h.grid.SetRow(1);
    h.window.Copy();
    EXPECT_EQ(h.clipboard.text, "18");
    h.grid.SetCol(1);
    h.window.Copy();
    EXPECT_EQ(h.clipboard.text, "= 2 * 3^2");
    h.host.resultActive = true;
    h.window.Copy();
    EXPECT_EQ(h.clipboard.rtf, RenderResultRtf("36 = 2^2 * 3^2"));
    h.Type("c");
    h.clipboard.rtf = "kept";
    h.window.Copy();
    EXPECT_EQ(h.clipboard.rtf, "kept") << "an empty pane copies nothing";
}

TEST(WindowLogic_Undo, RestoresTheNumbersOfTheLastSnapshot) {
    struct Case {
        const char* typed;
        const char* before;  // display before Undo
        const char* after;
    };
    const Case cases[] = {
        {"4\n6\n9\nc", ">_", ">4 6 9 _"},
        {"4\n6\n9\nuud", "4 >9 _", "4 >6 9 _"},
        {"4\n6\n9\nd", "4 6 9 >_", "4 6 9 >_"},
        {"c", ">_", ">_"},                        // level 1 without a snapshot
        {"4\n6\nc5", ">5", ">5"},                 // a digit ends what Undo could do
        {"4\n6\n9\nuubb\n", "4 9 >_", "4 9 >_"},  // an emptied row is gone for good
        {"4\n6\nc7\n8\nuc", ">_", ">7 8 _"},      // the newer snapshot
    };
    for (const Case& c : cases) {
        Harness h;
        h.Type(c.typed);
        EXPECT_EQ(h.Lines(), c.before) << c.typed;
        h.window.Undo();
        EXPECT_EQ(h.Lines(), c.after) << c.typed;
        EXPECT_EQ(h.window.UndoLevel(), 0) << c.typed;
        EXPECT_FALSE(h.host.busy) << c.typed;
    }
}

TEST(WindowLogic_Undo, CancellationComesBackWithItsFactorizations) {
    Harness h;
    h.Type("12\n18\n");
    h.window.OnKeyClick(KeyArray::Func, kCancellation);
    EXPECT_EQ(h.Lines(), "2 3 >_");
    EXPECT_EQ(h.window.UndoLevel(), 2);
    h.host.log.clear();
    h.window.OnKeyDown(8, kAltDown);
    EXPECT_EQ(h.Lines(), "12 18 >_");
    EXPECT_EQ(h.grid.TextMatrix(0, 1), "= 2^2 * 3");
    EXPECT_EQ(h.grid.TextMatrix(1, 1), "= 2 * 3^2");
    EXPECT_EQ(h.host.log, (std::vector<std::string>{"busy", "idle"}));
    EXPECT_EQ(h.window.UndoLevel(), 0);
}

TEST(WindowLogic_Undo, LeavesNoResultBesideAnotherNumber) {
    Harness h;
    h.Type("4\n6\n9\n");
    h.window.OnKeyClick(KeyArray::Func, kFactorization);
    h.Type("uud");  // Del on the 6
    h.window.Undo();
    const std::vector<std::vector<std::string>> rows = {
        {"4", "= 2^2"}, {"6", ""}, {"9", ""}, {"", ""}};
    ASSERT_EQ(h.grid.Rows(), 4);
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(h.grid.TextMatrix(row, 0), rows[row][0]) << row;
        EXPECT_EQ(h.grid.TextMatrix(row, 1), rows[row][1]) << row;
    }
}

TEST(WindowLogic_Undo, KeepsDisplaysOfAnyLength) {
    Harness h;
    constexpr int kLines = 40000;
    h.grid.SetTextMatrix(0, 0, "1");
    for (int i = 2; i <= kLines; ++i) h.grid.AppendRow(std::to_string(i));
    h.grid.AppendRow("");
    h.grid.SetRow(kLines);
    h.Type("c");
    EXPECT_EQ(h.window.UndoNumbers().size(), static_cast<std::size_t>(kLines));
    h.window.Undo();
    ASSERT_EQ(h.grid.Rows(), kLines + 1);
    for (int row : {0, 32766, 32767, 32768, kLines - 1}) {
        EXPECT_EQ(h.grid.TextMatrix(row, 0), std::to_string(row + 1)) << row;
    }
    EXPECT_EQ(h.grid.TextMatrix(kLines, 0), "");
}

// ---- Outside calculator ----

// The number goes over once the calculator's window is there; the poll gives up after 10 s.
TEST(WindowLogic_Calculator, HandsTheCurrentNumberOverWhenTheWindowIsThere) {
    struct Case {
        const char* name;
        std::string calcPath;
        std::intptr_t startResult;
        int appearsAfterTicks;  // -1: never; 0: already running
        int ticks;
        bool handedOver;
        bool calcStarted;
        const char* shellLog;
    };
    const Case cases[] = {
        {"running", "C:\\calc.exe", 42, 0, 0, true, false, ""},
        {"started", "C:\\calc.exe", 42, 7, 7, true, true, "open C:\\calc.exe 1"},
        {"last chance", "C:\\calc.exe", 42, 999, 999, true, true, "open C:\\calc.exe 1"},
        {"too late", "C:\\calc.exe", 42, 1000, 1000, false, false, "open C:\\calc.exe 1"},
        {"start fails", "C:\\calc.exe", 32, -1, 0, false, false, "open C:\\calc.exe 1"},
        {"no calculator", "", 42, 0, 0, false, false, ""},
    };
    for (const Case& c : cases) {
        Harness h(c.calcPath);
        h.shell.openResult = c.startResult;
        h.Type("12\n35");
        h.window.Execute(Command::Factorization);
        h.Type("ur");
        const FakeShell::Window calc{"SciCalc", "Calculator", 77};
        if (c.appearsAfterTicks == 0) h.shell.windows.push_back(calc);
        h.window.Execute(Command::Calculator);
        for (int tick = 1; tick <= c.ticks; ++tick) {
            ASSERT_TRUE(h.calcTimer.enabled) << c.name << " tick " << tick;
            if (tick == c.appearsAfterTicks) h.shell.windows.push_back(calc);
            h.window.OnCalcTimer();
            if (c.handedOver) {
                EXPECT_EQ(h.host.pastedInto.empty(), tick < c.ticks) << c.name;
            }
        }
        EXPECT_FALSE(h.calcTimer.enabled) << c.name;
        EXPECT_EQ(h.window.Outside().CalcElapsed(), 0) << c.name;
        EXPECT_EQ(h.window.Outside().CalcStarted(), c.calcStarted) << c.name;
        EXPECT_EQ(h.host.pastedInto,
                  c.handedOver ? std::vector<std::uintptr_t>{77} : std::vector<std::uintptr_t>{})
            << c.name;
        EXPECT_EQ(h.clipboard.text, c.handedOver ? "35" : "") << c.name;
        EXPECT_EQ(h.grid.Col(), c.calcPath.empty() ? 1 : 0) << c.name;
        std::string log;
        for (const std::string& call : h.shell.log) log += call;
        EXPECT_EQ(log, c.shellLog) << c.name;
    }
}

// ---- Help ----

// F1 shows the topic of the focused control or highlighted menu item, the contents otherwise; over
// a key its context topic, which for "." and the product key is not its What's This topic.
TEST(WindowLogic_Help, F1ShowsTheTopicOfTheControlOrMenuItem) {
    Harness h;
    h.window.OnHelpKey(Surface::Key, KeyArray::Func, 4);
    h.window.OnHelpKey(Surface::Key, KeyArray::Oper, 0);
    h.window.OnHelpKey(Surface::Key, KeyArray::Cntrl, 2);
    h.window.OnHelpKey(Surface::Grid);
    h.window.OnHelpKey(Surface::ResultPane);
    h.window.OnHelpKey(Surface::Window);
    h.window.OnMenuHelp(MenuItem::ActionsCalculator);
    h.window.OnMenuHelp(MenuItem::EditPaste);
    h.window.OnMenuHelp(MenuItem::HelpTopics);
    h.window.OnMenuHelp(MenuItem::HelpAbout);
    h.window.OnMenuHelp(std::nullopt);
    // Items whose command has a key show the key's context topic.
    h.window.OnMenuHelp(MenuItem::ActionsLcm);
    h.window.OnMenuHelp(MenuItem::EditDelete);
    EXPECT_EQ(h.help.shownTopics,
              (std::vector<int>{108, 112, 111, 101, 103, 100, 113, 204, 201, 100, 100, 106, 110}));
    EXPECT_TRUE(h.help.topics.empty());
}

// ---- What's This ----

TEST(WindowLogic_WhatsThis, RightClickPicksTheTopic) {
    struct Case {
        Surface surface;
        KeyArray array;
        int index;
        int x, y;
        int topic;  // 0: no popup
    };
    const Case cases[] = {
        {Surface::Key, KeyArray::Digit, 3, 0, 0, 104},
        {Surface::Key, KeyArray::Oper, 0, 0, 0, 104},
        {Surface::Key, KeyArray::Oper, 8, 0, 0, 104},
        {Surface::Key, KeyArray::Cntrl, 0, 0, 0, 109},
        {Surface::Key, KeyArray::Cntrl, 3, 0, 0, 112},
        {Surface::Key, KeyArray::Func, 0, 0, 0, 105},
        {Surface::Key, KeyArray::Func, 3, 0, 0, 108},
        {Surface::Key, KeyArray::Func, 4, 0, 0, 115},
        {Surface::Key, KeyArray::Func, 5, 0, 0, 0},
        {Surface::Grid, KeyArray::Digit, 0, 0, 0, 101},
        {Surface::DisplayPanel, KeyArray::Digit, 0, 0, 0, 102},
        {Surface::AboutLabel, KeyArray::Digit, 0, 0, 0, 102},
        {Surface::ResultPane, KeyArray::Digit, 0, 0, 0, 103},
        {Surface::Window, KeyArray::Digit, 0, 0, 75, 103},    // result pane's corner
        {Surface::Window, KeyArray::Digit, 0, 340, 98, 103},  // the other corner
        {Surface::Window, KeyArray::Digit, 0, 100, 99, 0},    // below it
        {Surface::Window, KeyArray::Digit, 0, 341, 80, 0},    // right of it
    };
    for (const Case& c : cases) {
        Harness h;
        h.window.OnMouseDown(c.surface, 1, c.x, c.y, c.array, c.index);
        EXPECT_EQ(h.host.popups, 0) << "left button";
        h.window.OnMouseDown(c.surface, 2, c.x, c.y, c.array, c.index);
        EXPECT_EQ(h.host.popups, c.topic != 0 ? 1 : 0) << c.topic;
        h.window.OnMenuCommand(MenuItem::PopupWhat);
        EXPECT_EQ(h.help.topics, c.topic ? std::vector<int>{c.topic} : std::vector<int>{})
            << static_cast<int>(c.surface) << " " << c.index;
    }
}

}  // namespace
}  // namespace zentra

// ---- Start-up, mode switch, linear view ----

namespace zentra {
namespace {

std::string ModeValue(const Harness& h, RegistryRoot root = RegistryRoot::LocalMachine) {
    return RegReadValue(h.registry, root, "SOFTWARE\\Maker\\Zentra!", "Mode");
}

ProgramInfo Program(const char* commandLine) {
    ProgramInfo program;
    program.commandLine = commandLine;
    program.folder = "C:\\Zentra";
    program.major = 2;
    program.minor = 5;
    program.revision = 7;
    program.company = "Maker";
    program.trademark = "Zentra!";
    program.comments = "https://example.org/";
    program.legalNotice = "(C) Maker";
    return program;
}

TEST(WindowLogic_Start, WritesSettingsReadsSlashEAndAppliesTheStoredModeWithoutSliding) {
    struct Case {
        const char* commandLine;
        const char* storedMode;
        bool expression;
        bool linear;
    };
    const Case cases[] = {
        {"Zentra!.exe", nullptr, false, false},
        {"Zentra!.exe /E", nullptr, true, false},
        // Started in linear mode: the Mode menu and the expression keys as with "/E".
        {"Zentra!.exe /expert", "1", true, true},
        {"Zentra!.exe", "1", true, true},
        {"Zentra!.exe /e", "7x", true, false},
        {"Zentra!.exe", "0", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.commandLine) + " Mode=" + (c.storedMode ? c.storedMode : "-"));
        Harness h("C:\\Windows\\calc.exe", Program(c.commandLine), c.storedMode);
        const std::string key = "SOFTWARE\\Maker\\Zentra!";
        EXPECT_EQ(RegReadValue(h.registry, RegistryRoot::LocalMachine, key, ""), "C:\\Zentra");
        EXPECT_EQ(RegReadValue(h.registry, RegistryRoot::LocalMachine, key, "CurrentVersion"),
                  "2.05.0007");
        EXPECT_EQ(h.menus.modeMenuShown, c.expression);
        EXPECT_EQ(h.keys.At(KeyArray::Oper, 5).captionSets, c.expression ? 0 : 1)
            << "the expression keys lose their captions without /E";
        EXPECT_EQ(h.menus.At(MenuItem::ViewModeLinear).checked, c.linear);
        EXPECT_EQ(h.menus.At(MenuItem::ViewModeTabular).checked, !c.linear);
        EXPECT_EQ(h.window.SlideState().Active(),
                  c.linear ? DisplayView::Linear : DisplayView::Grid);
        EXPECT_EQ(h.stage.timerStarts, 0) << "no slide at start";
        EXPECT_TRUE(h.window.Outside().CalculatorAvailable());
        EXPECT_EQ(h.window.AboutText(), "Zentra! 2.05.0007\r\nhttps://example.org/\r\n(C) Maker");
        EXPECT_EQ(h.expression.Text(), "");
        h.window.FirstActivate();
        EXPECT_EQ(h.expression.Text(), kDemonstrationExpression);
        EXPECT_EQ(h.expression.SelStart(), static_cast<int>(h.expression.Text().size()));
        EXPECT_EQ(h.expression.line.FocusCount() > 0, c.linear);
        h.window.Unload();
        EXPECT_EQ(ModeValue(h), c.linear ? "1" : "0");
        // The end of the session ran the shut-down; the close that follows it does nothing more.
        RegWriteValue(h.registry, RegistryRoot::LocalMachine, key, "Mode", "-");
        h.window.Unload();
        EXPECT_EQ(ModeValue(h), "-");
    }
}

TEST(WindowLogic_ModeSwitch, SetsKeysSlidesAndKeepsBothViews) {
    Harness h({}, Program("Zentra!.exe /E"));
    h.keys.At(KeyArray::Func, 0).foreColor = 0x800080;
    h.keys.At(KeyArray::Cntrl, kClear).foreColor = 0x000080;
    h.window.FirstActivate();
    h.Type("12\n");
    h.expression.line.SetSelStart(3);
    EXPECT_TRUE(h.window.OnMenuCommand(MenuItem::ViewModeLinear));
    EXPECT_TRUE(h.stage.timerOn);
    EXPECT_FALSE(h.stage.controlsEnabled);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(h.keys.At(KeyArray::Oper, i).visible) << i;
        EXPECT_FALSE(h.keys.At(KeyArray::Func, i).visible) << i;
    }
    for (int i = 5; i < 9; ++i) EXPECT_TRUE(h.keys.At(KeyArray::Oper, i).enabled) << i;
    const FakeKey& enter = h.keys.At(KeyArray::Cntrl, kEnter);
    EXPECT_EQ(enter.caption, "=");
    EXPECT_EQ(enter.fontName, "Arial Black");
    EXPECT_EQ(enter.foreColor, 0x800080u);
    for (int i = 0; i < 200 && h.stage.timerOn; ++i) h.clock.Advance(10);
    EXPECT_EQ(h.window.SlideState().Active(), DisplayView::Linear);
    EXPECT_TRUE(h.stage.controlsEnabled);

    // In linear mode the keys, the keyboard and DDE edit the line; "=" rewrites it.
    h.window.Execute(Command::Clear);
    h.window.OnKeyClick(KeyArray::Oper, 7);
    h.window.OnDdeExecute("2");
    h.window.OnKeyClick(KeyArray::Oper, 8);
    // The numeric keypad's "*" is left to the operator key's access key, not the product key.
    EXPECT_FALSE(h.window.OnKeyDown(106, 0));
    EXPECT_EQ(h.keys.At(KeyArray::Func, 0).clickDraws, 0);
    EXPECT_EQ(h.expression.Text(), "(2)");
    h.window.OnDdeExecute("Enter");
    EXPECT_EQ(h.expression.Text(), "2");
    h.window.Execute(Command::Clear);
    h.window.OnKeyClick(KeyArray::Digit, 1);
    h.window.OnKeyClick(KeyArray::Oper, 4);
    h.window.OnKeyDown(13, 0);
    h.clock.Advance(20);
    EXPECT_EQ(h.expression.Text(), "1+");
    EXPECT_EQ(h.expression.SelLength(), 1) << "the fault is selected";
    EXPECT_NE(ShownResult(h), "");
    // An operation finishes the grid's line without rewriting the expression.
    EXPECT_TRUE(h.window.OnKeyDown('L', kCtrlDown));
    EXPECT_EQ(h.expression.Text(), "1+");

    EXPECT_TRUE(h.window.OnMenuCommand(MenuItem::ViewModeTabular));
    for (int i = 0; i < 300 && h.stage.timerOn; ++i) h.clock.Advance(10);
    EXPECT_EQ(enter.caption, "Enter");
    EXPECT_EQ(enter.fontName, "Arial");
    EXPECT_EQ(enter.foreColor, 0x000080u);
    EXPECT_EQ(h.Lines(), "12 >_");
    EXPECT_EQ(h.expression.Text(), "1+");
    const int starts = h.stage.timerStarts;
    h.window.OnMenuCommand(MenuItem::ViewModeTabular);
    EXPECT_EQ(h.stage.timerStarts, starts) << "the checked mode does nothing";
}

// ---- Linear mode: clipboard, Undo and the Edit menu act on the line ----

// Started with /E, the grid holding `typed`; then the user switches to the linear mode and the
// line becomes `line` with that selection.
struct LinearHarness : Harness {
    LinearHarness(const char* typed, const char* line, int selStart, int selLength)
        : Harness({}, Program("Zentra!.exe /E")) {
        Type(typed);
        window.OnMenuCommand(MenuItem::ViewModeLinear);
        FinishSlide();
        expression.line.SetText(line);
        expression.line.SetSelStart(selStart);
        expression.line.SetSelLength(selLength);
    }
    void FinishSlide() {
        for (int i = 0; i < 300 && stage.timerOn; ++i) clock.Advance(10);
    }
};

TEST(WindowLogic_LinearPaste, InsertsTextIntoTheLineOrRunsAScriptInTabularMode) {
    std::string numbers;
    for (int i = 1; i <= 2000; ++i) numbers += std::to_string(i) + "\r\n";
    struct Case {
        std::string clipboard;
        int selStart, selLength;  // in the line "5!+1"
        const char* line;
        const char* lines;  // the grid, typed "4\n6\n9\n" before the switch
        const char* result;
        int beeps;
        bool tabular;
    };
    const Case cases[] = {
        {"12\r\n18\r\n", 4, 0, "5!+112", "4 6 9 >_", "", 0, false},
        {"12", 2, 2, "5!12", "4 6 9 >_", "", 0, false},
        {"Total: 2^10 = 1024", 0, 0, " 2^10  10245!+1", "4 6 9 >_", "", 0, false},
        {numbers, 4, 0, "5!+11", "4 6 9 >_", "", 0, false},
        {"abc\r\n12", 4, 0, "5!+1", "4 6 9 >_", "", 1, false},
        {"", 4, 0, "5!+1", "4 6 9 >_", "", 1, false},
        {":c\r\n12\r\n18\r\n:l", 4, 0, "5!+1", "12 18 >_", "36 = 2^2 * 3^2", 0, true},
        {"12\r\n18\r\n:l", 4, 0, "5!+1", "4 6 9 12 18 >_", "36 = 2^2 * 3^2", 0, true},
        {":G", 4, 0, "5!+1", "4 6 9 >_", "1", 0, true},
    };
    for (const Case& c : cases) {
        LinearHarness h("4\n6\n9\n", "5!+1", c.selStart, c.selLength);
        h.clipboard.text = c.clipboard;
        EXPECT_TRUE(h.window.OnDdeExecute("Paste"));
        h.FinishSlide();
        const std::string label = c.clipboard.substr(0, 20);
        EXPECT_EQ(h.expression.Text(), c.line) << label;
        EXPECT_EQ(h.Lines(), c.lines) << label;
        EXPECT_EQ(ShownResult(h), c.result) << label;
        EXPECT_EQ(h.beep.beeps, c.beeps) << label;
        EXPECT_EQ(h.window.Mode(), c.tabular ? DisplayMode::Tabular : DisplayMode::Linear) << label;
        EXPECT_EQ(h.window.SlideState().Active(),
                  c.tabular ? DisplayView::Grid : DisplayView::Linear)
            << label;
    }
}

TEST(WindowLogic_LinearCopy, CopiesTheLinesSelectionOrTheWholeLine) {
    LinearHarness h("12\n18\n", "2+3*4", 0, 3);
    h.window.OnKeyClick(KeyArray::Func, kLcm);  // the pane shows the LCM, the grid 18
    h.grid.SetRow(1);
    h.window.Copy();
    EXPECT_EQ(h.clipboard.text, "2+3");
    h.expression.line.SetSelStart(5);
    h.window.Copy();
    EXPECT_EQ(h.clipboard.text, "2+3*4");
    h.expression.line.SetText("");
    h.window.Copy();
    EXPECT_EQ(h.clipboard.text, "2+3*4") << "an empty line copies nothing";
    h.host.resultActive = true;
    h.window.Copy();
    EXPECT_EQ(h.clipboard.rtf, RenderResultRtf("36 = 2^2 * 3^2"));
}

TEST(WindowLogic_LinearUndo, TakesBackTheLineAndLeavesTheGridsLevelForTabularMode) {
    LinearHarness h("4\n6\n9\nc", "5!", 2, 0);
    EXPECT_EQ(h.window.UndoLevel(), 1);
    h.window.Undo();
    EXPECT_EQ(h.expression.Text(), "5!");
    EXPECT_EQ(h.Lines(), ">_") << "the hidden grid stays as it is";
    h.window.OnKeyClick(KeyArray::Cntrl, kEnter);
    EXPECT_EQ(h.expression.Text(), "2*3*4*5");
    EXPECT_TRUE(h.window.OnKeyDown('Z', kCtrlDown));
    EXPECT_EQ(h.expression.Text(), "5!");
    h.window.OnDdeExecute("Clear");
    h.window.Undo();
    EXPECT_EQ(h.expression.Text(), "5!");
    EXPECT_EQ(h.Lines(), ">_");
    h.window.OnMenuCommand(MenuItem::ViewModeTabular);
    h.FinishSlide();
    h.window.Undo();
    EXPECT_EQ(h.Lines(), ">4 6 9 _");
}

TEST(WindowLogic_Menus, EditFollowsTheLineInLinearMode) {
    struct Case {
        const char* line;
        int selStart, selLength;
        bool equals;  // "=" pressed first
        bool resultActive;
        const char* clipboard;
        bool undo, copy, paste, del, clear;
    };
    const Case cases[] = {
        {"", 0, 0, false, false, "", false, false, false, false, false},
        {"5!", 2, 0, false, false, "12", false, true, true, false, true},
        {"5!", 1, 0, false, false, "abc", false, true, false, true, true},
        {"5!", 2, 0, false, false, ":c", false, true, true, false, true},
        {"5!", 2, 0, false, false, "x\r\n12\r\n:l", false, true, false, false, true},
        {"5!", 2, 0, false, false, "12\r\n:l", false, true, true, false, true},
        {"5!", 2, 0, true, false, "", true, true, false, true, true},
        {"5!", 0, 2, false, true, "", false, false, false, true, true},  // empty result pane
    };
    for (const Case& c : cases) {
        LinearHarness h("4\n6\nc", c.line, c.selStart, c.selLength);  // the grid could undo
        if (c.equals) {
            h.window.OnKeyClick(KeyArray::Cntrl, kEnter);
            h.expression.line.SetSelStart(c.selStart);
        }
        h.host.resultActive = c.resultActive;
        h.clipboard.text = c.clipboard;
        h.window.OnMenuOpen(Menu::Edit);
        MenuState m{h};
        const std::string label = std::string(c.line) + " " + c.clipboard;
        EXPECT_EQ(m.Enabled(MenuItem::EditUndo), c.undo) << label;
        EXPECT_EQ(m.Enabled(MenuItem::EditCopy), c.copy) << label;
        EXPECT_EQ(m.Enabled(MenuItem::EditPaste), c.paste) << label;
        EXPECT_EQ(m.Enabled(MenuItem::EditDelete), c.del) << label;
        EXPECT_EQ(m.Enabled(MenuItem::EditClear), c.clear) << label;
    }
}

TEST(WindowLogic_LinearView, ScrollBarShowsOnlyWhenTheLinesNoLongerFit) {
    struct Case {
        int lines;
        int width;
    };
    // The box is 60 px high with 15 px lines: four lines fit exactly, five do not. Its panel is
    // 315 px wide; the scroll bar (16 px) lies outside while every line fits.
    const Case cases[] = {{1, 331}, {4, 331}, {5, 315}, {4, 331}};
    Harness h;
    h.window.LayOutLinearView();
    EXPECT_EQ(h.expression.width, 331);
    for (const Case& c : cases) {
        std::string text = "1";
        for (int i = 1; i < c.lines; ++i) text += "\n1";
        h.expression.SetText(text);
        EXPECT_EQ(h.expression.width, c.width) << c.lines;
    }
}

// A long line is shown in rows of at most `columns` characters, broken after an operator near a
// row's end; the line and every position in it survive the round trip through the shown text.
TEST(LinearView_ShownText, BreaksLongLinesAndMapsPositionsBack) {
    constexpr int kColumns = 10;
    const std::string longest(kLongLineRows * kColumns, '1');
    EXPECT_EQ(ShownText(longest, kColumns), longest) << "as long as it may be unbroken";
    const struct {
        std::string line;
        const char* firstRows;  // the shown text's start
    } cases[] = {
        {longest + "2", "1111111111\r\n1111111111\r\n"},
        {"1234*67890" + longest, "1234*67890\r\n1111111111\r\n"},  // "*" in the first half
        {"123456(8901" + longest, "123456(\r\n8901111111\r\n"},
        {"12345678*0+2" + longest, "12345678*\r\n0+21111111\r\n"},  // the last in the second half
    };
    for (const auto& c : cases) {
        const std::string shown = ShownText(c.line, kColumns);
        EXPECT_EQ(shown.substr(0, std::string_view(c.firstRows).size()), c.firstRows) << c.line;
        EXPECT_EQ(LineOfShown(shown), c.line);
        for (std::size_t at = 0; at < shown.size();) {
            const auto [first, last] = ShownRowAt(shown, static_cast<int>(at));
            EXPECT_LE(last - first, kColumns) << c.line;
            at = static_cast<std::size_t>(last) + 2;
        }
        const int length = static_cast<int>(c.line.size());
        for (int p = 0; p <= length; ++p) {
            const int start = ShownPosition(shown, p);
            const int end = ShownPosition(shown, p, true);
            EXPECT_EQ(LinePosition(shown, start), p);
            EXPECT_EQ(LinePosition(shown, end), p);
            if (p < length) {
                EXPECT_EQ(shown[static_cast<std::size_t>(start)], c.line[p]);
            }
            if (p > 0) {
                EXPECT_EQ(shown[static_cast<std::size_t>(end) - 1], c.line[p - 1]);
            }
        }
    }
    EXPECT_FALSE(IsLongRow(kLongLineRows * kColumns, kColumns));
    EXPECT_TRUE(IsLongRow(kLongLineRows * kColumns + 1, kColumns));
}

// A failure stopped by the host in the middle of an operation: the window is free again, the
// result pane names the failure in characters it can show, and the user hears it.
TEST(WindowLogic_InternalFault, FreesTheWindowAndSaysSo) {
    const struct {
        const char* what;
        const char* shown;
    } cases[] = {
        {"grid row out of range", "[Internal error: grid row out of range]"},
        {"", "[Internal error]"},
        {"x^2 * {\\rtf}", "[Internal error: x2  rtf]"},
        {"\x01\x02", "[Internal error]"},
    };
    for (const auto& c : cases) {
        Harness h;
        h.Type("12\n");
        h.host.failWhenBusy = true;
        EXPECT_THROW(h.window.OnKeyClick(KeyArray::Func, kLcm), std::runtime_error);
        h.host.failWhenBusy = false;
        h.window.OnInternalFault(c.what);
        EXPECT_FALSE(h.host.busy) << c.what;
        EXPECT_EQ(h.result.TextRTF(), RenderResultRtf(c.shown)) << c.what;
        EXPECT_TRUE(h.result.Enabled()) << c.what;
        EXPECT_EQ(h.beep.beeps, 1) << c.what;
        // The same failure again while it shows (a timer failing on every tick) stays quiet.
        h.window.OnInternalFault(c.what);
        EXPECT_EQ(h.beep.beeps, 1) << c.what;
        // The next operation takes the window and frees it as usual.
        h.window.OnKeyClick(KeyArray::Func, 0);
        EXPECT_FALSE(h.host.busy) << c.what;
        EXPECT_EQ(h.grid.TextMatrix(0, 1), "= 2^2 * 3") << c.what;
        // Once the pane showed something else (Clear empties it), the failure is told again.
        h.window.OnDdeExecute("Clear");
        h.window.OnInternalFault(c.what);
        EXPECT_EQ(h.beep.beeps, 2) << c.what;
    }
}

}  // namespace
}  // namespace zentra
