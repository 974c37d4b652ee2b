// Zentra!.dll: the About tab that the help viewer adds to its Help Topics window when the
// contents file names this library. The page is a resource dialog left entirely to the
// platform's default dialog handling.
// https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-createdialogparama
#include <windows.h>

namespace {

// Written by the entry point before the viewer can call an export; the dialog's resource source.
HINSTANCE moduleInstance = nullptr;

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/) {
    moduleInstance = instance;
    return TRUE;
}

// Answers every message as not handled, so the dialog manager sets the focus and paints.
INT_PTR CALLBACK OpenTabDialogProc(HWND /*page*/, UINT /*message*/, WPARAM /*wParam*/,
                                   LPARAM /*lParam*/) {
    return FALSE;
}

// Creates the page as a modeless child of the viewer's tab control; the viewer owns it from
// here on. The two further values the viewer passes are not needed.
HWND WINAPI OpenTabDialog(HWND parent, DWORD /*unused1*/, DWORD /*unused2*/) {
    return CreateDialogParamA(moduleInstance, "ABOUT", parent, OpenTabDialogProc, 0);
}

}  // extern "C"
