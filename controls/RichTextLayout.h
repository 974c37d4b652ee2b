// Places the runs of a result document on lines: each run at its size, raised runs lifted above the
// shared base line, lines broken only where the document has a paragraph mark.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/RtfRuns.h"

namespace zentra {

struct FontMetrics {
    int ascent = 0;   // pixels above the base line
    int descent = 0;  // pixels below it
};

// Measures text in the pane's font at a size given in half points; all results in pixels.
class TextMeasurer {
  public:
    virtual ~TextMeasurer() = default;
    virtual FontMetrics Metrics(int halfPoints) const = 0;
    virtual int TextWidth(std::string_view text, int halfPoints) const = 0;
};

// A run placed on its line; its text is a stretch of the layout's text.
struct PlacedRun {
    std::size_t start = 0;
    std::size_t length = 0;
    int halfPoints = 24;  // the size to draw it at
    int x = 0;            // left edge, pixels from the layout's left
    int width = 0;        // pixels
    int baseline = 0;     // base line of this run (already lifted), pixels from the layout's top
};

struct TextLayout {
    std::string text;  // the document's text, tabs as blanks
    std::vector<PlacedRun> runs;
    int width = 0;   // the widest line
    int height = 0;  // all lines

    std::string_view TextOf(const PlacedRun& run) const {
        return std::string_view(text).substr(run.start, run.length);
    }
};

// Pixels for a length in half points at the given resolution, rounded to nearest.
int HalfPointsToPixels(int halfPoints, int pixelsPerInch);

// The size and lift a run is drawn with: \up as given; \super without \up as two thirds of the
// size lifted by a third of it.
struct RunStyle {
    int halfPoints = 24;
    int raiseHalfPoints = 0;
};
RunStyle StyleOfRun(const RtfRun& run);

// Places every run of the document, in its order; runs without text take no room and are left out.
TextLayout LayOutDocument(const RtfDocument& document, const TextMeasurer& measurer,
                          int pixelsPerInch);

}  // namespace zentra
