// Places the runs of a result document on lines: each run at its size, raised runs lifted above the
// shared base line, lines broken only where the document has a paragraph mark.
#pragma once

#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/display/RtfRuns.h"

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

// A run placed on its line; its text is a stretch of the document's text.
struct PlacedRun {
    std::uint32_t start = 0;
    std::uint32_t length = 0;
    int halfPoints = 24;  // the size to draw it at
    int x = 0;            // left edge, pixels from the layout's left
    int width = 0;        // pixels
    int baseline = 0;     // base line of this run (already lifted), pixels from the layout's top
};

// The lines of a document, measured. Runs are placed only when asked for: a result of 100,000
// lines has hundreds of thousands of runs and only a few dozen show at a time.
struct TextLayout {
    std::vector<int> baselines;  // of each line (before any lift), pixels from the layout's top
    int width = 0;               // the widest line
    int height = 0;              // all lines
};

// The text of a placed run as it is measured and drawn: tabs show as blanks (copied into
// `scratch` only when the run has one).
std::string_view ShownText(const RtfDocument& document, const PlacedRun& run, std::string& scratch);

// Pixels for a length in half points at the given resolution, rounded to nearest.
int HalfPointsToPixels(int halfPoints, int pixelsPerInch);

// The size and lift a run is drawn with: \up as given; \super without \up as two thirds of the
// size lifted by a third of it.
struct RunStyle {
    int halfPoints = 24;
    int raiseHalfPoints = 0;
};
RunStyle StyleOfRun(const RtfRun& run);

// Measures the document's lines: runs without text take no room.
TextLayout LayOutDocument(const RtfDocument& document, const TextMeasurer& measurer,
                          int pixelsPerInch);

// The runs of the laid-out document that reach into the pixels from `left` up to before
// `right`, in document order (every run by default).
std::vector<PlacedRun> PlaceRuns(const RtfDocument& document, const TextLayout& layout,
                                 const TextMeasurer& measurer, int pixelsPerInch,
                                 int left = INT_MIN, int right = INT_MAX);

}  // namespace zentra
