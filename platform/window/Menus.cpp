// Menu item state: https://learn.microsoft.com/windows/win32/menurc/using-menus
#include "platform/window/Menus.h"

#include "platform/window/ResourceIds.h"

namespace zentra::win32 {
namespace {

struct CommandOfItem {
    MenuItem item;
    int commandId;
};

constexpr CommandOfItem kCommands[] = {
    {MenuItem::ActionsCalculator, IDM_ACTIONS_CALCULATOR},
    {MenuItem::ActionsFactorization, IDM_ACTIONS_FACTORIZATION},
    {MenuItem::ActionsLcm, IDM_ACTIONS_LCM},
    {MenuItem::ActionsGcd, IDM_ACTIONS_GCD},
    {MenuItem::ActionsCancellation, IDM_ACTIONS_CANCELLATION},
    {MenuItem::ActionsExit, IDM_ACTIONS_EXIT},
    {MenuItem::EditUndo, IDM_EDIT_UNDO},
    {MenuItem::EditCopy, IDM_EDIT_COPY},
    {MenuItem::EditPaste, IDM_EDIT_PASTE},
    {MenuItem::EditDelete, IDM_EDIT_DELETE},
    {MenuItem::EditClear, IDM_EDIT_CLEAR},
    {MenuItem::ViewModeTabular, IDM_VIEW_TABULAR},
    {MenuItem::ViewModeLinear, IDM_VIEW_LINEAR},
    {MenuItem::HelpTopics, IDM_HELP_TOPICS},
    {MenuItem::HelpWeb, IDM_HELP_WEB},
    {MenuItem::HelpMail, IDM_HELP_MAIL},
    {MenuItem::HelpAbout, IDM_HELP_ABOUT},
    {MenuItem::PopupWhat, IDM_POPUP_WHAT},
};

// Positions of the drop-down menus on the bar.
constexpr int kActionsPosition = 0;
constexpr int kEditPosition = 1;
constexpr int kModePosition = 2;
constexpr const char* kModeCaption = "&Mode";

// The drop-down menu of the bar that holds a command.
HMENU SubmenuOf(HMENU bar, UINT commandId) {
    for (int position = 0; position < GetMenuItemCount(bar); ++position) {
        HMENU submenu = GetSubMenu(bar, position);
        if (submenu != nullptr && GetMenuState(submenu, commandId, MF_BYCOMMAND) != 0xFFFFFFFFu) {
            return submenu;
        }
    }
    return bar;
}

}  // namespace

Menus::Menus(HWND window, HMENU bar, HMENU popup)
    : window_(window), bar_(bar), mode_(GetSubMenu(bar, kModePosition)) {
    for (const CommandOfItem& command : kCommands) {
        // Each item lives in its drop-down menu, which keeps it while off the bar.
        HMENU menu = command.item == MenuItem::PopupWhat
                         ? popup
                         : SubmenuOf(bar, static_cast<UINT>(command.commandId));
        items_[static_cast<std::size_t>(command.item)] =
            Entry(menu, static_cast<UINT>(command.commandId));
    }
}

std::optional<MenuItem> Menus::FromCommand(int commandId) {
    for (const CommandOfItem& command : kCommands) {
        if (command.commandId == commandId) return command.item;
    }
    return std::nullopt;
}

void Menus::ShowModeMenu(bool shown) {
    if (shown == modeShown_ || mode_ == nullptr) return;
    modeShown_ = shown;
    if (shown) {
        InsertMenuA(bar_, kModePosition, MF_BYPOSITION | MF_POPUP,
                    reinterpret_cast<UINT_PTR>(mode_), kModeCaption);
    } else {
        // Removed, not destroyed: the Mode menu and its check marks live on.
        RemoveMenu(bar_, kModePosition, MF_BYPOSITION);
    }
    // The bar keeps the places of its items until it is drawn again: without this the removed
    // menu leaves a gap that opens nothing.
    DrawMenuBar(window_);
}

void Menus::EnableDropDowns(bool enabled) {
    const int last = modeShown_ ? kModePosition : kEditPosition;
    for (int position = kActionsPosition; position <= last; ++position) {
        EnableMenuItem(bar_, static_cast<UINT>(position),
                       MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    }
    DrawMenuBar(window_);
}

std::optional<Menu> Menus::FromSubmenu(HMENU submenu) const {
    if (submenu == nullptr) return std::nullopt;
    if (submenu == GetSubMenu(bar_, kActionsPosition)) return Menu::Actions;
    if (submenu == GetSubMenu(bar_, kEditPosition)) return Menu::Edit;
    return std::nullopt;
}

bool Menus::Entry::Enabled() const {
    if (menu_ == nullptr) return enabled_;
    return (GetMenuState(menu_, id_, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

void Menus::Entry::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (menu_ != nullptr)
        EnableMenuItem(menu_, id_, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool Menus::Entry::Checked() const {
    if (menu_ == nullptr) return checked_;
    return (GetMenuState(menu_, id_, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void Menus::Entry::SetChecked(bool checked) {
    checked_ = checked;
    if (menu_ != nullptr)
        CheckMenuItem(menu_, id_, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace zentra::win32
