// Helpers for the grid and pane tests under Wine: a host window, message pumping, a captured
// client area, and reading a window's text from another process.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zentra::win32::test {

// A visible top-level window to put controls into; DestroyWindow it when done.
HWND CreateHostWindow(int width, int height);

// Dispatches every message already queued for this thread.
void PumpMessages();

// A control's client area drawn through WM_PRINTCLIENT into a 32-bit bitmap.
class Capture {
  public:
    explicit Capture(HWND hwnd);
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF Pixel(int x, int y) const;
    // 0 (black) to 255 (white).
    int Luminance(int x, int y) const;
    // The first / last row in [x0, x1) with a pixel darker than the threshold, or -1; the first
    // one searched from row y0 down to (not including) y1, or to the bottom.
    int TopmostDark(int x0, int x1, int threshold = 128, int y0 = 0, int y1 = -1) const;
    int BottommostDark(int x0, int x1, int threshold = 128) const;
    // The darkest luminance anywhere.
    int DarkestLuminance() const;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// The window's text as another process reads it with WM_GETTEXT (through window_text_probe.exe
// beside the test program). Messages keep being dispatched while the probe runs, since its
// request is answered on this thread.
std::string ReadTextFromOtherProcess(HWND hwnd);

}  // namespace zentra::win32::test
