// A plain child panel ("Zentra.Panel") that holds other controls: the display panel and the
// keypad panel. It paints the button face (or its background picture at its top-left corner),
// reports its size changes and passes the focus on.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/controls/WindowBase.h"

namespace zentra::win32 {

class Panel final : private WindowBase {
  public:
    struct Args {
        HWND parent = nullptr;
        DWORD style = 0;    // added to WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN
        DWORD exStyle = 0;  // e.g. WS_EX_CLIENTEDGE for a sunken frame
        std::function<void()> onResize;
        std::function<void()> onFocus;
    };

    bool Create(const Args& args);
    using WindowBase::Hwnd;
    // The size inside the panel's frame, in pixels.
    SIZE ClientSize() const;
    // `picture` is borrowed and must outlive the panel's window (nullptr: the button face only).
    void SetBackground(HBITMAP picture);

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PaintBackground(HDC hdc) const;

    HBITMAP background_ = nullptr;
    std::function<void()> onResize_;
    std::function<void()> onFocus_;
};

}  // namespace zentra::win32
