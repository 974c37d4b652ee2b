// Where the window's panels and the keypad's keys go, in pixels. Pure arithmetic, shared by the
// Win32 host and its native tests.
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

// The three children of the window's client area.
struct WindowPanels {
    LayoutRect display;  // the display panel (grid and linear view)
    LayoutRect result;   // the result pane
    LayoutRect buttons;  // the keypad panel
};

// `keyHeight` is the height of the keypad's keys; the keypad panel leaves room for four rows.
WindowPanels LayOutWindow(int clientWidth, int keyHeight);

// Top-left corners of every key inside the keypad panel, by array and index. Function keys share
// the places of the operator keys (/ * - + .) that the mode hides.
struct KeypadPositions {
    std::array<LayoutPoint, 10> digit{};
    std::array<LayoutPoint, 9> oper{};
    std::array<LayoutPoint, 4> cntrl{};
    std::array<LayoutPoint, 5> func{};
};

KeypadPositions LayOutKeypad(int keyWidth, int keyHeight);

}  // namespace zentra::win32
