// Bitmap resources and text drawing:
// https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-loadimagea,
// https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-drawtext
#include "platform/window/AboutPanel.h"

#include <oleacc.h>

#include <iterator>

#include "platform/window/ResourceIds.h"
#include "platform/window/WideText.h"

namespace zentra::win32 {
namespace {

constexpr const char* kLabelClass = "Zentra.AboutLabel";
constexpr int kLabelMarginPixels = 10;
constexpr int kOkRightPixels = 8;
constexpr int kOkTopPixels = 2;
constexpr int kShadowOffsetPixels = 3;

HBITMAP LoadPicture(int id) {
    return static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// The parts lie under the display's views, the label lowest.
void SendToBottom(HWND hwnd) {
    SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

AboutPanel::~AboutPanel() {
    // The windows go before the pictures they draw.
    ok_.reset();
    shadow_.reset();
    DestroyOwnWindow();
    for (HBITMAP picture : {okPicture_, shadowPicture_, background_}) {
        if (picture != nullptr) DeleteObject(picture);
    }
}

bool AboutPanel::Create(HWND displayPanel, Events events) {
    events_ = std::move(events);
    okPicture_ = LoadPicture(IDB_ABOUT_OK);
    shadowPicture_ = LoadPicture(IDB_ABOUT_SHADOW);
    background_ = LoadPicture(IDB_DISPLAY_BACKGROUND);
    if (!CreateLabel(displayPanel)) return false;

    PictureControlArgs shadow;
    shadow.parent = displayPanel;
    shadow.picture = shadowPicture_;
    shadow_ = PictureControl::Create(shadow);

    PictureControlArgs ok;
    ok.parent = displayPanel;
    ok.picture = okPicture_;
    ok.enabled = false;
    ok.accessibleName = "OK";
    ok.pressable = true;
    ok.onMouseDown = [this](int button) {
        if (events_.onOkMouseDown) events_.onOkMouseDown(button);
    };
    ok.onMouseMove = [this](int x, int y) {
        const SIZE size = ok_->Size();
        if (events_.onOkMouseMove) events_.onOkMouseMove(x, y, size.cx, size.cy);
    };
    ok.onMouseUp = [this](int button) {
        if (events_.onOkMouseUp) events_.onOkMouseUp(button);
    };
    ok.onClick = [this] {
        if (events_.onOkClick) events_.onOkClick();
    };
    ok_ = PictureControl::Create(ok);
    if (!shadow_ || !ok_) return false;
    SendToBottom(ok_->Hwnd());
    SendToBottom(shadow_->Hwnd());
    SendToBottom(Hwnd());
    return true;
}

bool AboutPanel::CreateLabel(HWND parent) {
    WindowCreation creation = WindowCreation::Child({parent});
    creation.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    WindowClass windowClass;
    windowClass.name = kLabelClass;
    return CreateWindowFor(windowClass, creation);
}

void AboutPanel::SetText(const std::string& text) {
    SetWindowTextW(Hwnd(), ToUtf16(text).c_str());
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

void AboutPanel::LayOut(int outerWidth, SIZE viewSize) {
    SetWindowPos(Hwnd(), nullptr, kLabelMarginPixels, kLabelMarginPixels, viewSize.cx, viewSize.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (!ok_ || !shadow_) return;
    const int left = outerWidth - ok_->Size().cx - kOkRightPixels;
    // A pressed image keeps its sink across a new layout, so that the release lifts it home.
    ok_->MoveTo(left + sunk_.cx, kOkTopPixels + sunk_.cy);
    shadow_->MoveTo(left + kShadowOffsetPixels, kOkTopPixels + kShadowOffsetPixels);
}

void AboutPanel::SetOkEnabled(bool enabled) {
    if (ok_) ok_->SetEnabled(enabled);
}

void AboutPanel::MoveBy(int dxPixels, int dyPixels) {
    sunk_.cx += dxPixels;
    sunk_.cy += dyPixels;
    if (ok_) ok_->MoveBy(dxPixels, dyPixels);
}

// The text, in the dialog font, straight on the display panel's picture.
void AboutPanel::PaintLabel(HDC hdc) const {
    wchar_t text[512] = {};
    GetWindowTextW(Hwnd(), text, static_cast<int>(std::size(text)));
    RECT client{};
    GetClientRect(Hwnd(), &client);
    HGDIOBJ oldFont = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(hdc, text, -1, &client, DT_LEFT | DT_TOP | DT_NOPREFIX);
    SelectObject(hdc, oldFont);
}

AccessibleItem AboutPanel::AccessibleDescribe(long) {
    AccessibleItem item = DescribeWindow(ROLE_SYSTEM_STATICTEXT);
    item.state = STATE_SYSTEM_READONLY;
    return item;
}

LRESULT AboutPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto painted =
            PaintOverParent(Hwnd(), message, wParam, [this](HDC hdc) { PaintLabel(hdc); })) {
        return *painted;
    }
    if (const auto mouse = DecodeMouseButton(message, wParam, lParam);
        mouse && mouse->action == MouseAction::Down) {
        if (events_.onLabelMouseDown) events_.onLabelMouseDown(mouse->button);
        return 0;
    }
    return Default(message, wParam, lParam);
}

}  // namespace zentra::win32
