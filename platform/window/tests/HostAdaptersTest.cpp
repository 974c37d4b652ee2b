// The host's adapters against real Win32 objects: the program's own menu resources and the
// keyboard table behind their shortcut captions, the keypad built from the stored design, and the
// clipboard.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/window/Clipboard.h"
#include "platform/window/Keypad.h"
#include "platform/window/Menus.h"
#include "platform/window/Panel.h"
#include "platform/window/RegistrySettings.h"
#include "platform/window/ResourceIds.h"
#include "resources/design/KeypadDesignBytes.h"
#include "window/Commands.h"

namespace zentra::win32 {
namespace {

HWND CreateTestWindow() {
    static ATOM atom = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "Zentra.HostAdaptersTest";
        return RegisterClassExA(&wc);
    }();
    return CreateWindowExA(0, MAKEINTATOM(atom), "host adapters", WS_OVERLAPPEDWINDOW, 0, 0, 400,
                           300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

BOOL CALLBACK CollectChild(HWND child, LPARAM found) {
    reinterpret_cast<std::set<HWND>*>(found)->insert(child);
    return TRUE;
}

std::string ItemText(HMENU menu, UINT id) {
    char text[128] = {};
    GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

class MenuResources : public ::testing::Test {
  protected:
    void SetUp() override {
        bar_ = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINMENU));
        popups_ = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_POPUPMENU));
        ASSERT_NE(bar_, nullptr);
        ASSERT_NE(popups_, nullptr);
    }
    void TearDown() override {
        DestroyMenu(bar_);
        DestroyMenu(popups_);
    }
    HMENU bar_ = nullptr;
    HMENU popups_ = nullptr;
};

TEST_F(MenuResources, CaptionsAndShortcutsOfEveryItem) {
    struct Row {
        MenuItem item;
        const char* text;
    };
    const Row rows[] = {
        {MenuItem::ActionsCalculator, "&Calculator\tF2"},
        {MenuItem::ActionsFactorization, "&Factorization"},
        {MenuItem::ActionsLcm, "&Least Common Multiple\tCtrl+L"},
        {MenuItem::ActionsGcd, "&Greatest Common Divisor\tCtrl+G"},
        {MenuItem::ActionsCancellation, "Ca&ncellation"},
        {MenuItem::ActionsExit, "E&xit\tCtrl+F4"},
        {MenuItem::EditUndo, "&Undo\tCtrl+Z"},
        {MenuItem::EditCopy, "&Copy\tCtrl+C"},
        {MenuItem::EditPaste, "&Paste\tCtrl+V"},
        {MenuItem::EditDelete, "&Delete\tDel"},
        {MenuItem::EditClear, "Clear &All\tCtrl+N"},
        {MenuItem::HelpTopics, "&Help Topics..."},
        {MenuItem::HelpWeb, "Visit the Web&page..."},
        {MenuItem::HelpMail, "Send &Bug Report..."},
        {MenuItem::HelpAbout, "&About..."},
        {MenuItem::ViewModeTabular, "&Tabular"},
        {MenuItem::ViewModeLinear, "&Linear"},
    };
    Menus menus(nullptr, bar_, GetSubMenu(popups_, 0));  // no window: nothing to redraw
    for (const Row& row : rows) {
        bool found = false;
        for (int id = IDM_ACTIONS_CALCULATOR; id <= IDM_VIEW_LINEAR; ++id) {
            if (Menus::FromCommand(id) != row.item) continue;
            EXPECT_EQ(ItemText(bar_, static_cast<UINT>(id)), row.text);
            found = true;
        }
        EXPECT_TRUE(found) << row.text;
    }
    char text[64] = {};
    GetMenuStringA(bar_, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Actions");
    GetMenuStringA(bar_, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Edit");
    GetMenuStringA(bar_, 2, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Mode");
    GetMenuStringA(bar_, 3, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Help");
    EXPECT_EQ(GetMenuItemCount(bar_), 4);
    // Without "/E" the Mode menu leaves the bar; its check marks stay readable.
    menus.Item(MenuItem::ViewModeLinear).SetChecked(true);
    menus.ShowModeMenu(false);
    EXPECT_EQ(GetMenuItemCount(bar_), 3);
    EXPECT_TRUE(menus.Item(MenuItem::ViewModeLinear).Checked());
    EXPECT_FALSE(menus.Item(MenuItem::ViewModeTabular).Checked());
    menus.ShowModeMenu(true);
    EXPECT_EQ(GetMenuItemCount(bar_), 4);
    GetMenuStringA(bar_, 2, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Mode");
    EXPECT_EQ(ItemText(popups_, IDM_POPUP_WHAT), "&What's This?");
}

TEST_F(MenuResources, ItemsFollowTheLogicAndItemsOffTheBarKeepTheirState) {
    Menus menus(nullptr, bar_, GetSubMenu(popups_, 0));  // no window: nothing to redraw
    MenuItemPort& lcm = menus.Item(MenuItem::ActionsLcm);
    lcm.SetEnabled(false);
    EXPECT_FALSE(lcm.Enabled());
    EXPECT_NE(GetMenuState(bar_, IDM_ACTIONS_LCM, MF_BYCOMMAND) & MF_GRAYED, 0u);
    lcm.SetEnabled(true);
    EXPECT_TRUE(lcm.Enabled());

    MenuItemPort& tabular = menus.Item(MenuItem::ViewModeTabular);
    tabular.SetChecked(true);
    EXPECT_TRUE(tabular.Checked());
    EXPECT_FALSE(menus.Item(MenuItem::ViewModeLinear).Checked());

    EXPECT_EQ(menus.FromSubmenu(GetSubMenu(bar_, 0)), Menu::Actions);
    EXPECT_EQ(menus.FromSubmenu(GetSubMenu(bar_, 1)), Menu::Edit);
    EXPECT_EQ(menus.FromSubmenu(GetSubMenu(popups_, 0)), std::nullopt);
    EXPECT_EQ(Menus::FromCommand(0), std::nullopt);
}

// The key a menu caption names after its tab ("Ctrl+L", "F2", "Del"), as a keyboard-table key.
std::pair<int, int> NamedKey(std::string name) {
    int shift = 0;
    if (name.rfind("Ctrl+", 0) == 0) {
        shift = kCtrlDown;
        name.erase(0, 5);
    }
    if (name == "Del") return {VK_DELETE, shift};
    if (name.size() >= 2 && name[0] == 'F') return {VK_F1 + std::stoi(name.substr(1)) - 1, shift};
    return {name.size() == 1 ? name[0] : 0, shift};
}

TEST_F(MenuResources, EveryShortcutInACaptionRunsTheItemsCommand) {
    int named = 0;
    for (const MenuBinding& binding : MenuBindings()) {
        for (int id = IDM_ACTIONS_CALCULATOR; id <= IDM_VIEW_LINEAR; ++id) {
            if (Menus::FromCommand(id) != binding.item) continue;
            const std::string text = ItemText(bar_, static_cast<UINT>(id));
            const auto tab = text.find('\t');
            if (tab == std::string::npos) continue;
            SCOPED_TRACE(text);
            const auto [key, shift] = NamedKey(text.substr(tab + 1));
            bool found = false;
            for (const Shortcut& shortcut : Shortcuts()) {
                if (shortcut.key == key && shortcut.shift == shift) {
                    EXPECT_EQ(shortcut.command, binding.command);
                    EXPECT_FALSE(shortcut.press);
                    found = true;
                    break;
                }
            }
            EXPECT_TRUE(found);
            ++named;
        }
    }
    EXPECT_EQ(named, 9);
}

TEST(KeypadAdapter, BuildsAllKeysFromTheDesignAndLaysThemOut) {
    HWND window = CreateTestWindow();
    ASSERT_NE(window, nullptr);
    Keypad keypad;
    std::vector<std::pair<KeyArray, int>> clicks;
    Keypad::Events events;
    events.onClick = [&](KeyArray array, int index) { clicks.emplace_back(array, index); };
    ASSERT_TRUE(keypad.Create(window, LoadKeypadDesign(KeypadDesignBytes()), events));
    keypad.LayOut();
    EXPECT_EQ(keypad.KeyHeight(), 28);

    struct Row {
        KeyArray array;
        int index;
        const char* caption;
        POINT at;
    };
    const Row rows[] = {
        {KeyArray::Cntrl, 0, "Clear", {5, 0}}, {KeyArray::Cntrl, 3, "Enter", {128, 0}},
        {KeyArray::Digit, 7, "7", {210, 0}},   {KeyArray::Digit, 9, "9", {292, 0}},
        {KeyArray::Func, 0, "P", {5, 33}},     {KeyArray::Func, 4, "*", {169, 33}},
        {KeyArray::Oper, 0, ".", {169, 33}},   {KeyArray::Digit, 6, "6", {292, 33}},
        {KeyArray::Oper, 5, "^", {5, 66}},     {KeyArray::Digit, 0, "0", {169, 66}},
        {KeyArray::Digit, 3, "3", {292, 66}},
    };
    std::set<HWND> windows;
    EnumChildWindows(window, &CollectChild, reinterpret_cast<LPARAM>(&windows));
    std::size_t keys = 0;
    for (HWND child : windows) {
        KeyArray array{};
        int index = -1;
        if (keypad.Find(child, array, index)) ++keys;
    }
    EXPECT_EQ(keys, 28u);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caption);
        HWND key = nullptr;
        for (HWND child : windows) {
            KeyArray array{};
            int index = -1;
            if (keypad.Find(child, array, index) && array == row.array && index == row.index) {
                key = child;
            }
        }
        ASSERT_NE(key, nullptr);
        RECT rect{};
        GetWindowRect(key, &rect);
        MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, row.at.x);
        EXPECT_EQ(rect.top, row.at.y);
        EXPECT_EQ(rect.right - rect.left, 36);
        EXPECT_EQ(rect.bottom - rect.top, 28);
        char caption[16] = {};
        GetWindowTextA(key, caption, sizeof caption);
        EXPECT_STREQ(caption, row.caption);
    }

    // The logic's view of a key reaches the window; a click reports the key's array and index.
    KeyPort& seven = keypad.Key(KeyArray::Digit, 7);
    seven.SetEnabled(false);
    EXPECT_FALSE(seven.Enabled());
    seven.SetEnabled(true);
    seven.ClickDraw();
    const DWORD deadline = GetTickCount() + 2000;
    while (clicks.empty() && GetTickCount() < deadline) {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], std::make_pair(KeyArray::Digit, 7));
    DestroyWindow(window);
}

TEST(ClipboardAdapter, TextRoundTripsAndRichTextUsesItsOwnFormat) {
    HWND window = CreateTestWindow();
    Clipboard clipboard(window);
    const std::string script = ":c\r\n12\r\n18\n:l";
    clipboard.SetText(script);
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.Text(), script);

    clipboard.SetRtf("{\\rtf1 36}");
    const UINT rtf = RegisterClipboardFormatA("Rich Text Format");
    EXPECT_TRUE(IsClipboardFormatAvailable(rtf));
    // Setting the rich text replaced the plain text.
    EXPECT_FALSE(clipboard.HasText());
    EXPECT_EQ(clipboard.Text(), "");

    clipboard.SetText("");
    EXPECT_EQ(clipboard.Text(), "");
    DestroyWindow(window);
}

// Other programs read the settings through the system: a folder outside the ANSI code page must
// reach it whole, as a REG_SZ of its UTF-16 characters with the terminating NUL.
TEST(RegistryAdapter, TextOutsideTheAnsiCodePageIsStoredWhole) {
    const std::string key = "Software\\Zentra host adapter test";
    const std::string folder =
        "C:\\\u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u044b \u7a0b\u5e8f";
    const std::wstring stored =
        L"C:\\\u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u044b \u7a0b\u5e8f";
    SystemRegistry registry;
    ASSERT_TRUE(RegWriteValue(registry, RegistryRoot::CurrentUser, key, "", folder));
    EXPECT_EQ(RegReadValue(registry, RegistryRoot::CurrentUser, key, ""), folder);

    HKEY handle = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Zentra host adapter test", 0, KEY_READ,
                            &handle),
              ERROR_SUCCESS);
    std::wstring data(64, L'x');
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    EXPECT_EQ(
        RegQueryValueExW(handle, L"", nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size),
        ERROR_SUCCESS);
    RegCloseKey(handle);
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Zentra host adapter test");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    data.resize(size / sizeof(wchar_t));
    EXPECT_EQ(data, stored + L'\0');
}

}  // namespace
}  // namespace zentra::win32
