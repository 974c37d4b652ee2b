// Zentra!: the program's entry point.
// The common controls need the Windows types first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <string>

#include "engine/PrimeTable.h"
#include "window/win32/MainFrame.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    // A damaged table would give wrong factorizations without any sign; refuse to start instead.
    std::string error;
    const auto primes = zentra::PrimeTable::FromProgramResource(&error);
    if (!primes) {
        const std::string text =
            "Zentra! cannot start: " + error + ".\r\nPlease install the program again.";
        MessageBoxA(nullptr, text.c_str(), "Zentra!", MB_ICONERROR | MB_OK);
        return 1;
    }

    zentra::win32::MainFrame frame(*primes);
    if (!frame.Create(instance, showCommand)) return 1;
    return frame.Run();
}
