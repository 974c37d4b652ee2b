// Shows the grid with a few lines and the result pane with a rendered result, at the main
// window's proportions; closes after the number of milliseconds given (default: when closed).
#include <windows.h>

#include <cstdlib>

#include "engine/ResultRendering.h"
#include "input/ShowResult.h"
#include "platform/controls/GridControl.h"
#include "platform/controls/ResultPane.h"

namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = HostProc;
    wc.hInstance = instance;
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = "Zentra.GridPaneDemo";
    RegisterClassExA(&wc);
    HWND host = CreateWindowExA(0, wc.lpszClassName, "Grid and result pane",
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 382, 160, nullptr,
                                nullptr, instance, nullptr);
    auto grid = zentra::win32::GridControl::Create({{host, 1, {1, 0, 365, 75}, true}, nullptr});
    zentra::win32::ResultPaneArgs paneArgs;
    paneArgs.parent = host;
    paneArgs.id = 2;
    paneArgs.bounds = {0, 75, 366, 99};
    auto pane = zentra::win32::ResultPane::Create(paneArgs);
    if (!grid || !pane) return 1;

    grid->SetRowHeightMin(270);
    grid->SetTextMatrix(0, 0, "12");
    grid->SetTextMatrix(0, 1, "= 2^2 * 3");
    grid->AddItem("18\t= 2 * 3^2");
    grid->AddItem("360\t= 2^3 * 3^2 * 5");
    grid->AddItem("\t");
    grid->SetColAlignment(1, zentra::kAlignLeftTop);
    grid->SetRow(3);
    grid->SetTopRow(1);
    // Column widths as the display sets them: twelve digits, then the rest beside the scroll bar.
    const int twips = 15;
    const bool scrollBar = grid->RowHeight(0) * grid->Rows() > grid->Height();
    grid->SetColWidth(0, 1380);
    grid->SetColWidth(
        1, grid->Width() - 1380 - (scrollBar ? GetSystemMetrics(SM_CXVSCROLL) * twips : 0));
    zentra::ShowResult(*pane, "36 = 2^2 * 3^2");

    ShowWindow(host, SW_SHOW);
    grid->SetFocus();
    const int milliseconds = std::atoi(commandLine);
    if (milliseconds > 0) SetTimer(host, 1, static_cast<UINT>(milliseconds), nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == host) DestroyWindow(host);
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
