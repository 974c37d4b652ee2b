// WM_PAINT through an off-screen bitmap, so that scrolling and typing do not flicker; shared by
// our controls, which draw everything themselves.
#pragma once

#include <windows.h>

#include <algorithm>

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

}  // namespace zentra::win32
