#include "window/WindowLayout.h"

namespace zentra::win32 {
namespace {

constexpr int kDisplayHeight = 75;
constexpr int kResultHeight = 24;
constexpr int kKeypadGapAbove = 7;
constexpr int kKeypadSpareHeight = 15;
constexpr int kKeyGap = 5;
constexpr int kKeypadLeft = 5;
constexpr int kPanelInset = 1;
constexpr int kAboutLabelMargin = 10;
constexpr int kOkRight = 8;
constexpr int kOkTop = 2;
constexpr int kShadowOffset = 3;

}  // namespace

int ScalePixels(int pixels, int dpi) {
    const long long scaled = static_cast<long long>(pixels) * dpi;
    const long long half = kDesignDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kDesignDpi
                                        : -((-scaled + half) / kDesignDpi));
}

WindowPanels LayOutWindow(int clientWidth, int keyHeight, int dpi) {
    const auto px = [dpi](int pixels) { return ScalePixels(pixels, dpi); };
    WindowPanels panels;
    panels.display = {px(kPanelInset), 0, clientWidth - px(2 * kPanelInset), px(kDisplayHeight)};
    panels.result = {0, panels.display.Bottom(), clientWidth, px(kResultHeight)};
    panels.buttons = {panels.display.left, panels.result.Bottom() + px(kKeypadGapAbove),
                      panels.display.width, 4 * keyHeight + px(kKeypadSpareHeight)};
    return panels;
}

namespace {

KeypadPositions LayOutKeypadAt96(int keyWidth, int keyHeight) {
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

}  // namespace

KeypadPositions LayOutKeypad(int keyWidth, int keyHeight, int dpi) {
    KeypadPositions keys = LayOutKeypadAt96(keyWidth, keyHeight);
    const auto scale = [dpi](auto& points) {
        for (LayoutPoint& point : points) {
            point = {ScalePixels(point.x, dpi), ScalePixels(point.y, dpi)};
        }
    };
    scale(keys.digit);
    scale(keys.oper);
    scale(keys.cntrl);
    scale(keys.func);
    return keys;
}

AboutPlaces LayOutAbout(int panelWidth, int okWidth, int dpi) {
    const auto px = [dpi](int pixels) { return ScalePixels(pixels, dpi); };
    AboutPlaces places;
    places.label = {px(kAboutLabelMargin), px(kAboutLabelMargin)};
    places.ok = {panelWidth - okWidth - px(kOkRight), px(kOkTop)};
    places.shadow = {places.ok.x + px(kShadowOffset), places.ok.y + px(kShadowOffset)};
    return places;
}

}  // namespace zentra::win32
