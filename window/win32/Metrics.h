// Screen metrics and the text measurements the window's logic asks for.
#pragma once

#include <windows.h>

#include <string>

#include "window/Ports.h"

namespace zentra {

class Metrics final : public MetricsPort {
  public:
    Metrics();
    ~Metrics() override;
    Metrics(const Metrics&) = delete;
    Metrics& operator=(const Metrics&) = delete;

    int TwipsPerPixelX() const override { return twipsPerPixelX_; }
    int TwipsPerPixelY() const { return twipsPerPixelY_; }
    int VerticalScrollBarWidth() const override { return GetSystemMetrics(SM_CXVSCROLL); }
    // In the display panel's font, Courier New 9 pt.
    int DisplayTextWidth(const std::string& text) const override;
    // Height of "[" in the window's own font (MS Sans Serif 8.25 pt), in pixels: the grid's rows
    // are at least that plus 5 pixels high.
    int WindowFontBracketHeight() const;

    HFONT DisplayFont() const { return displayFont_; }
    HFONT WindowFont() const { return windowFont_; }

  private:
    SIZE Measure(HFONT font, const std::string& text) const;

    int twipsPerPixelX_ = 15;
    int twipsPerPixelY_ = 15;
    HFONT displayFont_ = nullptr;
    HFONT windowFont_ = nullptr;
};

}  // namespace zentra
