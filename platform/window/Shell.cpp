// Windows of other programs:
// https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-findwindoww Shell:
// https://learn.microsoft.com/windows/win32/api/shellapi/nf-shellapi-shellexecutew
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include "platform/window/Shell.h"

#include "platform/window/WideText.h"

namespace zentra::win32 {
namespace {

const wchar_t* OrNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

HWND Handle(std::uintptr_t window) {
    return reinterpret_cast<HWND>(window);
}

// A program that does not answer within this time is not waited for at shut-down.
constexpr UINT kCloseTimeoutMs = 3000;

}  // namespace

std::uintptr_t Shell::FindTopWindow(const std::string& className, const std::string& title) const {
    const std::wstring wideClass = ToUtf16(className);
    const std::wstring wideTitle = ToUtf16(title);
    return reinterpret_cast<std::uintptr_t>(FindWindowW(OrNull(wideClass), OrNull(wideTitle)));
}

void Shell::BringToTop(std::uintptr_t window) {
    SetWindowPos(Handle(window), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void Shell::AskToClose(std::uintptr_t window) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(Handle(window), WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kCloseTimeoutMs, &result);
}

bool Shell::StartProgram(const std::string& commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    // The system may write into the command line it is given.
    std::wstring line = ToUtf16(commandLine);
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// The shell is loaded when a file is first opened rather than with the program: it brings a
// dozen libraries that every start-up would wait for under Wine. 0 (an error) when it is missing.
std::intptr_t Shell::ShellOpen(const std::string& file, int showCommand) {
    using ExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    static const auto execute = [] {
        HMODULE shell = LoadLibraryA("shell32.dll");
        return shell == nullptr ? nullptr
                                : reinterpret_cast<ExecuteFunction>(reinterpret_cast<void (*)()>(
                                      GetProcAddress(shell, "ShellExecuteW")));
    }();
    if (execute == nullptr) return 0;
    const std::wstring target = ToUtf16(file);
    HINSTANCE result = execute(nullptr, L"open", target.c_str(), nullptr, nullptr, showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

void WindowTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled) {
        SetTimer(owner_, id_, intervalMs_, nullptr);
    } else if (IsWindow(owner_)) {
        KillTimer(owner_, id_);
    }
}

void Shell::RestoreIfMinimized(std::uintptr_t window) {
    if (IsIconic(Handle(window))) ShowWindow(Handle(window), SW_RESTORE);
}

}  // namespace zentra::win32
