// WM_PAINT through an off-screen bitmap, so that scrolling and typing do not flicker; shared by
// our controls, which draw everything themselves.
#pragma once

#include <windows.h>

#include <algorithm>
#include <optional>

namespace zentra::win32 {

template <typename PaintFn>
void PaintOffscreen(HWND hwnd, PaintFn paint) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    HDC memory = CreateCompatibleDC(hdc);
    HBITMAP bitmap =
        CreateCompatibleBitmap(hdc, std::max(1L, client.right), std::max(1L, client.bottom));
    HGDIOBJ old = SelectObject(memory, bitmap);
    paint(memory);
    BitBlt(hdc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(hwnd, &ps);
}

// Fills `hwnd`'s client area in `hdc` with a system colour; returns the area.
inline RECT FillClient(HWND hwnd, HDC hdc, int systemColour) {
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(hdc, &client, GetSysColorBrush(systemColour));
    return client;
}

// The painting messages of a window that draws all of its client area itself: nothing to erase,
// WM_PAINT off screen, WM_PRINTCLIENT straight into the device context it brings. The message's
// result, or nothing when `message` is not one of them.
template <typename Draw>
std::optional<LRESULT> PaintSelf(HWND hwnd, UINT message, WPARAM wParam, Draw draw) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            PaintOffscreen(hwnd, draw);
            return 0;
        case WM_PRINTCLIENT:
            draw(reinterpret_cast<HDC>(wParam));
            return 0;
        default:
            return std::nullopt;
    }
}

}  // namespace zentra::win32
