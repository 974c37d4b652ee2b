// Zentra!: the program's entry point.
#include <windows.h>

#include <string>

#include "engine/PrimeTable.h"
#include "platform/window/MainWindow.h"
#include "window/StartFailure.h"

namespace {

// Every start that cannot go on ends the same way: the reason in a box, then a failure code.
int ReportStartFailure(zentra::StartFailure failure, const std::string& detail = {}) {
    const std::string text = zentra::StartFailureText(failure, detail);
    MessageBoxA(nullptr, text.c_str(), "Zentra!", MB_ICONERROR | MB_OK);
    return 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // A damaged table would give wrong factorizations without any sign; refuse to start instead.
    std::string error;
    const auto primes = zentra::PrimeTable::FromProgramResource(&error);
    if (!primes) return ReportStartFailure(zentra::StartFailure::PrimeTable, error);

    zentra::win32::MainWindow window(*primes);
    if (const auto failure = window.Create(instance, showCommand);
        failure != zentra::StartFailure::None) {
        return ReportStartFailure(failure);
    }
    return window.Run();
}
