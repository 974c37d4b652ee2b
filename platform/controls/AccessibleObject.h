// The accessibility object every window of ours hands out for WM_GETOBJECT (OBJID_CLIENT): one
// IAccessible that asks the window's object for its items and child windows on every call.
// https://learn.microsoft.com/windows/win32/winauto/microsoft-active-accessibility
#pragma once

#include <windows.h>

#include <string>

namespace zentra::win32 {

// One element as a screen reader sees it: the window itself (child 0) or one of its items.
struct AccessibleItem {
    std::string name;  // UTF-8
    std::string value;
    std::string description;
    std::string shortcut;
    std::string defaultAction;
    long role = 0;   // ROLE_SYSTEM_*
    long state = 0;  // STATE_SYSTEM_* besides unavailable and invisible, which the window adds
    RECT bounds{};   // client pixels; the window's client rectangle for child 0
};

// What the window's object answers; the object is looked up by its window on every call, so an
// object that outlives its window answers that it is gone.
class AccessibleSource {
  public:
    // The window's own items (child ids 1 to the count); its child windows follow them.
    virtual long AccessibleItemCount() { return 0; }
    virtual AccessibleItem AccessibleDescribe(long child) = 0;
    // Presses or otherwise acts on the element; false when it has no default action now.
    virtual bool AccessibleDoDefault(long /*child*/) { return false; }
    // The item that holds the focus while the window does (0: the window itself).
    virtual long AccessibleFocusedItem() { return 0; }
    // An item with parts (a table's row and its cells) is an object of its own whose children are
    // the parts, ids 1 to this count; 0 makes it a simple element.
    virtual long AccessiblePartCount(long /*item*/) { return 0; }
    virtual AccessibleItem AccessibleDescribePart(long /*item*/, long /*part*/) { return {}; }
    // The part of the focused item that holds the focus.
    virtual long AccessibleFocusedPart() { return 0; }

  protected:
    ~AccessibleSource() = default;
};

// The answer to WM_GETOBJECT with OBJID_CLIENT for `hwnd` (0 for anything else).
LRESULT AnswerAccessibleObject(HWND hwnd, WPARAM wParam, LPARAM lParam);

// Tells screen readers about a change of `hwnd`'s client area (child 0) or one of its items.
void NotifyAccessible(DWORD event, HWND hwnd, long child);

// The child id that names a part of an item in events: negative, as events' ids of elements below
// the window's own children are, and resolved by the window's object (AccessibleObjectFromEvent
// gives it with this id).
long PartEventId(long item, long part);

// Posts a left button's press and release at the middle of `rect` (client pixels): a default
// action clicks exactly as the mouse does, after the call that asked for it has returned.
void PostClick(HWND hwnd, const RECT& rect);

// Whether the user asked for high contrast. Wine keeps the setting in the registry but answers
// SPI_GETHIGHCONTRAST with "off", so the user's registry value is read as well. Cached until
// RefreshHighContrast.
bool HighContrast();
void RefreshHighContrast();

}  // namespace zentra::win32
