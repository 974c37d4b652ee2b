#include "window/ModeSwitch.h"

namespace zentra {
namespace {

constexpr int kFirstExpressionKey = 5;  // "^", "!", "(", ")" follow
constexpr int kSharedPlaces = 5;        // operator keys 0-4 share their places with the functions

}  // namespace

DisplayMode ModeSwitch::Mode() const {
    return menus_.Item(MenuItem::ViewModeLinear).Checked() ? DisplayMode::Linear
                                                           : DisplayMode::Tabular;
}

void ModeSwitch::SwitchTo(DisplayMode mode, bool animate) {
    const MenuItem item =
        mode == DisplayMode::Linear ? MenuItem::ViewModeLinear : MenuItem::ViewModeTabular;
    if (menus_.Item(item).Checked()) return;
    menus_.Item(MenuItem::ViewModeTabular).SetChecked(mode == DisplayMode::Tabular);
    menus_.Item(MenuItem::ViewModeLinear).SetChecked(mode == DisplayMode::Linear);
    ShowKeysOf(mode);
    if (animate) {
        slide_.SwitchTo(ViewOf(mode));
    } else {
        slide_.SetActive(ViewOf(mode));
    }
}

void ModeSwitch::ShowKeysOf(DisplayMode mode) {
    const bool linear = mode == DisplayMode::Linear;
    for (int i = kFirstExpressionKey; i < KeyCount(KeyArray::Oper); ++i) {
        keys_.Key(KeyArray::Oper, i).SetEnabled(linear);
    }
    for (int i = 0; i < kSharedPlaces; ++i) {
        keys_.Key(KeyArray::Oper, i).SetVisible(linear);
        keys_.Key(KeyArray::Func, i).SetVisible(!linear);
    }
    KeyPort& enter = keys_.Key(KeyArray::Cntrl, kEnter);
    if (linear) {
        enter.SetCaption("=");
        enter.SetFontName("Arial Black");
        enter.SetForeColor(keys_.Key(KeyArray::Func, 0).ForeColor());
    } else {
        enter.SetCaption("Enter");
        enter.SetFontName("Arial");
        enter.SetForeColor(keys_.Key(KeyArray::Cntrl, kClear).ForeColor());
    }
}

}  // namespace zentra
