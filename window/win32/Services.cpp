// WinHelp: https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-winhelpa
#include "window/win32/Services.h"

namespace zentra {

WhatsThisHelp::WhatsThisHelp(HWND owner) : owner_(owner) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.erase(folder.find_last_of('\\') + 1);
    helpFile_ = folder + "Zentra!.hlp";
}

void WhatsThisHelp::ShowWhatsThis(int topic) {
    WinHelpA(owner_, helpFile_.c_str(), HELP_CONTEXTPOPUP, static_cast<ULONG_PTR>(topic));
}

}  // namespace zentra
