// Shows the stored keypad in tabular mode (operator keys 0-4 hidden, 5-8 disabled) with key "5"
// held down, for a screenshot. Closes after the number of seconds given as its argument (10).
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/controls/CommandButtonWindow.h"
#include "resources/design/KeypadDesignBytes.h"

namespace {

LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) DestroyWindow(hwnd);
    if (message == WM_DESTROY && GetParent(hwnd) == nullptr) PostQuitMessage(0);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const int seconds = commandLine[0] != '\0' ? std::atoi(commandLine) : 10;
    WNDCLASSA wc{};
    wc.lpfnWndProc = PanelProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "ZentraKeypadDemo";
    RegisterClassA(&wc);
    // The keypad panel (364 x 127 pixels in the designed window) with a margin around it.
    HWND frame = CreateWindowExA(0, wc.lpszClassName, "Keypad", WS_POPUP | WS_VISIBLE, 0, 0, 380,
                                 143, nullptr, nullptr, instance, nullptr);
    HWND panel = CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD | WS_VISIBLE, 8, 8, 364, 127,
                                 frame, nullptr, instance, nullptr);

    const auto design = zentra::LoadKeypadDesign(zentra::KeypadDesignBytes());
    std::vector<std::unique_ptr<zentra::win32::CommandButtonWindow>> keys;
    int id = 1000;
    for (const zentra::KeyDesign& key : design) {
        zentra::win32::CommandButtonArgs args = zentra::win32::ArgsFromDesign(key, panel, id++);
        args.visible = !(key.array == "bbOper" && key.index <= 4);
        auto button = zentra::win32::CommandButtonWindow::Create(args);
        if (!button) return 1;
        if (key.array == "bbOper" && key.index >= 5) button->SetEnabled(false);
        if (key.array == "bbDigit" && key.index == 5) {
            SendMessageA(button->Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        }
        keys.push_back(std::move(button));
    }
    SetTimer(frame, 1, static_cast<UINT>(seconds) * 1000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    keys.clear();
    return 0;
}
