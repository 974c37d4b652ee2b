// Where the window's panels and the keypad's keys go, in pixels. Pure arithmetic, shared by the
// Win32 host and its native tests. The layout's numbers are pixels at 96 dots per inch; at any
// other resolution they pass through ScalePixels, and nowhere else.
#pragma once

#include <array>

namespace zentra::win32 {

struct LayoutRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    friend bool operator==(const LayoutRect&, const LayoutRect&) = default;
};

struct LayoutPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const LayoutPoint&, const LayoutPoint&) = default;
};

inline constexpr int kDesignDpi = 96;

// `pixels` at 96 dpi as whole pixels at `dpi`: rounded to the nearest, halves away from zero, so
// that a move and its way back are the same distance.
int ScalePixels(int pixels, int dpi);

// The three children of the window's client area.
struct WindowPanels {
    LayoutRect display;  // the display panel (grid and linear view)
    LayoutRect result;   // the result pane
    LayoutRect buttons;  // the keypad panel
};

// `clientWidth` and `keyHeight` (the keys' height) are pixels at `dpi`; the keypad panel leaves
// room for four rows.
WindowPanels LayOutWindow(int clientWidth, int keyHeight, int dpi = kDesignDpi);

// Top-left corners of every key inside the keypad panel, by array and index. Function keys share
// the places of the operator keys (/ * - + .) that the mode hides.
struct KeypadPositions {
    std::array<LayoutPoint, 10> digit{};
    std::array<LayoutPoint, 9> oper{};
    std::array<LayoutPoint, 4> cntrl{};
    std::array<LayoutPoint, 5> func{};
};

// `keyWidth` and `keyHeight` are the stored key size at 96 dpi: each place is laid out there and
// scaled once, so that every key lies within half a pixel of its place at 96 dpi times dpi/96.
KeypadPositions LayOutKeypad(int keyWidth, int keyHeight, int dpi = kDesignDpi);

// The About panel's parts in the display panel: the label, and the OK image in the top right
// corner of a panel `panelWidth` wide (outer pixels at `dpi`) with its shadow down and right of it.
struct AboutPlaces {
    LayoutPoint label;
    LayoutPoint ok;
    LayoutPoint shadow;
};
AboutPlaces LayOutAbout(int panelWidth, int okWidth, int dpi = kDesignDpi);

}  // namespace zentra::win32
