// WinHelp: https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-winhelpa
#include "window/win32/Services.h"

namespace zentra::win32 {

WhatsThisHelp::WhatsThisHelp(HWND owner) : owner_(owner) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.erase(folder.find_last_of('\\') + 1);
    helpFile_ = folder + "Zentra!.hlp";
}

namespace {

// Wine's help viewer ignores HELP_CONTEXTPOPUP; there the topic opens in the help window instead,
// so that What's This still shows something.
bool ViewerShowsPopups() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr;
}

}  // namespace

void WhatsThisHelp::ShowWhatsThis(int topic) {
    static const bool popups = ViewerShowsPopups();
    WinHelpA(owner_, helpFile_.c_str(), popups ? HELP_CONTEXTPOPUP : HELP_CONTEXT,
             static_cast<ULONG_PTR>(topic));
}

}  // namespace zentra::win32

namespace zentra::win32 {

void WhatsThisHelp::ShowTopic(int topic) {
    WinHelpA(owner_, helpFile_.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(topic));
}

}  // namespace zentra::win32
