// The window base under Wine: a failing handler is reported and its message still gets the class's
// handling, the object lets go of its window whichever of the two goes first, and the mouse
// buttons decode as every window reports them.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/controls/WindowBase.h"
#include "platform/controls/tests/TestWindow.h"

namespace zentra::win32 {
namespace {

// A window of its own class, or a subclassed edit control, whose handler fails on request.
class ProbeWindow final : private WindowBase {
  public:
    enum class Failure { None, Exception, Other };

    bool Create(HWND parent, bool subclassEdit) {
        const DWORD style = WS_CHILD | WS_VISIBLE;
        if (subclassEdit) {
            return Subclass(CreateWindowExA(0, "EDIT", "", style, 0, 0, 50, 20, parent, nullptr,
                                            GetModuleHandleA(nullptr), nullptr));
        }
        WindowCreation creation = WindowCreation::Child({parent, 1, {0, 0, 50, 20}});
        creation.style = style;
        WindowClass windowClass;
        windowClass.name = "Zentra.TestProbe";
        return CreateWindowFor(windowClass, creation);
    }
    using WindowBase::Hwnd;

    Failure failure = Failure::None;
    int messages = 0;

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        ++messages;
        if (message == WM_SETTEXT && failure == Failure::Exception) {
            throw std::runtime_error("probe failed");
        }
        if (message == WM_SETTEXT && failure == Failure::Other) throw 7;
        return Default(message, wParam, lParam);
    }
};

class FaultLog final : public FaultReceiver {
  public:
    FaultLog() { SetFaultReceiver(this); }
    ~FaultLog() { SetFaultReceiver(nullptr); }
    void OnInternalFault(const std::string& what) override { faults.push_back(what); }
    std::vector<std::string> faults;
};

std::string TextOf(HWND hwnd) {
    char text[64] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

class WindowBaseTest : public ::testing::Test {
  protected:
    void SetUp() override { host_ = test::CreateHostWindow(200, 100); }
    void TearDown() override {
        if (host_ != nullptr) DestroyWindow(host_);
    }
    HWND host_ = nullptr;
};

TEST_F(WindowBaseTest, AFailedHandlerIsReportedAndItsMessageGetsTheClassHandling) {
    struct Row {
        const char* name;
        bool subclassEdit;
        ProbeWindow::Failure failure;
        std::vector<std::string> faults;
    };
    const Row rows[] = {
        {"own class, no failure", false, ProbeWindow::Failure::None, {}},
        {"own class, exception", false, ProbeWindow::Failure::Exception, {"probe failed"}},
        {"own class, anything thrown", false, ProbeWindow::Failure::Other, {"unknown failure"}},
        {"edit control, exception", true, ProbeWindow::Failure::Exception, {"probe failed"}},
        {"edit control, anything thrown", true, ProbeWindow::Failure::Other, {"unknown failure"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FaultLog log;
        ProbeWindow probe;
        ASSERT_TRUE(probe.Create(host_, row.subclassEdit));
        probe.failure = row.failure;
        EXPECT_TRUE(SetWindowTextA(probe.Hwnd(), "kept"));
        EXPECT_EQ(TextOf(probe.Hwnd()), "kept") << "the class's own handling stored the text";
        EXPECT_EQ(log.faults, row.faults);
    }
}

TEST_F(WindowBaseTest, TheObjectLetsGoOfItsWindowWhicheverGoesFirst) {
    for (const bool subclassEdit : {false, true}) {
        SCOPED_TRACE(subclassEdit ? "edit control" : "own class");
        {
            // The parent destroys the window: the object forgets it and hears no more.
            ProbeWindow probe;
            ASSERT_TRUE(probe.Create(host_, subclassEdit));
            HWND hwnd = probe.Hwnd();
            DestroyWindow(hwnd);
            EXPECT_FALSE(IsWindow(hwnd));
            EXPECT_EQ(probe.Hwnd(), nullptr);
        }
        {
            // The object goes first: it takes its window along, without a message reaching it
            // on the way.
            auto probe = std::make_unique<ProbeWindow>();
            ASSERT_TRUE(probe->Create(host_, subclassEdit));
            HWND hwnd = probe->Hwnd();
            probe.reset();
            EXPECT_FALSE(IsWindow(hwnd));
        }
    }
}

TEST(DecodeMouseButton, EveryButtonMessageAndNoOther) {
    struct Row {
        UINT message;
        WPARAM keys;
        LPARAM at;
        bool decoded;
        MouseAction action;
        int button;
        int shift;
        POINT point;
    };
    const LPARAM inside = MAKELPARAM(3, 4);
    const LPARAM leftOfWindow = MAKELPARAM(-2, 5);  // a captured mouse beyond the left edge
    const Row rows[] = {
        {WM_MOUSEMOVE, MK_LBUTTON, inside, false, {}, 0, 0, {}},
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, inside, true, MouseAction::Down, 1, 1, {3, 4}},
        {WM_LBUTTONUP, MK_CONTROL, leftOfWindow, true, MouseAction::Up, 1, 2, {-2, 5}},
        {WM_LBUTTONDBLCLK, 0, inside, true, MouseAction::DoubleClick, 1, 0, {3, 4}},
        {WM_RBUTTONDOWN, MK_SHIFT | MK_CONTROL, inside, true, MouseAction::Down, 2, 3, {3, 4}},
        {WM_RBUTTONUP, 0, inside, true, MouseAction::Up, 2, 0, {3, 4}},
        {WM_RBUTTONDBLCLK, 0, inside, true, MouseAction::DoubleClick, 2, 0, {3, 4}},
        {WM_MBUTTONDOWN, 0, inside, true, MouseAction::Down, 4, 0, {3, 4}},
        {WM_MBUTTONUP, 0, inside, true, MouseAction::Up, 4, 0, {3, 4}},
        {WM_MBUTTONDBLCLK, MK_SHIFT, inside, true, MouseAction::DoubleClick, 4, 1, {3, 4}},
        {WM_MOUSEWHEEL, 0, inside, false, {}, 0, 0, {}},
        {WM_XBUTTONDOWN, 0, inside, false, {}, 0, 0, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        const auto mouse = DecodeMouseButton(row.message, row.keys, row.at);
        ASSERT_EQ(mouse.has_value(), row.decoded);
        if (!mouse) continue;
        EXPECT_EQ(mouse->action, row.action);
        EXPECT_EQ(mouse->button, row.button);
        EXPECT_EQ(mouse->shift, row.shift);
        EXPECT_EQ(mouse->at.x, row.point.x);
        EXPECT_EQ(mouse->at.y, row.point.y);
    }
}

}  // namespace
}  // namespace zentra::win32
