// Small Win32 services every window of ours needs: the shift state of the mouse and the keyboard,
// the screen's resolution, WM_GETTEXT answers and reads.
// Shift bits: https://learn.microsoft.com/windows/win32/inputdev/wm-lbuttondown
#pragma once

#include <windows.h>

#include <string>

namespace zentra::win32 {

// Bits of a shift state: 1 Shift, 2 Ctrl, 4 Alt.
enum ShiftBit : int { kShiftBit = 1, kCtrlBit = 2, kAltBit = 4 };

// The shift state that came with a mouse message (its MK_* bits) plus the Alt key.
int MouseShiftState(WPARAM keys);
// The shift state of the keyboard now.
int KeyboardShiftState();

// The screen's resolution in dots per inch, asked once per program: each question is a round
// trip to the window system under Wine.
struct ScreenDpi {
    int x;
    int y;
};
const ScreenDpi& ScreenResolution();
// The resolution of the screen `window` is on (GetDpiForWindow where the system has it), else
// the screen's resolution.
int WindowDpi(HWND window);

// Twips (1/1440 inch) per pixel at `dotsPerInch`; 15 (96 dpi) when the resolution is unknown.
int TwipsPerPixel(int dotsPerInch);
// A device context for measuring text and probing fonts as the screen shows them; shared, never
// released. Whoever selects a font into it selects the old one back.
HDC MeasuringDc();

// Answers WM_GETTEXT with `text`: at most `size` - 1 characters and a NUL into `buffer`.
LRESULT AnswerGetText(const std::string& text, WPARAM size, LPARAM buffer);
// The whole text of a window.
std::string WindowText(HWND hwnd);

}  // namespace zentra::win32
