// WinHelp: https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-winhelpw
// Short names: https://learn.microsoft.com/windows/win32/api/fileapi/nf-fileapi-getshortpathnamew
#include "platform/window/Services.h"

#include "platform/window/RegistrySettings.h"
#include "platform/window/WideText.h"

namespace zentra::win32 {
namespace {

bool FitsAnsiCodePage(const std::wstring& text) {
    BOOL lost = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0, nullptr, &lost);
    return lost == FALSE;
}

// The help viewer reads its file name in the ANSI code page (WinHelpW hands it over that way too),
// so a folder outside it is named by its short form, which keeps to ASCII. Where the volume keeps
// no short names the long one is all there is.
std::wstring FolderForHelpViewer(const std::wstring& folder) {
    if (FitsAnsiCodePage(folder)) return folder;
    const DWORD size = GetShortPathNameW(folder.c_str(), nullptr, 0);
    if (size == 0) return folder;
    std::wstring shortFolder(size, L'\0');
    const DWORD length = GetShortPathNameW(folder.c_str(), shortFolder.data(), size);
    if (length == 0 || length >= size) return folder;
    shortFolder.resize(length);
    return shortFolder;
}

// Wine's help viewer ignores HELP_CONTEXTPOPUP; there the topic opens in the help window instead,
// so that What's This still shows something.
bool ViewerShowsPopups() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr;
}

}  // namespace

WhatsThisHelp::WhatsThisHelp(HWND owner) : owner_(owner) {
    std::wstring folder = ProgramFilePath();
    folder.erase(folder.find_last_of(L'\\') + 1);
    helpFile_ = FolderForHelpViewer(folder) + L"Zentra!.hlp";
}

std::string WhatsThisHelp::HelpFilePath() const {
    return ToUtf8(helpFile_);
}

void WhatsThisHelp::ShowWhatsThis(int topic) {
    static const bool popups = ViewerShowsPopups();
    WinHelpW(owner_, helpFile_.c_str(), popups ? HELP_CONTEXTPOPUP : HELP_CONTEXT,
             static_cast<ULONG_PTR>(topic));
}

}  // namespace zentra::win32

namespace zentra::win32 {

void WhatsThisHelp::ShowTopic(int topic) {
    WinHelpW(owner_, helpFile_.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(topic));
}

}  // namespace zentra::win32
