// Drives the help viewer the way the program does, through WinHelp, and waits (with a deadline)
// until the viewer shows the expected text; prints the window's screen rectangle for screenshots.
//   WinHelpProbe context <id> <text>   HELP_CONTEXT: the main help window shows the topic
//   WinHelpProbe wait <text>           a viewer started on the file shows the text
//   WinHelpProbe popup <id> <text> <from> <label>
//                                      HELP_CONTEXTPOPUP: a popup window shows the topic. A viewer
//                                      without that command gets the popup from a popup link
//                                      <label> in topic <from> instead, clicked like a user would.
//   WinHelpProbe tab                   shows the About tab page in a window until "tab-done"
//   WinHelpProbe tab-done              closes that window
//   WinHelpProbe quit                  HELP_QUIT
// Exit code 0 when the expectation was met.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr DWORD kDeadlineMs = 20000;
const char* const kTabDoneEvent = "ZentraHelpProbeTabDone";

std::string BesideThisProgram(const char* file) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + file;
}

std::string TextOf(HWND window) {
    const auto length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
    return text;
}

struct Search {
    const std::string* expected;
    bool popup;
    DWORD ownProcess;
    HWND found = nullptr;
    bool textSeen = false;
};

BOOL CALLBACK FindTextChild(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    char cls[64] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (std::strncmp(cls, "RichEdit", 8) == 0 &&
        TextOf(child).find(*search->expected) != std::string::npos) {
        search->textSeen = true;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindViewerWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->ownProcess || !IsWindowVisible(window)) return TRUE;
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const bool isPopup = (style & WS_CAPTION) != WS_CAPTION;
    if (isPopup != search->popup) return TRUE;
    if (!search->popup && TextOf(window) != "Quorvel Help") return TRUE;
    search->textSeen = false;
    EnumChildWindows(window, FindTextChild, data);
    if (!search->textSeen) return TRUE;
    search->found = window;
    return FALSE;
}

void PumpFor(DWORD ms) {
    const DWORD until = GetTickCount() + ms;
    MSG msg;
    while (static_cast<LONG>(until - GetTickCount()) > 0) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(20);
    }
}

HWND WaitForViewer(const std::string& expected, bool popup, DWORD deadlineMs = kDeadlineMs) {
    Search search{&expected, popup, GetCurrentProcessId()};
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < deadlineMs) {
        search.found = nullptr;
        EnumWindows(FindViewerWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        PumpFor(100);
    }
    return nullptr;
}

void PrintRect(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
}

HWND OwnerWindow() {
    return CreateWindowA("STATIC", "Quorvel", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

BOOL CALLBACK FindRichEdit(HWND child, LPARAM data) {
    char cls[64] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (std::strncmp(cls, "RichEdit", 8) != 0) return TRUE;
    *reinterpret_cast<HWND*>(data) = child;
    return FALSE;
}

HWND TextChild(HWND window) {
    HWND found = nullptr;
    EnumChildWindows(window, FindRichEdit, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Clicks the first occurrence of `label` in the window's topic text, as a user would.
bool ClickLabel(HWND window, const std::string& label) {
    HWND text = TextChild(window);
    if (!text) return false;
    std::string content = TextOf(text);
    for (std::size_t at; (at = content.find("\r\n")) != std::string::npos;) content.erase(at, 1);
    const std::size_t index = content.find(label);
    if (index == std::string::npos) return false;
    const LRESULT packed = SendMessageA(text, EM_POSFROMCHAR, index + label.size() / 2, 0);
    POINT point = {static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))};
    point.y += 4;  // inside the line, below its top
    ClientToScreen(text, &point);
    SetForegroundWindow(window);
    SetCursorPos(point.x, point.y);
    PumpFor(200);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(2, clicks, sizeof(INPUT)) == 2;
}

bool AskViewer(UINT command, DWORD id) {
    const std::string help = BesideThisProgram("Zentra!.hlp");
    if (WinHelpA(OwnerWindow(), help.c_str(), command, id)) return true;
    std::fprintf(stderr, "WinHelp refused command %u\n", command);
    return false;
}

int Report(HWND shown, const std::string& expected) {
    if (!shown) {
        std::fprintf(stderr, "no viewer window shows \"%s\"\n", expected.c_str());
        return 1;
    }
    PumpFor(300);  // let the viewer finish painting before the screenshot
    PrintRect(shown);
    std::fflush(stdout);
    return 0;
}

int ShowTopic(DWORD id, const std::string& expected) {
    if (!AskViewer(HELP_CONTEXT, id)) return 1;
    return Report(WaitForViewer(expected, false), expected);
}

int ShowPopup(DWORD id, const std::string& expected, DWORD from, const std::string& label) {
    if (!AskViewer(HELP_CONTEXTPOPUP, id)) return 1;
    if (HWND popup = WaitForViewer(expected, true, 3000)) return Report(popup, expected);
    std::fprintf(stderr,
                 "the viewer shows no popup for HELP_CONTEXTPOPUP %lu; "
                 "opening it through the popup link \"%s\" of topic %lu\n",
                 id, label.c_str(), from);
    if (!AskViewer(HELP_CONTEXT, from)) return 1;
    HWND main = WaitForViewer(label, false);
    if (!main || !ClickLabel(main, label)) {
        std::fprintf(stderr, "cannot click \"%s\"\n", label.c_str());
        return 1;
    }
    return Report(WaitForViewer(expected, true), expected);
}

// The About tab as the help viewer would host it, in a window of its own for a screenshot.
int ShowTab() {
    HMODULE library = LoadLibraryA("Zentra!.dll");
    auto open = reinterpret_cast<HWND(WINAPI*)(HWND, DWORD, DWORD)>(
        reinterpret_cast<void*>(GetProcAddress(library, "OpenTabDialog")));
    if (!open) return 1;
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, kTabDoneEvent);
    HWND frame =
        CreateWindowA("STATIC", "About", WS_POPUP | WS_VISIBLE | WS_BORDER | SS_WHITERECT, 40, 40,
                      400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND page = open(frame, 0, 0);
    if (!page) return 1;
    RECT r;
    GetWindowRect(page, &r);
    SetWindowPos(frame, HWND_TOP, 40, 40, r.right - r.left + 2, r.bottom - r.top + 2,
                 SWP_SHOWWINDOW);
    PumpFor(300);
    PrintRect(frame);
    std::fflush(stdout);
    const DWORD start = GetTickCount();
    MSG msg;
    while (WaitForSingleObject(done, 0) != WAIT_OBJECT_0 && GetTickCount() - start < 60000) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(20);
    }
    DestroyWindow(frame);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    auto number = [](const char* text) {
        return static_cast<DWORD>(std::strtoul(text, nullptr, 10));
    };
    if (mode == "context" && argc == 4) return ShowTopic(number(argv[2]), argv[3]);
    if (mode == "wait" && argc == 3) return Report(WaitForViewer(argv[2], false), argv[2]);
    if (mode == "popup" && argc == 6)
        return ShowPopup(number(argv[2]), argv[3], number(argv[4]), argv[5]);
    if (mode == "tab") return ShowTab();
    if (mode == "tab-done") {
        HANDLE done = OpenEventA(EVENT_MODIFY_STATE, FALSE, kTabDoneEvent);
        return done && SetEvent(done) ? 0 : 1;
    }
    if (mode == "quit") {
        if (!AskViewer(HELP_QUIT, 0)) return 1;
        for (const DWORD start = GetTickCount(); GetTickCount() - start < kDeadlineMs;
             PumpFor(100)) {
            if (!FindWindowA(nullptr, "Quorvel Help")) return 0;
        }
        std::fprintf(stderr, "the viewer is still open\n");
        return 1;
    }
    std::fprintf(stderr,
                 "usage: WinHelpProbe context <id> <text> | popup <id> <text> <from> <label>"
                 " | wait <text> | tab | tab-done | quit\n");
    return 2;
}
