// Window classes and procedures: https://learn.microsoft.com/windows/win32/winmsg/window-procedures
#include "window/win32/Panel.h"

#include "controls/win32/EditBox.h"
#include "controls/win32/HostSupport.h"
#include "controls/win32/WindowBinding.h"

namespace zentra::win32 {
namespace {

constexpr const char* kClassName = "Zentra.Panel";

bool RegisterPanelClass(WNDPROC proc) {
    WindowClass windowClass;
    windowClass.name = kClassName;
    windowClass.procedure = proc;
    windowClass.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    return RegisterWindowClass(windowClass);
}

}  // namespace

Panel::~Panel() {
    // Stop routing first: the window may outlive this object only until its parent is destroyed.
    if (hwnd_ != nullptr && IsWindow(hwnd_)) SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
}

bool Panel::Create(const Args& args) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterPanelClass(&Panel::WndProc)) return false;
    onResize_ = args.onResize;
    onFocus_ = args.onFocus;
    hwnd_ = CreateWindowExA(args.exStyle, kClassName, "",
                            WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | args.style,
                            0, 0, 0, 0, args.parent, nullptr, instance, this);
    return hwnd_ != nullptr;
}

SIZE Panel::ClientSize() const {
    RECT rect{};
    GetClientRect(hwnd_, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void Panel::SetBackground(HBITMAP picture) {
    background_ = picture;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// Also what shows through the transparent controls inside (they ask with WM_PRINTCLIENT).
void Panel::PaintBackground(HDC hdc) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillRect(hdc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (background_ == nullptr) return;
    BITMAP info{};
    GetObjectA(background_, sizeof info, &info);
    HDC source = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(source, background_);
    BitBlt(hdc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

LRESULT CALLBACK Panel::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* panel = win32::BoundWindowObject(hwnd, message, lParam, &Panel::hwnd_);
    if (panel == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    return win32::GuardWindowProc(hwnd, message, wParam, lParam,
                                  [&] { return panel->Handle(message, wParam, lParam); });
}

LRESULT Panel::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (onResize_) onResize_();
            return 0;
        case WM_SETFOCUS:
            if (onFocus_) onFocus_();
            return 0;
        case WM_ERASEBKGND:
        case WM_PRINTCLIENT:
            PaintBackground(reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_COMMAND:
            // A control's notification goes back to the control, which handles its own.
            if (lParam != 0) {
                return SendMessageA(reinterpret_cast<HWND>(lParam), win32::kReflectedCommand,
                                    wParam, lParam);
            }
            return SendMessageA(GetParent(hwnd_), message, wParam, lParam);
        case WM_NOTIFY:
        case WM_DRAWITEM:
            // Notifications of the controls inside go to the window that handles them.
            return SendMessageA(GetParent(hwnd_), message, wParam, lParam);
        default:
            return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

}  // namespace zentra::win32
