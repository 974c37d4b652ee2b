// Menu item state: https://learn.microsoft.com/windows/win32/menurc/using-menus
#include "window/win32/Menus.h"

#include "window/win32/ResourceIds.h"

namespace zentra {
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
    {MenuItem::HelpTopics, IDM_HELP_TOPICS},
    {MenuItem::HelpWeb, IDM_HELP_WEB},
    {MenuItem::HelpMail, IDM_HELP_MAIL},
    {MenuItem::HelpAbout, IDM_HELP_ABOUT},
    {MenuItem::PopupWhat, IDM_POPUP_WHAT},
};

// Positions of the drop-down menus on the bar.
constexpr int kActionsPosition = 0;
constexpr int kEditPosition = 1;

}  // namespace

Menus::Menus(HMENU bar, HMENU popup) : bar_(bar) {
    for (const CommandOfItem& command : kCommands) {
        HMENU menu = command.item == MenuItem::PopupWhat ? popup : bar;
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

}  // namespace zentra
