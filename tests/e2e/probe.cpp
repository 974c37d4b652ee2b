// zentra-probe: looks into the running window "Quorvel" and the clipboard from outside, for the
// end-to-end test.
//   zentra-probe text CLASS [CAPTION]  WM_GETTEXT of the first child of that window class of
//                                the window (or of the top-level window CAPTION)
//   zentra-probe sel CLASS       selection start and end (EM_GETSEL) of that child
//   zentra-probe enabled CLASS   1 when that child takes input, else 0
//   zentra-probe layout          every child: class, position in its parent's client area, size,
//                                visibility and (for keys) caption
//   zentra-probe clip-set        standard input, byte for byte, becomes the CF_TEXT clipboard
//   zentra-probe clip-text       the CF_TEXT clipboard
//   zentra-probe clip-rtf        the "Rich Text Format" clipboard
//   zentra-probe close [CAPTION] asks the window (or the top-level window CAPTION) to close
//   zentra-probe texts CAPTION   the texts of every child of the top-level window CAPTION
//   zentra-probe count CAPTION   the number of visible top-level windows titled CAPTION
//   zentra-probe class CLASS     exit code 0 when a top-level window of that class exists
//   zentra-probe minimize CAPTION  minimizes the top-level window CAPTION
//   zentra-probe iconic CAPTION  exit code 0 when the top-level window CAPTION is minimized
//   zentra-probe move CAPTION X Y  moves the top-level window CAPTION, keeping its size
//   zentra-probe popup           exit code 0 when a popup menu is showing
//   zentra-probe end-session     WM_QUERYENDSESSION, then WM_ENDSESSION with its answer; prints
//                                the answer (1: the window lets the session end)
//   zentra-probe wait-disabled MS  exit code 0 as soon as the window is seen disabled (busy),
//                                1 when it stays enabled for MS milliseconds
//   zentra-probe dpi-changed DPI X Y W H  sends the window WM_DPICHANGED as the system does when
//                                it moves to a screen of DPI, with the suggested rectangle (which
//                                is written into the window's process, where the message's
//                                pointer has to point)
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/WindowSearch.h"

namespace {

using zentra::outside::FindChildWindow;
using zentra::outside::kMainCaption;

HWND MainWindow() {
    return zentra::outside::FindMainWindow();
}

std::string WindowText(HWND hwnd) {
    const LRESULT length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    const LRESULT copied =
        SendMessageA(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), static_cast<std::size_t>(copied));
}

// The first child of that class under any top-level window with that caption: another window
// with the same caption may come first in the z-order.
int PrintText(const char* className, const char* caption) {
    int captioned = 0;
    for (HWND main = FindWindowExA(nullptr, nullptr, nullptr, caption); main != nullptr;
         main = FindWindowExA(nullptr, main, nullptr, caption)) {
        ++captioned;
        HWND child = FindChildWindow(main, className);
        if (child == nullptr) continue;
        const std::string text = WindowText(child);
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    std::fprintf(stderr, "zentra-probe: no %s in %d window(s) titled \"%s\"\n", className,
                 captioned, caption);
    return captioned == 0 ? 2 : 3;
}

HWND FindChild(const char* className) {
    return FindChildWindow(MainWindow(), className);
}

int PrintSelection(const char* className) {
    HWND child = FindChild(className);
    if (child == nullptr) return 3;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(child, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    std::printf("%lu %lu\n", static_cast<unsigned long>(start), static_cast<unsigned long>(end));
    return 0;
}

BOOL CALLBACK PrintChildText(HWND hwnd, LPARAM) {
    const std::string text = WindowText(hwnd);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    return TRUE;
}

struct CaptionCount {
    const char* caption;
    int count;
};

BOOL CALLBACK CountCaption(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<CaptionCount*>(param);
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    if (IsWindowVisible(hwnd) && std::strcmp(text, search->caption) == 0) ++search->count;
    return TRUE;
}

int PrintCount(const char* caption) {
    CaptionCount search{caption, 0};
    EnumWindows(&CountCaption, reinterpret_cast<LPARAM>(&search));
    std::printf("%d\n", search.count);
    return 0;
}

int PrintTexts(const char* caption) {
    HWND window = FindWindowA(nullptr, caption);
    if (window == nullptr) return 2;
    EnumChildWindows(window, &PrintChildText, 0);
    return 0;
}

BOOL CALLBACK PrintChild(HWND hwnd, LPARAM) {
    char name[256] = {};
    GetClassNameA(hwnd, name, sizeof name);
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    std::string caption;
    if (std::strcmp(name, "Zentra.CommandButton") == 0) caption = WindowText(hwnd);
    std::printf("%s %ld %ld %ld %ld %d %s\n", name, rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top, IsWindowVisible(hwnd) ? 1 : 0, caption.c_str());
    return TRUE;
}

int PrintLayout() {
    HWND main = MainWindow();
    if (main == nullptr) return 2;
    RECT window{};
    RECT client{};
    GetWindowRect(main, &window);
    GetClientRect(main, &client);
    std::printf("window %ld %ld %d %d\nclient %ld %ld\n", window.right - window.left,
                window.bottom - window.top, IsWindowEnabled(main) ? 1 : 0, IsIconic(main) ? 1 : 0,
                client.right, client.bottom);
    EnumChildWindows(main, &PrintChild, 0);
    return 0;
}

// Another program may hold the clipboard open for a while: Wine's clipboard manager reads every
// new content to offer it to X, which takes a moment for a megabyte. Wait as long as that needs.
constexpr DWORD kClipboardPatienceMs = 10000;

bool OpenClipboardPatiently(const char* why) {
    const DWORD started = GetTickCount();
    DWORD error = 0;
    do {
        if (OpenClipboard(nullptr)) return true;
        error = GetLastError();
        Sleep(10);
    } while (GetTickCount() - started < kClipboardPatienceMs);
    std::fprintf(stderr, "zentra-probe %s: OpenClipboard failed for %lu ms (error %lu)\n", why,
                 static_cast<unsigned long>(GetTickCount() - started),
                 static_cast<unsigned long>(error));
    return false;
}

int SetClipboardText() {
    std::string text((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (block == nullptr) {
        std::fprintf(stderr, "zentra-probe clip-set: no memory for %zu bytes\n", text.size());
        return 4;
    }
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    if (!OpenClipboardPatiently("clip-set")) {
        GlobalFree(block);
        return 5;
    }
    const bool emptied = EmptyClipboard() != FALSE;
    const bool set = emptied && SetClipboardData(CF_TEXT, block) != nullptr;
    const DWORD error = GetLastError();
    CloseClipboard();
    if (set) return 0;
    GlobalFree(block);
    std::fprintf(stderr, "zentra-probe clip-set: %s refused %zu bytes (error %lu)\n",
                 emptied ? "SetClipboardData" : "EmptyClipboard", text.size(),
                 static_cast<unsigned long>(error));
    return 6;
}

int PrintClipboard(UINT format, const char* command) {
    if (!OpenClipboardPatiently(command)) return 5;
    int status = 7;
    if (HANDLE handle = GetClipboardData(format); handle != nullptr) {
        const auto* data = static_cast<const char*>(GlobalLock(handle));
        const std::size_t size = GlobalSize(handle);
        const void* nul = std::memchr(data, 0, size);
        const std::size_t length =
            nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - data) : size;
        std::fwrite(data, 1, length, stdout);
        GlobalUnlock(handle);
        status = 0;
    }
    CloseClipboard();
    return status;
}

// As the system asks at log-off: the window's answer decides whether the session ends.
int EndSession() {
    HWND main = MainWindow();
    if (main == nullptr) return 2;
    const LRESULT answer = SendMessageA(main, WM_QUERYENDSESSION, 0, 0);
    SendMessageA(main, WM_ENDSESSION, answer != 0 ? TRUE : FALSE, 0);
    std::printf("%d\n", answer != 0 ? 1 : 0);
    return 0;
}

// Operations are short: look often, but give the processor back between looks.
int WaitDisabled(int milliseconds) {
    HWND main = MainWindow();
    if (main == nullptr) return 2;
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(milliseconds);
    std::puts("watching");
    std::fflush(stdout);
    while (GetTickCount() < deadline) {
        if (!IsWindowEnabled(main)) return 0;
        Sleep(1);
    }
    return 1;
}

int SendDpiChanged(int dpi, const RECT& suggested) {
    HWND main = MainWindow();
    if (main == nullptr) return 2;
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (process == nullptr) return 3;
    void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
    int result = 3;
    if (remote != nullptr &&
        WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr)) {
        const WPARAM both = MAKEWPARAM(dpi, dpi);
        SendMessageA(main, WM_DPICHANGED, both, reinterpret_cast<LPARAM>(remote));
        result = 0;
    }
    if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "text" && (argc == 3 || argc == 4)) {
        return PrintText(argv[2], argc == 4 ? argv[3] : kMainCaption);
    }
    if (command == "count" && argc == 3) return PrintCount(argv[2]);
    if (command == "class" && argc == 3) return FindWindowA(argv[2], nullptr) != nullptr ? 0 : 1;
    if (command == "layout") return PrintLayout();
    if ((command == "minimize" || command == "iconic") && argc == 3) {
        HWND window = FindWindowA(nullptr, argv[2]);
        if (window == nullptr) return 2;
        if (command == "minimize") ShowWindow(window, SW_MINIMIZE);
        return IsIconic(window) ? 0 : 1;
    }
    if (command == "move" && argc == 5) {
        HWND window = FindWindowA(nullptr, argv[2]);
        if (window == nullptr) return 2;
        const UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
        return SetWindowPos(window, nullptr, std::atoi(argv[3]), std::atoi(argv[4]), 0, 0, flags)
                   ? 0
                   : 1;
    }
    if (command == "sel" && argc == 3) return PrintSelection(argv[2]);
    if (command == "enabled" && argc == 3) {
        HWND child = FindChild(argv[2]);
        if (child == nullptr) return 3;
        std::printf("%d\n", IsWindowEnabled(child) ? 1 : 0);
        return 0;
    }
    if (command == "texts" && argc == 3) return PrintTexts(argv[2]);
    if (command == "popup") {
        HWND menu = FindWindowA("#32768", nullptr);
        return menu != nullptr && IsWindowVisible(menu) ? 0 : 1;
    }
    if (command == "end-session") return EndSession();
    if (command == "wait-disabled" && argc == 3) return WaitDisabled(std::atoi(argv[2]));
    if (command == "dpi-changed" && argc == 7) {
        const int x = std::atoi(argv[3]);
        const int y = std::atoi(argv[4]);
        return SendDpiChanged(std::atoi(argv[2]),
                              {x, y, x + std::atoi(argv[5]), y + std::atoi(argv[6])});
    }
    if (command == "close") {
        HWND window = argc == 3 ? FindWindowA(nullptr, argv[2]) : MainWindow();
        return window != nullptr && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 2;
    }
    if (command == "clip-set") return SetClipboardText();
    if (command == "clip-text") return PrintClipboard(CF_TEXT, "clip-text");
    if (command == "clip-rtf")
        return PrintClipboard(RegisterClipboardFormatA("Rich Text Format"), "clip-rtf");
    std::fputs(
        "usage: zentra-probe text CLASS [CAPTION] | sel CLASS | enabled CLASS | layout |\n"
        "       texts CAPTION | count CAPTION | clip-set | clip-text | clip-rtf |\n"
        "       close [CAPTION] | popup | end-session | minimize CAPTION |\n"
        "       iconic CAPTION | move CAPTION X Y | wait-disabled MS |\n"
        "       dpi-changed DPI X Y W H\n",
        stderr);
    return 1;
}
