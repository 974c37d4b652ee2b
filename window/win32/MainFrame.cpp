// The main window: https://learn.microsoft.com/windows/win32/winmsg/using-windows
#include "window/win32/MainFrame.h"

#include "window/win32/ResourceIds.h"
#include "window/win32/WindowLayout.h"

namespace zentra {
namespace {

constexpr const char* kClassName = "Zentra.Main";
constexpr const char* kCaption = "Quorvel";
constexpr int kFirstWidth = 341;
constexpr int kFirstHeight = 250;
constexpr int kKeyWidth = 36;
constexpr int kKeyHeight = 28;

void MoveChild(HWND child, const LayoutRect& rect) {
    if (child == nullptr) return;
    SetWindowPos(child, nullptr, rect.left, rect.top, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

MainFrame::~MainFrame() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    if (accelerators_ != nullptr) DestroyAcceleratorTable(accelerators_);
}

bool MainFrame::Create(HINSTANCE instance, int showCommand) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &MainFrame::WndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_ZENTRA));
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (RegisterClassExA(&wc) == 0) return false;

    accelerators_ = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINMENU));
    hwnd_ = CreateWindowExA(0, kClassName, kCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                            CW_USEDEFAULT, CW_USEDEFAULT, kFirstWidth, kFirstHeight, nullptr, menu,
                            instance, this);
    if (hwnd_ == nullptr) return false;

    Panel::Args display;
    display.parent = hwnd_;
    display.exStyle = WS_EX_CLIENTEDGE;
    display.onResize = [this] { LayOutDisplayPanel(); };
    display_.Create(display);
    Panel::Args buttons;
    buttons.parent = hwnd_;
    buttons.onResize = [this] { LayOutKeypad(); };
    buttons_.Create(buttons);
    LayOutWindow();
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    return true;
}

int MainFrame::Run() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (PreTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

bool MainFrame::IsOwnWindow(HWND hwnd) const {
    return hwnd != nullptr && (hwnd == hwnd_ || IsChild(hwnd_, hwnd));
}

bool MainFrame::PreTranslate(MSG& msg) {
    if (!IsOwnWindow(msg.hwnd)) return false;
    return accelerators_ != nullptr && TranslateAcceleratorA(hwnd_, accelerators_, &msg) != 0;
}

void MainFrame::LayOutWindow() {
    if (IsIconic(hwnd_)) return;
    RECT client{};
    GetClientRect(hwnd_, &client);
    const WindowPanels panels = zentra::LayOutWindow(client.right - client.left, kKeyHeight);
    MoveChild(display_.Hwnd(), panels.display);
    MoveChild(result_, panels.result);
    MoveChild(buttons_.Hwnd(), panels.buttons);
}

void MainFrame::LayOutDisplayPanel() {}

void MainFrame::LayOutKeypad() {}

LRESULT CALLBACK MainFrame::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* frame = static_cast<MainFrame*>(create->lpCreateParams);
        frame->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
    }
    auto* frame = reinterpret_cast<MainFrame*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (frame == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    return frame->Handle(message, wParam, lParam);
}

LRESULT MainFrame::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) LayOutWindow();
            return 0;
        case WM_SETCURSOR:
            if (busy_) {
                SetCursor(LoadCursor(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

}  // namespace zentra
