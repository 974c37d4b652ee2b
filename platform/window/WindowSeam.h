// A test build's hook into the main window: asked first for every DDE execute and every message
// of the window, inside the same guards, so that a test can make the window fail exactly where
// the system calls it. The shipped program installs none.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

#include "common/display/Grid.h"

namespace zentra::win32 {

class WindowSeam {
  public:
    virtual ~WindowSeam() = default;
    // An answer of the seam's own for the execute; nullopt leaves it to the window.
    virtual std::optional<bool> OnExecute(std::string_view command, HWND window) = 0;
    // A result of the seam's own for the message; nullopt leaves it to the window. `grid` is the
    // window's grid once it exists.
    virtual std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                             const Grid* grid) = 0;
};

}  // namespace zentra::win32
