// The linear view's box on a real edit control: keys that come in a quick run (as DDE executes
// do) are handed to the control together, and whatever reaches the control next sees them all.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/controls/tests/TestWindow.h"
#include "platform/window/LinearPanel.h"

namespace zentra::win32 {
namespace {

std::string ControlText(HWND edit) {
    char text[1024] = {};
    SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void Insert(LinearPanel& panel, std::initializer_list<std::string> keys) {
    for (const std::string& key : keys) panel.ReplaceSel(key);
}

class LinearPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host_ = test::CreateHostWindow(400, 200);
        ASSERT_NE(host_, nullptr);
        LinearPanel::Events events;
        events.onChange = [this] { ++changes_; };
        ASSERT_TRUE(panel_.Create(host_, 1, events));
        MoveWindow(panel_.PanelHwnd(), 0, 0, 300, 100, TRUE);
        panel_.Move(0, 0, 300, 100);
    }
    void TearDown() override { DestroyWindow(host_); }

    HWND host_ = nullptr;
    LinearPanel panel_;
    int changes_ = 0;
};

// Each row runs its keys back to back on an empty line; the control is then read.
TEST_F(LinearPanelTest, AQuickRunOfKeysReachesTheControlBeforeAnythingElse) {
    struct Row {
        const char* name;
        std::function<void(LinearPanel&)> keys;
        std::string text;
        int selStart;
        int selLength = 0;
    };
    const std::vector<Row> rows = {
        {"digits",
         [](LinearPanel& panel) {
             Insert(panel, {"1", "2", "3"});
         },
         "123", 3},
        {"the caret moved back",
         [](LinearPanel& panel) {
             Insert(panel, {"1", "2"});
             panel.SetSelStart(0);
             panel.ReplaceSel("7");
         },
         "712", 1},
        {"a character deleted amid the run",
         [](LinearPanel& panel) {
             Insert(panel, {"1", "2", "3"});
             panel.SetSelStart(1);
             panel.SetSelLength(1);
             panel.ReplaceSel("");
             panel.ReplaceSel("9");
         },
         "193", 2},
        // The arrow key moves the caret of the whole run: the next key lands before the 3.
        {"an arrow key right after the run",
         [](LinearPanel& panel) {
             Insert(panel, {"1", "2", "3"});
             SendMessageA(panel.EditHwnd(), WM_KEYDOWN, VK_LEFT, 0);
             panel.ReplaceSel("9");
         },
         "1293", 3},
        {"a click's caret after the run",
         [](LinearPanel& panel) {
             Insert(panel, {"1", "2", "3"});
             SendMessageA(panel.EditHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
             SendMessageA(panel.EditHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
             panel.ReplaceSel("9");
         },
         "9123", 1},
        // "=" marks a fault after keys that made the row long enough to be broken.
        {"a selection after a run that makes a long row",
         [](LinearPanel& panel) {
             Insert(panel, {"1", std::string(500, '2')});
             panel.SetSelStart(2);
             panel.SetSelLength(1);
         },
         "1" + std::string(500, '2'), 2, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        panel_.SetText("");
        row.keys(panel_);
        EXPECT_EQ(panel_.Text(), row.text);
        // The control's text (shown broken when long) and its selection, read after it has the run.
        const std::string shown = ControlText(panel_.EditHwnd());
        EXPECT_EQ(LineOfShown(shown), row.text);
        EXPECT_EQ(shown.find('\n') != std::string::npos, row.text.size() > 100);
        EXPECT_EQ(panel_.SelStart(), row.selStart);
        EXPECT_EQ(panel_.SelLength(), row.selLength);
    }
}

// With nothing else for the control, the run still reaches it and the view hears of the change.
TEST_F(LinearPanelTest, AQuickRunReachesTheControlUntouched) {
    panel_.SetText("");
    test::PumpMessages();
    Insert(panel_, {"4", "5", "6"});
    changes_ = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (changes_ == 0 && std::chrono::steady_clock::now() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        test::PumpMessages();
    }
    EXPECT_GT(changes_, 0);
    EXPECT_EQ(ControlText(panel_.EditHwnd()), "456");
}

}  // namespace
}  // namespace zentra::win32
