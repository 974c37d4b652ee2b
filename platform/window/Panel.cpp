// Window classes and procedures: https://learn.microsoft.com/windows/win32/winmsg/window-procedures
#include "platform/window/Panel.h"

#include "platform/controls/EditBox.h"
#include "platform/controls/OffscreenPaint.h"

namespace zentra::win32 {
namespace {

constexpr const char* kClassName = "Zentra.Panel";

}  // namespace

bool Panel::Create(const Args& args) {
    onResize_ = args.onResize;
    onFocus_ = args.onFocus;
    WindowCreation creation = WindowCreation::Child({args.parent});
    creation.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | args.style;
    creation.exStyle = args.exStyle;
    WindowClass windowClass;
    windowClass.name = kClassName;
    windowClass.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    return CreateWindowFor(windowClass, creation);
}

SIZE Panel::ClientSize() const {
    return win32::ClientSize(Hwnd());
}

void Panel::SetBackground(HBITMAP picture) {
    background_ = picture;
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

// Also what shows through the transparent controls inside (they ask with WM_PRINTCLIENT).
void Panel::PaintBackground(HDC hdc) const {
    FillClient(Hwnd(), hdc, COLOR_BTNFACE);
    if (background_ == nullptr) return;
    BITMAP info{};
    GetObjectA(background_, sizeof info, &info);
    HDC source = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(source, background_);
    BitBlt(hdc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
            return SendMessageA(GetParent(Hwnd()), message, wParam, lParam);
        case WM_NOTIFY:
        case WM_DRAWITEM:
            // Notifications of the controls inside go to the window that handles them.
            return SendMessageA(GetParent(Hwnd()), message, wParam, lParam);
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace zentra::win32
