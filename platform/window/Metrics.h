// Screen metrics and the text measurements the window's logic asks for.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>

#include "window/Ports.h"

namespace zentra::win32 {

class Metrics final : public MetricsPort {
  public:
    Metrics();
    ~Metrics() override;
    Metrics(const Metrics&) = delete;
    Metrics& operator=(const Metrics&) = delete;

    int TwipsPerPixelX() const override { return twipsPerPixelX_; }
    int DotsPerInch() const override { return dpi_; }
    int TwipsPerPixelY() const { return twipsPerPixelY_; }
    int VerticalScrollBarWidth() const override { return GetSystemMetrics(SM_CXVSCROLL); }
    // In the display panel's font, Courier New 9 pt.
    int DisplayTextWidth(const std::string& text) const override;
    // Height of "[" in the window's own font (MS Sans Serif 8.25 pt), in pixels: the grid's rows
    // are at least that plus 5 pixels high.
    int WindowFontBracketHeight() const;

    // The window moved to a screen of `dpi`: the fonts follow it. Twips per pixel stay those of
    // the start, the unit the grid was made with.
    void SetDpi(int dpi);

    HFONT DisplayFont() const { return displayFont_; }
    HFONT WindowFont() const { return windowFont_; }

  private:
    void MakeFonts();
    void FreeFonts();
    // Measured once per font and text: the fonts never change, and the grid's column rule asks
    // for the same width whenever a row comes or goes.
    SIZE Measure(HFONT font, const std::string& text) const;
    mutable std::map<std::pair<HFONT, std::string>, SIZE> measured_;

    int dpi_ = 96;
    int twipsPerPixelX_ = 15;
    int twipsPerPixelY_ = 15;
    HFONT displayFont_ = nullptr;
    HFONT windowFont_ = nullptr;
};

}  // namespace zentra::win32
