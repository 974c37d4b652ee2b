#include "platform/controls/tests/TestWindow.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace zentra::win32::test {

HWND CreateHostWindow(int width, int height) {
    static const bool registered = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = "Zentra.TestHost";
        return RegisterClassExA(&wc) != 0;
    }();
    (void)registered;
    HWND host = CreateWindowExA(0, "Zentra.TestHost", "Grid and pane test",
                                WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width, height,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    PumpMessages();
    return host;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

Capture::Capture(HWND hwnd) {
    RECT client;
    GetClientRect(hwnd, &client);
    width_ = client.right;
    height_ = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    GdiFlush();
    const auto* words = static_cast<const std::uint32_t*>(bits);
    pixels_.assign(words, words + static_cast<std::size_t>(width_) * height_);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

COLORREF Capture::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return RGB(255, 255, 255);
    const std::uint32_t bgr = pixels_[static_cast<std::size_t>(y) * width_ + x];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

int Capture::Luminance(int x, int y) const {
    const COLORREF c = Pixel(x, y);
    return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000;
}

int Capture::TopmostDark(int x0, int x1, int threshold, int y0, int y1) const {
    const int end = y1 < 0 ? height_ : std::min(y1, height_);
    for (int y = std::max(0, y0); y < end; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (Luminance(x, y) < threshold) return y;
        }
    }
    return -1;
}

int Capture::BottommostDark(int x0, int x1, int threshold) const {
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = x0; x < x1; ++x) {
            if (Luminance(x, y) < threshold) return y;
        }
    }
    return -1;
}

int Capture::DarkestLuminance() const {
    int darkest = 255;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) darkest = std::min(darkest, Luminance(x, y));
    }
    return darkest;
}

std::string ReadTextFromOtherProcess(HWND hwnd) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    const std::string outFile = folder + "window_text_probe.out";
    DeleteFileA(outFile.c_str());
    std::ostringstream command;
    command << '"' << folder << "window_text_probe.exe\" " << reinterpret_cast<std::uintptr_t>(hwnd)
            << " \"" << outFile << '"';
    std::string line = command.str();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        throw std::runtime_error("cannot start window_text_probe.exe");
    }
    const ULONGLONG deadline = GetTickCount64() + 60000;
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT) !=
           WAIT_OBJECT_0) {
        PumpMessages();
        if (GetTickCount64() > deadline) break;
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (exitCode != 0) throw std::runtime_error("window_text_probe.exe failed");
    std::ifstream in(outFile, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace zentra::win32::test
