// A stand-in for the outside calculator, for the end-to-end tests only: a window of class
// "SciCalc" titled "Calculator" whose edit field takes Ctrl+V and answers WM_GETTEXT. The tests
// copy it, as calc.exe, beside a copy of Zentra!.exe; it is never built into the program's folder.
#include <windows.h>

namespace {

HWND edit = nullptr;

LRESULT CALLBACK CalcProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            edit =
                CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_RIGHT, 8,
                                8, 200, 24, hwnd, nullptr, GetModuleHandleA(nullptr), nullptr);
            return edit != nullptr ? 0 : -1;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) SetFocus(edit);
            return 0;
        case WM_SETFOCUS:
            SetFocus(edit);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = CalcProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "SciCalc";
    if (RegisterClassExA(&wc) == 0) return 1;
    HWND window = CreateWindowExA(0, "SciCalc", "Calculator", WS_OVERLAPPEDWINDOW, 600, 40, 230, 90,
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, showCommand);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // Ctrl+V pastes wherever the window's focus is, as a calculator's accelerator does.
        if (msg.message == WM_KEYDOWN && msg.wParam == 'V' && GetKeyState(VK_CONTROL) < 0 &&
            msg.hwnd != edit) {
            SendMessageA(edit, WM_PASTE, 0, 0);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
