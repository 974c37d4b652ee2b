// A picture over its parent with one colour left transparent: window class "Zentra.Picture", the
// About panel's OK image and its shadow. It moves, enables, and reports the mouse like a button:
// down, moves while pressed, up, and a click when the left button comes up over it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/controls/OffscreenPaint.h"
#include "platform/controls/WindowBase.h"

namespace zentra::win32 {

struct PictureControlArgs {
    HWND parent = nullptr;
    HBITMAP picture = nullptr;  // borrowed; must outlive the control. Its size is the control's.
    COLORREF transparent = RGB(255, 0, 255);
    bool enabled = true;
    // Buttons: 1 left, 2 right, 4 middle. Points in pixels from the picture's top-left corner;
    // moves arrive while a button is held, also from outside the picture.
    std::function<void(int button)> onMouseDown;
    std::function<void(int x, int y)> onMouseMove;
    std::function<void(int button)> onMouseUp;
    std::function<void()> onClick;
    // For screen readers: a picture that acts as a button is one, named, pressed by its default
    // action; any other is a graphic.
    std::string accessibleName;
    bool pressable = false;
};

// Owns its window: destroying the object destroys the window.
class PictureControl final : private WindowBase {
  public:
    static std::unique_ptr<PictureControl> Create(PictureControlArgs args);

    using WindowBase::Hwnd;
    SIZE Size() const { return size_; }
    // The top-left corner in the parent's client pixels.
    POINT Position() const;
    void MoveTo(int x, int y);
    void MoveBy(int dx, int dy);
    void SetEnabled(bool enabled);
    // Shows another picture (borrowed, as the first) and takes its size.
    void SetPicture(HBITMAP picture);

  private:
    explicit PictureControl(PictureControlArgs args) : args_(std::move(args)) {}
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    AccessibleItem AccessibleDescribe(long child) override;
    bool AccessibleDoDefault(long child) override;
    void DrawPicture(HDC hdc) const;
    void ButtonDown(int button);
    void ButtonUp(int button, POINT at);

    PictureControlArgs args_;
    SIZE size_{};
    int buttonsHeld_ = 0;
};

// Paints into `hdc` (set up for `child`'s client area) what lies under `child`: its parent's
// background (WM_PRINTCLIENT) and the siblings below it that draw themselves on WM_PRINTCLIENT,
// bottom first. Transparent controls call it before drawing themselves.
void PaintBeneath(HWND child, HDC hdc);

// The painting messages of a window that shows its parent's picture through it: no background of
// its own, WM_PAINT draws over what lies beneath, WM_PRINTCLIENT draws only itself. The message's
// result, or nothing when `message` is not one of them.
template <typename Draw>
std::optional<LRESULT> PaintOverParent(HWND hwnd, UINT message, WPARAM wParam, Draw draw) {
    if (message != WM_PAINT) return PaintSelf(hwnd, message, wParam, draw);
    PaintOffscreen(hwnd, [&](HDC hdc) {
        PaintBeneath(hwnd, hdc);
        draw(hdc);
    });
    return 0;
}

}  // namespace zentra::win32
