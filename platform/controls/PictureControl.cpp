// Transparent drawing and mouse capture:
// https://learn.microsoft.com/windows/win32/gdi/wm-printclient,
// https://learn.microsoft.com/windows/win32/api/wingdi/nf-wingdi-transparentblt
#include "platform/controls/PictureControl.h"

#include <oleacc.h>

#include <vector>

namespace zentra::win32 {
namespace {

constexpr const char* kClassName = "Zentra.Picture";

RECT RectInParent(HWND hwnd) {
    return RectIn(hwnd, GetParent(hwnd));
}

}  // namespace

void PaintBeneath(HWND child, HDC hdc) {
    const RECT own = RectInParent(child);
    POINT origin{};
    GetViewportOrgEx(hdc, &origin);
    SetViewportOrgEx(hdc, origin.x - own.left, origin.y - own.top, nullptr);
    SendMessageA(GetParent(child), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc),
                 PRF_CLIENT | PRF_ERASEBKGND);
    // The shown siblings under this one that overlap it, top first.
    std::vector<HWND> below;
    for (HWND sibling = GetWindow(child, GW_HWNDNEXT); sibling != nullptr;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        RECT overlap{};
        const RECT other = RectInParent(sibling);
        // Its own style, not IsWindowVisible: an off-screen rendering of a hidden parent counts
        // too.
        const bool shown = (GetWindowLongPtrA(sibling, GWL_STYLE) & WS_VISIBLE) != 0;
        if (shown && IntersectRect(&overlap, &own, &other)) {
            below.push_back(sibling);
        }
    }
    for (auto it = below.rbegin(); it != below.rend(); ++it) {
        const RECT other = RectInParent(*it);
        SetViewportOrgEx(hdc, origin.x - own.left + other.left, origin.y - own.top + other.top,
                         nullptr);
        SendMessageA(*it, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), PRF_CLIENT);
    }
    SetViewportOrgEx(hdc, origin.x, origin.y, nullptr);
}

std::unique_ptr<PictureControl> PictureControl::Create(PictureControlArgs args) {
    if (args.picture == nullptr) return nullptr;
    std::unique_ptr<PictureControl> control(new PictureControl(std::move(args)));
    BITMAP info{};
    GetObjectA(control->args_.picture, sizeof info, &info);
    control->size_ = {info.bmWidth, info.bmHeight};
    WindowCreation creation =
        WindowCreation::Child({control->args_.parent, 0, {0, 0, info.bmWidth, info.bmHeight}});
    creation.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS |
                     (control->args_.enabled ? 0 : static_cast<DWORD>(WS_DISABLED));
    WindowClass windowClass;
    windowClass.name = kClassName;
    if (!control->CreateWindowFor(windowClass, creation)) return nullptr;
    return control;
}

POINT PictureControl::Position() const {
    const RECT rect = RectInParent(Hwnd());
    return {rect.left, rect.top};
}

void PictureControl::MoveTo(int x, int y) {
    // What shows through the picture depends on where it is: no copying of the old pixels.
    SetWindowPos(Hwnd(), nullptr, x, y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

void PictureControl::SetPicture(HBITMAP picture) {
    if (picture == nullptr) return;
    args_.picture = picture;
    BITMAP info{};
    GetObjectA(picture, sizeof info, &info);
    size_ = {info.bmWidth, info.bmHeight};
    SetWindowPos(Hwnd(), nullptr, 0, 0, size_.cx, size_.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

void PictureControl::MoveBy(int dx, int dy) {
    const POINT at = Position();
    MoveTo(at.x + dx, at.y + dy);
}

void PictureControl::SetEnabled(bool enabled) {
    EnableWindow(Hwnd(), enabled ? TRUE : FALSE);
}

void PictureControl::DrawPicture(HDC hdc) const {
    HDC source = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(source, args_.picture);
    TransparentBlt(hdc, 0, 0, size_.cx, size_.cy, source, 0, 0, size_.cx, size_.cy,
                   args_.transparent);
    SelectObject(source, old);
    DeleteDC(source);
}

void PictureControl::ButtonDown(int button) {
    if (buttonsHeld_ == 0) SetCapture(Hwnd());
    buttonsHeld_ |= button;
    if (args_.onMouseDown) args_.onMouseDown(button);
}

void PictureControl::ButtonUp(int button, POINT at) {
    if ((buttonsHeld_ & button) == 0) return;
    buttonsHeld_ &= ~button;
    if (buttonsHeld_ == 0 && GetCapture() == Hwnd()) ReleaseCapture();
    if (args_.onMouseUp) args_.onMouseUp(button);
    // The picture may have moved under the pointer meanwhile: test against where it is now.
    RECT client{};
    GetClientRect(Hwnd(), &client);
    if (button == 1 && PtInRect(&client, at) && args_.onClick) args_.onClick();
}

LRESULT PictureControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto painted =
            PaintOverParent(Hwnd(), message, wParam, [this](HDC hdc) { DrawPicture(hdc); })) {
        return *painted;
    }
    if (const auto mouse = DecodeMouseButton(message, wParam, lParam)) {
        if (mouse->action == MouseAction::Down) ButtonDown(mouse->button);
        if (mouse->action == MouseAction::Up) ButtonUp(mouse->button, mouse->at);
        return 0;
    }
    switch (message) {
        case WM_MOUSEMOVE:
            if (buttonsHeld_ != 0 && args_.onMouseMove) {
                args_.onMouseMove(static_cast<short>(LOWORD(lParam)),
                                  static_cast<short>(HIWORD(lParam)));
            }
            return 0;
        case WM_CAPTURECHANGED:
            // A popup menu or another window took the mouse: no button is held for us any more.
            if (reinterpret_cast<HWND>(lParam) != Hwnd()) buttonsHeld_ = 0;
            return 0;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

AccessibleItem PictureControl::AccessibleDescribe(long) {
    AccessibleItem item =
        DescribeWindow(args_.pressable ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_GRAPHIC);
    item.name = args_.accessibleName;
    if (args_.pressable) item.defaultAction = "Press";
    return item;
}

bool PictureControl::AccessibleDoDefault(long) {
    if (!args_.pressable || !IsWindowEnabled(Hwnd())) return false;
    RECT client{};
    GetClientRect(Hwnd(), &client);
    PostClick(Hwnd(), client);
    return true;
}

}  // namespace zentra::win32
