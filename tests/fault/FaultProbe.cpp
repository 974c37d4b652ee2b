// Zentra!.exe with a seam that fails on request, for the test that the window survives its own
// failures: DDE "FaultProbe" fails inside the DDE callback, "FaultProbeWindow" makes the window's
// procedure read a grid row that does not exist.
#include <windows.h>

#include <stdexcept>

#include "platform/window/Program.h"

namespace {

constexpr UINT kFaultProbeMessage = WM_APP + 0x7F;

class FaultSeam final : public zentra::win32::WindowSeam {
  public:
    std::optional<bool> OnExecute(std::string_view command, HWND window) override {
        if (command == "FaultProbe") throw std::runtime_error("fault probe");
        if (command == "FaultProbeWindow") {
            return PostMessageA(window, kFaultProbeMessage, 0, 0) != FALSE;
        }
        return std::nullopt;
    }
    std::optional<LRESULT> OnMessage(UINT message, WPARAM, LPARAM,
                                     const zentra::Grid* grid) override {
        if (message != kFaultProbeMessage || grid == nullptr) return std::nullopt;
        return static_cast<LRESULT>(grid->TextMatrix(grid->Rows(), 0).size());
    }
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    FaultSeam seam;
    return zentra::win32::RunProgram(instance, showCommand, &seam);
}
