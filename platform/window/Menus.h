// The window's menu items for the logic: the menu bar's and the context menu's items by their
// command ids. The Mode menu keeps its items while it is off the bar.
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "window/Ports.h"

namespace zentra::win32 {

class Menus final : public MenuPort {
  public:
    // The window and both menus are borrowed and must outlive this object; `bar` is the
    // window's menu bar.
    Menus(HWND window, HMENU bar, HMENU popup);
    // A Mode menu off the bar is not destroyed with the bar.
    ~Menus() override {
        if (!modeShown_ && mode_ != nullptr) DestroyMenu(mode_);
    }
    Menus(const Menus&) = delete;
    Menus& operator=(const Menus&) = delete;

    MenuItemPort& Item(MenuItem item) override { return items_[static_cast<std::size_t>(item)]; }
    void ShowModeMenu(bool shown) override;
    // The drop-down menus that a slide disables: Actions, Edit and Mode.
    void EnableDropDowns(bool enabled);
    // The item a WM_COMMAND id stands for.
    static std::optional<MenuItem> FromCommand(int commandId);
    // The drop-down menu whose opening applies an enabling rule.
    std::optional<Menu> FromSubmenu(HMENU submenu) const;

  private:
    class Entry final : public MenuItemPort {
      public:
        Entry() = default;
        Entry(HMENU menu, UINT commandId) : menu_(menu), id_(commandId) {}
        bool Enabled() const override;
        void SetEnabled(bool enabled) override;
        bool Checked() const override;
        void SetChecked(bool checked) override;

      private:
        HMENU menu_ = nullptr;  // nullptr: the item is not shown; the state lives here
        UINT id_ = 0;
        bool enabled_ = true;
        bool checked_ = false;
    };

    HWND window_;
    HMENU bar_;
    HMENU mode_;
    bool modeShown_ = true;
    std::array<Entry, kMenuItemCount> items_;
};

}  // namespace zentra::win32
