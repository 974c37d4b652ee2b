#include "platform/controls/WindowBase.h"

#include <oleacc.h>

#include <string>

#include "platform/controls/HostSupport.h"

namespace zentra::win32 {
namespace {

// Registering a class again is harmless.
bool Register(const WindowClass& windowClass, WNDPROC procedure) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, windowClass.name, &existing)) return true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = windowClass.style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = windowClass.icon;
    wc.hIconSm = windowClass.icon;
    wc.hCursor = LoadCursorA(nullptr, windowClass.cursor);
    wc.hbrBackground = windowClass.background;
    wc.lpszClassName = windowClass.name;
    return RegisterClassExA(&wc) != 0;
}

// What the window's class does with a message: DefWindowProc, or a subclassed control's own
// procedure.
LRESULT ClassHandling(WNDPROC subclassed, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (subclassed != nullptr) return CallWindowProcA(subclassed, hwnd, message, wParam, lParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

WindowCreation WindowCreation::Child(const ChildPlace& place) {
    const RECT& bounds = place.bounds;
    WindowCreation creation;
    creation.parent = place.parent;
    creation.exStyle = place.border ? WS_EX_CLIENTEDGE : 0;
    creation.at = {bounds.left, bounds.top};
    creation.size = {bounds.right - bounds.left, bounds.bottom - bounds.top};
    creation.menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id));
    return creation;
}

bool WindowBase::CreateWindowFor(const WindowClass& windowClass, const WindowCreation& creation) {
    if (!Register(windowClass, &WindowBase::Procedure)) return false;
    // The window binds itself at WM_NCCREATE; a creation that fails later unbinds it again.
    return CreateWindowExA(creation.exStyle, windowClass.name, "", creation.style, creation.at.x,
                           creation.at.y, creation.size.cx, creation.size.cy, creation.parent,
                           creation.menu, GetModuleHandleA(nullptr), this) != nullptr;
}

bool WindowBase::Subclass(HWND hwnd) {
    if (hwnd == nullptr) return false;
    Bind(hwnd);
    subclassed_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowBase::Procedure)));
    return true;
}

void WindowBase::DestroyOwnWindow() {
    HWND hwnd = hwnd_;
    if (hwnd == nullptr) return;
    const WNDPROC subclassed = subclassed_;
    Unbind();
    if (!IsWindow(hwnd)) return;
    if (subclassed != nullptr) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclassed));
    }
    DestroyWindow(hwnd);
}

LRESULT WindowBase::Default(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ClassHandling(subclassed_, hwnd_, message, wParam, lParam);
}

WindowBase* WindowBase::BoundTo(HWND hwnd) {
    return reinterpret_cast<WindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

AccessibleSource* WindowBase::AccessibleSourceOf(HWND hwnd) {
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)) != &Procedure) {
        return nullptr;
    }
    return BoundTo(hwnd);
}

AccessibleItem WindowBase::DescribeWindow(long role) const {
    AccessibleItem item;
    const int length = GetWindowTextLengthW(hwnd_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd_, text.data(), length + 1)));
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
    item.name.resize(static_cast<std::size_t>(bytes));
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), item.name.data(),
                        bytes, nullptr, nullptr);
    item.role = role;
    GetClientRect(hwnd_, &item.bounds);
    return item;
}

AccessibleItem WindowBase::AccessibleDescribe(long) {
    return DescribeWindow(ROLE_SYSTEM_CLIENT);
}

void WindowBase::Bind(HWND hwnd) {
    hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void WindowBase::Unbind() {
    if (hwnd_ != nullptr) SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    subclassed_ = nullptr;
}

LRESULT CALLBACK WindowBase::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams)
            ->Bind(hwnd);
    }
    WindowBase* window = BoundTo(hwnd);
    if (window == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    // Kept apart from the object: a handler may destroy the window before it fails.
    const WNDPROC subclassed = window->subclassed_;
    if (message == WM_NCDESTROY) {
        // The window's last message: the object forgets it, the class frees what it holds.
        window->Unbind();
        return ClassHandling(subclassed, hwnd, message, wParam, lParam);
    }
    // A message that every window answers alike is one case here, before the window's own
    // handler: WM_DPICHANGED (lay out at the new resolution) or WM_GETOBJECT (the accessibility
    // object) for every window of the program at once.
    // A system control (the edit box) keeps its own accessibility object.
    if (message == WM_GETOBJECT && subclassed == nullptr) {
        if (const LRESULT object = AnswerAccessibleObject(hwnd, wParam, lParam)) return object;
    }
    // The top-level windows hear of theme changes: every window redraws in the new colours.
    if ((message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE) &&
        (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) == 0) {
        RefreshHighContrast();
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    if (message == WM_DPICHANGED && lParam != 0) {
        return GuardEntry(
            [&] {
                window->OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
                return LRESULT{0};
            },
            [] { return LRESULT{0}; });
    }
    return GuardEntry([&] { return window->HandleMessage(message, wParam, lParam); },
                      [&] { return ClassHandling(subclassed, hwnd, message, wParam, lParam); });
}

void WindowBase::OnDpiChanged(int, const RECT& suggested) {
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<MouseButtonEvent> DecodeMouseButton(UINT message, WPARAM wParam, LPARAM lParam) {
    // The left, right and middle button's down, up and double-click, in this order.
    if (message < WM_LBUTTONDOWN || message > WM_MBUTTONDBLCLK) return std::nullopt;
    const UINT offset = message - WM_LBUTTONDOWN;
    const auto action = static_cast<MouseAction>(offset % 3);
    const int button = 1 << (offset / 3);
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return MouseButtonEvent{action, button, MouseShiftState(wParam), at};
}

RECT RectIn(HWND window, HWND other) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, other, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE OuterSize(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

SIZE ClientSize(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace zentra::win32
