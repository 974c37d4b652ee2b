// Bitmap resources and text drawing:
// https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-loadimagea,
// https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-drawtext
#include "platform/window/AboutPanel.h"

#include <oleacc.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "platform/controls/HostSupport.h"
#include "platform/window/ResourceIds.h"
#include "platform/window/WideText.h"
#include "window/WindowLayout.h"

namespace zentra::win32 {
namespace {

constexpr const char* kLabelClass = "Zentra.AboutLabel";

// The pictures are drawn for 96, 144 and 192 dpi; ids of one set lie `offset` above the 96 set.
struct PictureSet {
    int dpi;
    int offset;
};
constexpr PictureSet kPictureSets[] = {
    {96, 0}, {144, IDB_ABOUT_OK_144 - IDB_ABOUT_OK}, {192, IDB_ABOUT_OK_192 - IDB_ABOUT_OK}};

// The smallest set drawn for `dpi` or more, else the largest.
PictureSet PictureSetFor(int dpi) {
    for (const PictureSet& set : kPictureSets) {
        if (set.dpi >= dpi) return set;
    }
    return kPictureSets[std::size(kPictureSets) - 1];
}

SIZE BitmapSize(HBITMAP picture) {
    BITMAP info{};
    GetObjectA(picture, sizeof info, &info);
    return {info.bmWidth, std::abs(info.bmHeight)};
}

// `picture` at `size`: halftone (smooth) for a picture without transparency; a picture keyed on
// magenta keeps whole pixels, so that no blend of the key colour fringes its edge.
HBITMAP Resized(HBITMAP picture, SIZE size, bool keyed) {
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP resized = CreateCompatibleBitmap(screen, size.cx, size.cy);
    ReleaseDC(nullptr, screen);
    if (resized != nullptr) {
        HGDIOBJ oldFrom = SelectObject(from, picture);
        HGDIOBJ oldTo = SelectObject(to, resized);
        SetStretchBltMode(to, keyed ? COLORONCOLOR : HALFTONE);
        SetBrushOrgEx(to, 0, 0, nullptr);
        const SIZE source = BitmapSize(picture);
        StretchBlt(to, 0, 0, size.cx, size.cy, from, 0, 0, source.cx, source.cy, SRCCOPY);
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
    }
    DeleteDC(from);
    DeleteDC(to);
    return resized;
}

// Picture `id` (of the 96-dpi set) as drawn for `dpi`: the set drawn for it, or the nearest larger
// one resized to the 96-dpi size times dpi/96.
HBITMAP LoadPicture(int id, int dpi, bool keyed) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    const PictureSet set = PictureSetFor(dpi);
    const auto load = [module](int resource) {
        return static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(resource), IMAGE_BITMAP, 0,
                                               0, LR_CREATEDIBSECTION));
    };
    HBITMAP drawn = load(id + set.offset);
    if (drawn == nullptr || set.dpi == dpi) return drawn;
    const SIZE size = BitmapSize(drawn);
    const SIZE wanted{ScalePixels(size.cx * kDesignDpi / set.dpi, dpi),
                      ScalePixels(size.cy * kDesignDpi / set.dpi, dpi)};
    HBITMAP resized = Resized(drawn, wanted, keyed);
    if (resized == nullptr) return drawn;
    DeleteObject(drawn);
    return resized;
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
    FreeDpiParts();
}

void AboutPanel::MakeDpiParts() {
    // The system's dialog font is made for the resolution the program started at.
    const int startDpi = std::max(1, ScreenResolution().y);
    if (dpi_ != startDpi) {
        LOGFONTA font{};
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
        font.lfHeight = MulDiv(font.lfHeight, dpi_, startDpi);
        font.lfWidth = MulDiv(font.lfWidth, dpi_, startDpi);
        labelFont_ = CreateFontIndirectA(&font);
    }
    okPicture_ = LoadPicture(IDB_ABOUT_OK, dpi_, true);
    shadowPicture_ = LoadPicture(IDB_ABOUT_SHADOW, dpi_, true);
    background_ = LoadPicture(IDB_DISPLAY_BACKGROUND, dpi_, false);
}

void AboutPanel::FreeDpiParts() {
    for (HBITMAP* picture : {&okPicture_, &shadowPicture_, &background_}) {
        if (*picture != nullptr) DeleteObject(*picture);
        *picture = nullptr;
    }
    if (labelFont_ != nullptr) DeleteObject(labelFont_);
    labelFont_ = nullptr;
}

bool AboutPanel::Create(HWND displayPanel, Events events, int dpi) {
    events_ = std::move(events);
    dpi_ = dpi;
    MakeDpiParts();
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
    const AboutPlaces places = LayOutAbout(outerWidth, ok_ ? ok_->Size().cx : 0, dpi_);
    SetWindowPos(Hwnd(), nullptr, places.label.x, places.label.y, viewSize.cx, viewSize.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (!ok_ || !shadow_) return;
    // A pressed image keeps its sink across a new layout, so that the release lifts it home.
    ok_->MoveTo(places.ok.x + ScalePixels(sunk_.cx, dpi_),
                places.ok.y + ScalePixels(sunk_.cy, dpi_));
    shadow_->MoveTo(places.shadow.x, places.shadow.y);
}

void AboutPanel::SetDpi(int dpi) {
    if (dpi == dpi_) return;
    dpi_ = dpi;
    FreeDpiParts();
    MakeDpiParts();
    if (ok_) ok_->SetPicture(okPicture_);
    if (shadow_) shadow_->SetPicture(shadowPicture_);
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

void AboutPanel::SetOkEnabled(bool enabled) {
    if (ok_) ok_->SetEnabled(enabled);
}

void AboutPanel::MoveBy(int dxPixels, int dyPixels) {
    sunk_.cx += dxPixels;
    sunk_.cy += dyPixels;
    if (ok_) ok_->MoveBy(ScalePixels(dxPixels, dpi_), ScalePixels(dyPixels, dpi_));
}

// The text, in the dialog font, straight on the display panel's picture.
void AboutPanel::PaintLabel(HDC hdc) const {
    wchar_t text[512] = {};
    GetWindowTextW(Hwnd(), text, static_cast<int>(std::size(text)));
    RECT client{};
    GetClientRect(Hwnd(), &client);
    HGDIOBJ oldFont =
        SelectObject(hdc, labelFont_ != nullptr ? labelFont_ : GetStockObject(DEFAULT_GUI_FONT));
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
