#include "platform/window/Program.h"

#include <string>

#include "engine/PrimeTable.h"
#include "platform/window/MainWindow.h"
#include "window/StartFailure.h"

namespace zentra::win32 {
namespace {

// Every start that cannot go on ends the same way: the reason in a box, then a failure code.
int ReportStartFailure(StartFailure failure, const std::string& detail = {}) {
    const std::string text = StartFailureText(failure, detail);
    MessageBoxA(nullptr, text.c_str(), "Zentra!", MB_ICONERROR | MB_OK);
    return 1;
}

}  // namespace

int RunProgram(HINSTANCE instance, int showCommand, WindowSeam* seam) {
    // A damaged table would give wrong factorizations without any sign; refuse to start instead.
    std::string error;
    const auto primes = PrimeTable::FromProgramResource(&error);
    if (!primes) return ReportStartFailure(StartFailure::PrimeTable, error);

    MainWindow window(*primes);
    window.SetSeam(seam);
    if (const auto failure = window.Create(instance, showCommand); failure != StartFailure::None) {
        return ReportStartFailure(failure);
    }
    return window.Run();
}

}  // namespace zentra::win32
