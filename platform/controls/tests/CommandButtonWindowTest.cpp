// The "Zentra.CommandButton" class driven by window messages: clicks, the flash, and the pixels
// of the frame, face and caption. Needs a display.
// clang-format off
#include <windows.h>
#include <commctrl.h>  // needs windows.h first
// clang-format on
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

#include "platform/controls/CommandButtonWindow.h"

namespace zentra::win32 {
namespace {

constexpr Colour kRed = 0x000000FF;
constexpr Colour kGreen = 0x0000FF00;
constexpr Colour kFace = 0x00C0C0C0;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Runs the message loop until `done` holds or a second has passed.
bool PumpUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        Pump();
    }
    return true;
}

LPARAM Point(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// What the button draws, read back from a 32-bit bitmap.
class Snapshot {
  public:
    explicit Snapshot(CommandButtonWindow& button) {
        RECT client{};
        GetClientRect(button.Hwnd(), &client);
        width_ = client.right;
        height_ = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        SendMessageA(button.Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
    }
    ~Snapshot() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

    // The smallest rectangle inside the face holding every pixel not of the face colour.
    RECT Ink(COLORREF face) const {
        RECT box{width_, height_, -1, -1};
        for (int y = 2; y < height_ - 2; ++y) {
            for (int x = 2; x < width_ - 2; ++x) {
                if (At(x, y) == face) continue;
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x);
                box.bottom = std::max<LONG>(box.bottom, y);
            }
        }
        return box;
    }
    int Count(COLORREF colour) const {
        int count = 0;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) count += At(x, y) == colour ? 1 : 0;
        }
        return count;
    }

  private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

class CommandButtonWindowTest : public ::testing::Test {
  protected:
    // One parent for the whole suite: destroying a visible top-level window under Wine without a
    // window manager waits about two seconds for the X server.
    static void SetUpTestSuite() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "ZentraButtonTestParent";
        RegisterClassA(&wc);
        sharedParent = CreateWindowExA(0, wc.lpszClassName, "Buttons", WS_POPUP | WS_VISIBLE, 0, 0,
                                       400, 200, nullptr, nullptr, wc.hInstance, nullptr);
    }
    static void TearDownTestSuite() {
        if (sharedParent != nullptr) DestroyWindow(sharedParent);
        sharedParent = nullptr;
    }
    void SetUp() override {
        parent = sharedParent;
        ASSERT_NE(parent, nullptr);
    }
    void TearDown() override {
        buttons.clear();
        Pump();
    }

    // A 36 x 28 pixel key with a bold red caption on a grey face.
    CommandButtonWindow& Add(const std::string& caption, int x, const std::string& accelerator = "",
                             Colour disableColor = kGreen) {
        PropertyBag bag;
        bag.Write("Accelerator", accelerator);
        bag.Write("BackColor", ColourValue{kFace});
        bag.Write("Caption", caption);
        bag.Write("Font", ButtonFont{"Arial", 1200, 700, 0});
        bag.Write("ForeColor", ColourValue{kRed});
        bag.Write("DisableColor", ColourValue{disableColor});
        CommandButtonArgs args;
        args.parent = parent;
        args.id = 100 + static_cast<int>(buttons.size());
        args.x = x;
        args.y = 10;
        args.width = 36;
        args.height = 28;
        args.properties = &bag;
        args.toolTip = "Tip for " + caption;
        args.helpContextId = 104;
        const std::size_t index = buttons.size();
        clicks.push_back(0);
        doubleClicks.push_back(0);
        args.onClick = [this, index] { ++clicks[index]; };
        args.onDblClick = [this, index] { ++doubleClicks[index]; };
        args.onMouseDown = [this](const ButtonMouse& mouse) { lastDown = mouse; };
        auto button = CommandButtonWindow::Create(args);
        EXPECT_NE(button, nullptr);
        buttons.push_back(std::move(button));
        return *buttons.back();
    }

    static inline HWND sharedParent = nullptr;
    HWND parent = nullptr;
    std::vector<std::unique_ptr<CommandButtonWindow>> buttons;
    std::vector<int> clicks;
    std::vector<int> doubleClicks;
    ButtonMouse lastDown;
};

struct PixelCase {
    int x, y;
    int raised;  // system colour index
    int pressed;
};

TEST_F(CommandButtonWindowTest, Frame_PixelsOfBothRingsAndTheFace) {
    CommandButtonWindow& key = Add("7", 10);
    const PixelCase cases[] = {
        {0, 0, COLOR_3DHILIGHT, COLOR_3DDKSHADOW},  {0, 26, COLOR_3DHILIGHT, COLOR_3DDKSHADOW},
        {34, 0, COLOR_3DHILIGHT, COLOR_3DDKSHADOW}, {0, 27, COLOR_3DDKSHADOW, COLOR_3DHILIGHT},
        {35, 0, COLOR_3DDKSHADOW, COLOR_3DHILIGHT}, {35, 27, COLOR_3DDKSHADOW, COLOR_3DHILIGHT},
        {1, 1, COLOR_3DLIGHT, COLOR_BTNSHADOW},     {1, 25, COLOR_3DLIGHT, COLOR_BTNSHADOW},
        {1, 26, COLOR_BTNSHADOW, COLOR_3DLIGHT},    {34, 1, COLOR_BTNSHADOW, COLOR_3DLIGHT},
        {34, 26, COLOR_BTNSHADOW, COLOR_3DLIGHT},
    };
    for (bool down : {false, true}) {
        if (down) SendMessageA(key.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
        Snapshot shot(key);
        for (const auto& c : cases) {
            const COLORREF expected = GetSysColor(down ? c.pressed : c.raised);
            EXPECT_EQ(shot.At(c.x, c.y), expected)
                << "pixel (" << c.x << ", " << c.y << ") " << (down ? "pressed" : "raised");
        }
        EXPECT_EQ(shot.At(2, 2), kFace);
        EXPECT_EQ(shot.At(33, 25), kFace);
    }
}

TEST_F(CommandButtonWindowTest, Caption_SinksOnePixelWhilePressed) {
    CommandButtonWindow& key = Add("W", 10);
    const RECT raised = Snapshot(key).Ink(kFace);
    ASSERT_GE(raised.right, raised.left) << "no caption drawn";
    EXPECT_GT(Snapshot(key).Count(kRed), 0);
    SendMessageA(key.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
    const RECT pressed = Snapshot(key).Ink(kFace);
    EXPECT_EQ(pressed.left, raised.left + 1);
    EXPECT_EQ(pressed.top, raised.top + 1);
    EXPECT_EQ(pressed.right, std::min<LONG>(raised.right + 1, 33));
    EXPECT_EQ(pressed.bottom, std::min<LONG>(raised.bottom + 1, 25));
    SendMessageA(key.Hwnd(), WM_LBUTTONUP, 0, Point(5, 5));
    const RECT back = Snapshot(key).Ink(kFace);
    EXPECT_EQ(back.left, raised.left);
    EXPECT_EQ(back.top, raised.top);
}

struct ClickCase {
    const char* label;
    std::vector<std::pair<UINT, LPARAM>> messages;
    int clicks;
    int doubleClicks;
};

TEST_F(CommandButtonWindowTest, Mouse_ClickCountsFromMessageSequences) {
    const ClickCase cases[] = {
        {"click", {{WM_LBUTTONDOWN, Point(5, 5)}, {WM_LBUTTONUP, Point(5, 5)}}, 1, 0},
        {"press, leave, release outside",
         {{WM_LBUTTONDOWN, Point(5, 5)},
          {WM_MOUSEMOVE, Point(-4, 5)},
          {WM_LBUTTONUP, Point(-4, 5)}},
         0,
         0},
        {"press, leave, come back, release",
         {{WM_LBUTTONDOWN, Point(5, 5)},
          {WM_MOUSEMOVE, Point(50, 5)},
          {WM_MOUSEMOVE, Point(6, 6)},
          {WM_LBUTTONUP, Point(6, 6)}},
         1,
         0},
        {"right click", {{WM_RBUTTONDOWN, Point(5, 5)}, {WM_RBUTTONUP, Point(5, 5)}}, 0, 0},
        {"double click",
         {{WM_LBUTTONDOWN, Point(5, 5)},
          {WM_LBUTTONUP, Point(5, 5)},
          {WM_LBUTTONDBLCLK, Point(5, 5)},
          {WM_LBUTTONUP, Point(5, 5)}},
         1,
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        CommandButtonWindow& key = Add("1", 10 + 40 * static_cast<int>(buttons.size()));
        for (const auto& [message, point] : c.messages) {
            const WPARAM held = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK ||
                                        (message == WM_MOUSEMOVE)
                                    ? MK_LBUTTON
                                    : 0;
            SendMessageA(key.Hwnd(), message, held, point);
        }
        EXPECT_EQ(clicks.back(), c.clicks);
        EXPECT_EQ(doubleClicks.back(), c.doubleClicks);
        EXPECT_FALSE(key.Button().Pressed());
        EXPECT_EQ(GetCapture(), nullptr);
    }
}

// Real input through the system's queue: capture keeps the release outside the key with it.
void SendMouse(int x, int y, DWORD flags) {
    SetCursorPos(x, y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

TEST_F(CommandButtonWindowTest, Mouse_RealInputClicksOnlyWhenReleasedOnTheKey) {
    CommandButtonWindow& key = Add("1", 10);
    POINT origin{0, 0};
    ClientToScreen(key.Hwnd(), &origin);
    UpdateWindow(parent);
    Pump();

    SendMouse(origin.x + 5, origin.y + 5, MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return key.Button().Pressed(); }));
    EXPECT_EQ(GetCapture(), key.Hwnd());
    SendMouse(origin.x + 80, origin.y + 5, MOUSEEVENTF_MOVE);
    ASSERT_TRUE(PumpUntil([&] { return !key.Button().Pressed(); }));
    SendMouse(origin.x + 80, origin.y + 5, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([] { return GetCapture() == nullptr; }));
    EXPECT_EQ(clicks[0], 0);

    // Pressed again at once on the same spot: the system makes it a double click.
    SendMouse(origin.x + 5, origin.y + 5, MOUSEEVENTF_LEFTDOWN);
    SendMouse(origin.x + 6, origin.y + 6, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return doubleClicks[0] == 1; }));
    EXPECT_EQ(clicks[0], 0);

    // After the double-click time, a press and release on the key is a click.
    Sleep(GetDoubleClickTime() + 50);
    SendMouse(origin.x + 20, origin.y + 15, MOUSEEVENTF_LEFTDOWN);
    SendMouse(origin.x + 21, origin.y + 15, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return clicks[0] == 1; }));
    EXPECT_FALSE(key.Button().Pressed());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CommandButtonWindowTest, Mouse_LeavingPopsTheKeyUp) {
    CommandButtonWindow& key = Add("1", 10);
    SendMessageA(key.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
    EXPECT_EQ(Snapshot(key).At(0, 0), GetSysColor(COLOR_3DDKSHADOW));
    SendMessageA(key.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, Point(5, 40));
    EXPECT_EQ(Snapshot(key).At(0, 0), GetSysColor(COLOR_3DHILIGHT));
    SendMessageA(key.Hwnd(), WM_LBUTTONUP, 0, Point(5, 40));
    EXPECT_EQ(clicks[0], 0);
}

TEST_F(CommandButtonWindowTest, Mouse_RightPressReportsTwipsWithoutSinking) {
    CommandButtonWindow& key = Add("1", 10);
    SendMessageA(key.Hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, Point(4, 6));
    EXPECT_EQ(lastDown.button, 2);
    EXPECT_EQ(lastDown.x, 60.0f);
    EXPECT_EQ(lastDown.y, 90.0f);
    EXPECT_EQ(Snapshot(key).At(0, 0), GetSysColor(COLOR_3DHILIGHT));
}

TEST_F(CommandButtonWindowTest, Flash_EveryClickDrawShowsThePressAndClicksOnce) {
    CommandButtonWindow& key = Add("5", 10);
    const auto start = std::chrono::steady_clock::now();
    key.ClickDraw();
    EXPECT_EQ(clicks[0], 0);
    key.ClickDraw();  // typed again within the flash: the first press clicks now
    EXPECT_EQ(Snapshot(key).At(0, 0), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(clicks[0], 1);
    ASSERT_TRUE(PumpUntil([&] { return clicks[0] > 1; }));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(15));
    EXPECT_EQ(Snapshot(key).At(0, 0), GetSysColor(COLOR_3DHILIGHT));
    PumpUntil([] { return false; });  // a second's worth of messages: no further Click
    EXPECT_EQ(clicks[0], 2);
}

TEST_F(CommandButtonWindowTest, Disabled_DrawsDisableColorAndTakesNoPress) {
    CommandButtonWindow& key = Add("W", 10);
    key.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(key.Hwnd()));
    const Snapshot shot(key);
    EXPECT_EQ(shot.Count(kRed), 0);
    EXPECT_GT(shot.Count(kGreen), 0);
    key.ClickDraw();
    SendMessageA(key.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
    SendMessageA(key.Hwnd(), WM_LBUTTONUP, 0, Point(5, 5));
    EXPECT_FALSE(CommandButtonWindow::PressAccessKey(parent, 'w'));
    Pump();
    EXPECT_EQ(clicks[0], 0);
    EXPECT_EQ(Snapshot(key).At(0, 0), GetSysColor(COLOR_3DHILIGHT));
    key.SetEnabled(true);
    EXPECT_GT(Snapshot(key).Count(kRed), 0);
}

TEST_F(CommandButtonWindowTest, AccessKey_FlashesTheMatchingVisibleKey) {
    Add("+", 10, "+");
    Add("a", 50, "Ab");
    Add("hidden", 90, "z").SetVisible(false);
    EXPECT_FALSE(CommandButtonWindow::PressAccessKey(parent, 'z'));
    EXPECT_FALSE(CommandButtonWindow::PressAccessKey(parent, '-'));
    EnableWindow(parent, FALSE);  // the keys themselves stay enabled
    EXPECT_FALSE(CommandButtonWindow::PressAccessKey(parent, '+')) << "on a disabled panel";
    EnableWindow(parent, TRUE);
    EXPECT_TRUE(CommandButtonWindow::PressAccessKey(parent, 'B'));
    EXPECT_TRUE(buttons[1]->Button().Pressed());
    ASSERT_TRUE(PumpUntil([&] { return clicks[1] == 1; }));
    EXPECT_EQ(clicks[0], 0);
}

TEST_F(CommandButtonWindowTest, Window_TextTooltipHelpIdAndScreenPaint) {
    CommandButtonWindow& key = Add("Clear", 10);
    char text[32] = {};
    GetWindowTextA(key.Hwnd(), text, sizeof text);
    EXPECT_STREQ(text, "Clear");
    SetWindowTextA(key.Hwnd(), "Del");
    EXPECT_EQ(key.Button().Caption(), "Del");
    char name[64] = {};
    GetClassNameA(key.Hwnd(), name, sizeof name);
    EXPECT_STREQ(name, "Zentra.CommandButton");
    EXPECT_EQ(CommandButtonWindow::FromHwnd(key.Hwnd()), &key);
    EXPECT_EQ(CommandButtonWindow::FromHwnd(parent), nullptr);
    EXPECT_EQ(GetWindowContextHelpId(key.Hwnd()), 104u);
    ASSERT_NE(key.ToolTipWindow(), nullptr);
    EXPECT_EQ(SendMessageA(key.ToolTipWindow(), TTM_GETTOOLCOUNT, 0, 0), 1);

    // The same pixels reach the screen through WM_PAINT.
    UpdateWindow(parent);
    UpdateWindow(key.Hwnd());
    HDC screen = GetDC(key.Hwnd());
    const bool painted = PumpUntil([&] {
        return GetPixel(screen, 0, 0) == GetSysColor(COLOR_3DHILIGHT) &&
               GetPixel(screen, 35, 27) == GetSysColor(COLOR_3DDKSHADOW) &&
               GetPixel(screen, 3, 3) == kFace;
    });
    ReleaseDC(key.Hwnd(), screen);
    EXPECT_TRUE(painted);
}

TEST_F(CommandButtonWindowTest, Teardown_ParentDestroyedFirst) {
    // A child panel between the key and the parent, destroyed before the key's owner lets go.
    HWND panel = CreateWindowExA(0, "ZentraButtonTestParent", "", WS_CHILD | WS_VISIBLE, 0, 0, 100,
                                 50, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    parent = panel;
    CommandButtonWindow& key = Add("1", 10);
    ASSERT_NE(key.ToolTipWindow(), nullptr);
    const HWND tip = key.ToolTipWindow();
    DestroyWindow(panel);
    EXPECT_EQ(key.Hwnd(), nullptr);
    EXPECT_FALSE(IsWindow(tip));
    key.ClickDraw();  // no window: the flash cannot start a timer but must not crash
    buttons.clear();
}

}  // namespace
}  // namespace zentra::win32
