// The switch between the tabular and the linear mode: the check marks of the Mode menu (which are
// the mode), the keys each mode offers, the Enter key's face, and the slide that swaps the views.
#pragma once

#include "window/Ports.h"
#include "window/Settings.h"
#include "window/Slide.h"

namespace zentra {

inline constexpr DisplayView ViewOf(DisplayMode mode) {
    return mode == DisplayMode::Linear ? DisplayView::Linear : DisplayView::Grid;
}

class ModeSwitch {
  public:
    // All borrowed.
    ModeSwitch(MenuPort& menus, KeypadPort& keys, Slide& slide)
        : menus_(menus), keys_(keys), slide_(slide) {}

    // The mode is whichever Mode item carries the check mark.
    DisplayMode Mode() const;
    // Switches to `mode` unless it is checked already. `animate`: the old view slides out and
    // the new one in (a user's switch); otherwise the new view is simply the active one
    // (start-up).
    void SwitchTo(DisplayMode mode, bool animate);

  private:
    void ShowKeysOf(DisplayMode mode);

    MenuPort& menus_;
    KeypadPort& keys_;
    Slide& slide_;
};

}  // namespace zentra
