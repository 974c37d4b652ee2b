// bench-client: the Windows side of bench/window-scale.sh. Times what a DDE client cannot reach
// and prints milliseconds:
//   bench-client start RUNS CAPTION=PROGRAM...  starts the programs in turn, RUNS times each, and
//                                               times CreateProcess until a visible top-level
//                                               window of that caption exists; closes it again;
//                                               prints "CAPTION best median" per program
//   bench-client click CAPTION                  one click (button down and up, sent) on the
//                                               visible key of that caption in the window "Quorvel"
//   bench-client command ID                     WM_COMMAND of menu item ID, sent to "Quorvel"
//   bench-client paint                          paints what "Quorvel" has left to paint now
//                                               (RedrawWindow with RDW_UPDATENOW, which waits
//                                               for the window's WM_PAINT)
//   bench-client caret POS                      puts the caret of the window's edit control at
//                                               character POS (EM_SETSEL), as a click would
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/WindowSearch.h"

namespace {

using zentra::outside::FindChildWindow;
using zentra::outside::FindMainWindow;

double Now() {
    static const double perMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / perMs;
}

HWND ShownWindow(const char* caption) {
    HWND window = FindWindowA(nullptr, caption);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

// Milliseconds from CreateProcess to the visible window; negative when it never showed.
double TimeStart(const std::string& caption, const std::string& program) {
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = Now();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    HWND window = nullptr;
    double shown = -1;
    while (Now() - start < 20000) {
        if ((window = ShownWindow(caption.c_str())) != nullptr) {
            shown = Now() - start;
            break;
        }
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
        Sleep(0);
    }
    if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return shown;
}

int Start(int runs, int count, char** specs) {
    struct Program {
        std::string caption;
        std::string path;
        std::vector<double> times;
    };
    std::vector<Program> programs;
    for (int i = 0; i < count; ++i) {
        const char* eq = std::strchr(specs[i], '=');
        if (eq == nullptr) return 1;
        programs.push_back(
            {std::string(specs[i], static_cast<std::size_t>(eq - specs[i])), eq + 1, {}});
    }
    // Alternate the programs so that both see the same machine load.
    for (int run = 0; run < runs; ++run) {
        for (Program& program : programs) {
            const double ms = TimeStart(program.caption, program.path);
            if (ms < 0) {
                std::fprintf(stderr, "bench-client: %s showed no window\n", program.path.c_str());
                return 2;
            }
            program.times.push_back(ms);
        }
    }
    for (Program& program : programs) {
        std::sort(program.times.begin(), program.times.end());
        std::printf("%s %.1f %.1f\n", program.caption.c_str(), program.times.front(),
                    program.times[program.times.size() / 2]);
    }
    return 0;
}

int Click(const char* caption) {
    HWND main = FindMainWindow();
    if (main == nullptr) return 2;
    HWND key = FindChildWindow(main, "Zentra.CommandButton", caption);
    if (key == nullptr) return 3;
    const LPARAM at = MAKELPARAM(4, 4);
    const double start = Now();
    SendMessageA(key, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(key, WM_LBUTTONUP, 0, at);
    std::printf("%.1f\n", Now() - start);
    return 0;
}

int Command(int id) {
    HWND main = FindMainWindow();
    if (main == nullptr) return 2;
    const double start = Now();
    SendMessageA(main, WM_COMMAND, static_cast<WPARAM>(id), 0);
    std::printf("%.1f\n", Now() - start);
    return 0;
}

int Paint() {
    HWND main = FindMainWindow();
    if (main == nullptr) return 2;
    const double start = Now();
    RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::printf("%.1f\n", Now() - start);
    return 0;
}

int Caret(int position) {
    HWND main = FindMainWindow();
    if (main == nullptr) return 2;
    HWND edit = FindChildWindow(main, "Edit");
    if (edit == nullptr) return 3;
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(position), static_cast<LPARAM>(position));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "start" && argc >= 4) return Start(std::atoi(argv[2]), argc - 3, argv + 3);
    if (command == "click" && argc == 3) return Click(argv[2]);
    if (command == "command" && argc == 3) return Command(std::atoi(argv[2]));
    if (command == "paint" && argc == 2) return Paint();
    if (command == "caret" && argc == 3) return Caret(std::atoi(argv[2]));
    std::fputs(
        "usage: bench-client start RUNS CAPTION=PROGRAM... | click CAPTION | command ID | paint |\n"
        "       caret POS\n",
        stderr);
    return 1;
}
