#include "platform/controls/HostSupport.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace zentra::win32 {

int MouseShiftState(WPARAM keys) {
    int shift = 0;
    if (keys & MK_SHIFT) shift |= kShiftBit;
    if (keys & MK_CONTROL) shift |= kCtrlBit;
    if (GetKeyState(VK_MENU) < 0) shift |= kAltBit;
    return shift;
}

int KeyboardShiftState() {
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftBit;
    if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlBit;
    if (GetKeyState(VK_MENU) < 0) shift |= kAltBit;
    return shift;
}

const ScreenDpi& ScreenResolution() {
    static const ScreenDpi dpi = [] {
        HDC screen = GetDC(nullptr);
        const ScreenDpi asked{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
        ReleaseDC(nullptr, screen);
        return asked;
    }();
    return dpi;
}

int WindowDpi(HWND window) {
    // Looked up at run time: older systems lack it.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto forWindow = reinterpret_cast<DpiForWindow>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    const UINT dpi = forWindow != nullptr ? forWindow(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : ScreenResolution().y;
}

HDC MeasuringDc() {
    // Made once and kept: asking a window for its DC computes its visible region each time.
    static const HDC dc = [] {
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        return memory;
    }();
    return dc;
}

int TwipsPerPixel(int dotsPerInch) {
    constexpr int kTwipsPerInch = 1440;
    return dotsPerInch > 0 ? kTwipsPerInch / dotsPerInch : 15;
}

LRESULT AnswerGetText(const std::string& text, WPARAM size, LPARAM buffer) {
    if (size == 0 || buffer == 0) return 0;
    const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
    char* out = reinterpret_cast<char*>(buffer);
    std::memcpy(out, text.data(), count);
    out[count] = '\0';
    return static_cast<LRESULT>(count);
}

std::string WindowText(HWND hwnd) {
    const auto length = static_cast<std::size_t>(GetWindowTextLengthA(hwnd));
    std::vector<char> buffer(length + 1);
    const int copied = GetWindowTextA(hwnd, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

}  // namespace zentra::win32
