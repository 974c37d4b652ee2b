// The one skeleton of every window of ours: class registration, creation with its arguments, the
// binding of the object to its window, the guard around every message, unbinding, and what every
// window decodes alike (mouse buttons, rectangles).
// Binding: https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-setwindowlongptra,
// subclassing: https://learn.microsoft.com/windows/win32/winmsg/about-window-procedures
#pragma once

#include <windows.h>

#include <optional>

#include "platform/controls/AccessibleObject.h"
#include "platform/controls/EntryGuard.h"

namespace zentra::win32 {

// A window class of this module; every one runs WindowBase's procedure.
struct WindowClass {
    const char* name = nullptr;
    UINT style = 0;
    LPCSTR cursor = IDC_ARROW;
    HBRUSH background = nullptr;
    HICON icon = nullptr;
};

// Where a child window goes: its parent, control id and bounds (in the parent's client pixels),
// and whether a sunken 3-D edge frames it.
struct ChildPlace {
    HWND parent = nullptr;
    int id = 0;
    RECT bounds{};
    bool border = false;
};

// What CreateWindowEx takes besides the class. Position and size in the parent's client pixels.
struct WindowCreation {
    HWND parent = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    POINT at{};
    SIZE size{};
    HMENU menu = nullptr;  // a top-level window's menu bar, or a child's control id

    static WindowCreation Child(const ChildPlace& place);
};

// The object behind a window. It is bound at WM_NCCREATE, before any other message needs it, and
// unbound at WM_NCDESTROY or when the object goes first (which then destroys the window). Every
// message in between runs the derived class's HandleMessage under GuardEntry; a message whose
// handler failed gets the class's own handling, so that a failed paint is still validated.
//
// Every window answers screen readers through the AccessibleSource it is: by default a container
// named by its window text whose children are its child windows; content windows say more.
class WindowBase : public AccessibleSource {
  public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    // nullptr before creation and once the window is gone.
    HWND Hwnd() const { return hwnd_; }
    // The accessibility answers of a window of ours, or nullptr for any other window.
    static AccessibleSource* AccessibleSourceOf(HWND hwnd);
    AccessibleItem AccessibleDescribe(long child) override;

  protected:
    WindowBase() = default;
    ~WindowBase() { DestroyOwnWindow(); }
    // The window's own client rectangle, as child 0's bounds.
    AccessibleItem DescribeWindow(long role) const;

    // Registers the class once per process, then creates the window bound to this object; false
    // when the system refuses either.
    bool CreateWindowFor(const WindowClass& windowClass, const WindowCreation& creation);
    // Binds a window of a system class (an edit control) made by the caller: its messages reach
    // HandleMessage first, and Default hands them to the control's own procedure.
    bool Subclass(HWND hwnd);
    // Stops routing messages here, then destroys the window. A class whose members must outlive
    // its window calls it first thing in its destructor; the base's destructor does it otherwise.
    void DestroyOwnWindow();
    // What the window's class does with a message.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) const;
    // The object bound to `hwnd`, or nullptr; the caller checks the window's class first.
    static WindowBase* BoundTo(HWND hwnd);
    // WM_DPICHANGED: a top-level window moved to a screen of `dpi` dots per inch. The window takes
    // the rectangle the system suggests; a class that lays itself out adds that after this.
    virtual void OnDpiChanged(int dpi, const RECT& suggested);

  private:
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Bind(HWND hwnd);
    void Unbind();

    HWND hwnd_ = nullptr;
    WNDPROC subclassed_ = nullptr;  // a system control's own procedure
};

// A mouse button message, decoded as every window reports it.
enum class MouseAction { Down, Up, DoubleClick };  // in the order of the button messages
struct MouseButtonEvent {
    MouseAction action;
    int button;  // 1 left, 2 right, 4 middle
    int shift;   // ShiftBit: 1 Shift, 2 Ctrl, 4 Alt
    POINT at;    // client pixels
};
// Nothing for any message but a left, right or middle button's down, up or double-click.
std::optional<MouseButtonEvent> DecodeMouseButton(UINT message, WPARAM wParam, LPARAM lParam);

// The keyboard messages of a control that moves with the arrow keys itself: it asks the dialog
// manager for them, and `onKey(virtualKey)` tells whether it used a key. Nothing for any other
// message or a key it left.
template <typename OnKey>
std::optional<LRESULT> TakeArrowKeys(UINT message, WPARAM wParam, OnKey onKey) {
    if (message == WM_GETDLGCODE) return DLGC_WANTARROWS;
    if (message == WM_KEYDOWN && onKey(wParam)) return 0;
    return std::nullopt;
}

// `window`'s outer rectangle in the client pixels of `other`.
RECT RectIn(HWND window, HWND other);
// The outer size (frame included) and the client size, in pixels.
SIZE OuterSize(HWND window);
SIZE ClientSize(HWND window);

}  // namespace zentra::win32
