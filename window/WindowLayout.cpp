#include "window/WindowLayout.h"

namespace zentra::win32 {
namespace {

constexpr int kDisplayHeight = 75;
constexpr int kResultHeight = 24;
constexpr int kKeypadGapAbove = 7;
constexpr int kKeypadSpareHeight = 15;
constexpr int kKeyGap = 5;
constexpr int kKeypadLeft = 5;

}  // namespace

WindowPanels LayOutWindow(int clientWidth, int keyHeight) {
    WindowPanels panels;
    panels.display = {1, 0, clientWidth - 2, kDisplayHeight};
    panels.result = {0, panels.display.Bottom(), clientWidth, kResultHeight};
    panels.buttons = {panels.display.left, panels.result.Bottom() + kKeypadGapAbove,
                      panels.display.width, 4 * keyHeight + kKeypadSpareHeight};
    return panels;
}

KeypadPositions LayOutKeypad(int keyWidth, int keyHeight) {
    // Each key is placed relative to one placed before it, in the keypad's historical order.
    const auto rightOf = [&](LayoutPoint key) { return key.x + keyWidth + kKeyGap; };
    const auto below = [&](LayoutPoint key) { return key.y + keyHeight + kKeyGap; };
    KeypadPositions keys;
    auto& cntrl = keys.cntrl;
    auto& oper = keys.oper;
    auto& digit = keys.digit;

    cntrl[0] = {kKeypadLeft, 0};
    for (int i = 1; i < 4; ++i) cntrl[i] = {rightOf(cntrl[i - 1]), cntrl[0].y};

    oper[1] = {cntrl[0].x, below(cntrl[0])};
    oper[2] = {rightOf(oper[1]), oper[1].y};
    oper[3] = {rightOf(oper[2]), oper[1].y};
    oper[4] = {rightOf(oper[3]), oper[1].y};
    oper[0] = {rightOf(oper[4]), oper[1].y};

    oper[5] = {oper[1].x, below(oper[1])};
    for (int i = 6; i <= 8; ++i) oper[i] = {rightOf(oper[i - 1]), oper[5].y};

    digit[0] = {oper[0].x, oper[5].y};
    digit[7] = {rightOf(digit[0]), cntrl[0].y};
    digit[4] = {digit[7].x, below(digit[7])};
    digit[1] = {digit[4].x, digit[4].y + keyHeight + kKeyGap};
    digit[8] = {rightOf(digit[7]), digit[7].y};
    digit[9] = {rightOf(digit[8]), digit[8].y};
    digit[5] = {digit[8].x, digit[4].y};
    digit[6] = {digit[9].x, digit[5].y};
    digit[2] = {digit[5].x, digit[1].y};
    digit[3] = {digit[6].x, digit[2].y};

    for (int i = 0; i < 4; ++i) keys.func[i] = oper[i + 1];
    keys.func[4] = oper[0];
    return keys;
}

}  // namespace zentra::win32
