// Text measurement:
// https://learn.microsoft.com/windows/win32/api/wingdi/nf-wingdi-gettextextentpoint32a
#include "platform/window/Metrics.h"

#include "platform/controls/HostSupport.h"

namespace zentra::win32 {
namespace {

HFONT MakeFont(const char* face, int heightPixels) {
    return CreateFontA(-heightPixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

// Character height in pixels of a size in hundredths of a point.
int PointsToPixels(int centipoints, int pixelsPerInch) {
    return MulDiv(centipoints, pixelsPerInch, 7200);
}

}  // namespace

Metrics::Metrics() {
    const int dpiX = ScreenResolution().x;
    const int dpiY = ScreenResolution().y;
    dpi_ = dpiY > 0 ? dpiY : 96;
    twipsPerPixelX_ = TwipsPerPixel(dpiX);
    twipsPerPixelY_ = TwipsPerPixel(dpiY);
    MakeFonts();
}

Metrics::~Metrics() {
    FreeFonts();
}

void Metrics::MakeFonts() {
    displayFont_ = MakeFont("Courier New", PointsToPixels(900, dpi_));
    windowFont_ = MakeFont("MS Sans Serif", PointsToPixels(825, dpi_));
}

void Metrics::FreeFonts() {
    measured_.clear();
    if (displayFont_ != nullptr) DeleteObject(displayFont_);
    if (windowFont_ != nullptr) DeleteObject(windowFont_);
    displayFont_ = windowFont_ = nullptr;
}

void Metrics::SetDpi(int dpi) {
    if (dpi <= 0 || dpi == dpi_) return;
    FreeFonts();
    dpi_ = dpi;
    MakeFonts();
}

SIZE Metrics::Measure(HFONT font, const std::string& text) const {
    auto key = std::make_pair(font, text);
    if (const auto it = measured_.find(key); it != measured_.end()) return it->second;
    SIZE size{};
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    measured_.emplace(std::move(key), size);
    return size;
}

int Metrics::DisplayTextWidth(const std::string& text) const {
    return Measure(displayFont_, text).cx * twipsPerPixelX_;
}

int Metrics::WindowFontBracketHeight() const {
    return Measure(windowFont_, "[").cy;
}

}  // namespace zentra::win32
