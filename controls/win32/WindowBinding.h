// The object behind a window of one of our own classes, and the guard around every entry from the
// system: https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-setwindowlongptra
#pragma once

#include <windows.h>

#include <utility>

#include "controls/win32/EntryGuard.h"

namespace zentra::win32 {

// The object travels in CreateWindowEx's lpParam and is stored in GWLP_USERDATA at WM_NCCREATE,
// before any other message needs it; its window handle member is set at the same moment. Returns
// nullptr for messages that arrive before the binding or after the owner cleared it.
template <typename T>
T* BoundWindowObject(HWND hwnd, UINT message, LPARAM lParam, HWND T::*handle) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        created->*handle = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    return reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

// A window procedure's body under GuardEntry; a message whose handler failed gets the default
// handling, so that a failed paint is still validated and does not come back at once.
template <typename Work>
LRESULT GuardWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                        Work&& work) noexcept {
    return GuardEntry(std::forward<Work>(work),
                      [&] { return DefWindowProcA(hwnd, message, wParam, lParam); });
}

}  // namespace zentra::win32
