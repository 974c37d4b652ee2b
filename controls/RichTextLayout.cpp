#include "controls/RichTextLayout.h"

#include <algorithm>

namespace zentra {
namespace {

struct Piece {
    std::string text;
    RunStyle style;
};

// Splits the runs at paragraph marks; tabs show as blanks.
std::vector<std::vector<Piece>> SplitLines(const std::vector<RtfRun>& runs) {
    std::vector<std::vector<Piece>> lines(1);
    for (const auto& run : runs) {
        const RunStyle style = StyleOfRun(run);
        std::string text;
        for (const char c : run.text) {
            if (c == '\n') {
                lines.back().push_back({std::move(text), style});
                text.clear();
                lines.emplace_back();
            } else {
                text.push_back(c == '\t' ? ' ' : c);
            }
        }
        lines.back().push_back({std::move(text), style});
    }
    return lines;
}

}  // namespace

int HalfPointsToPixels(int halfPoints, int pixelsPerInch) {
    // 144 half points to the inch; symmetric rounding so that negative lifts mirror positive ones.
    const long long scaled = static_cast<long long>(halfPoints) * pixelsPerInch;
    const long long rounded = scaled >= 0 ? (scaled + 72) / 144 : -((-scaled + 72) / 144);
    return static_cast<int>(rounded);
}

RunStyle StyleOfRun(const RtfRun& run) {
    const int size = std::max(1, run.halfPoints);
    if (run.super && run.upHalfPoints == 0) return {std::max(1, size * 2 / 3), size / 3};
    return {size, run.upHalfPoints};
}

TextLayout LayOutRuns(const std::vector<RtfRun>& runs, const TextMeasurer& measurer,
                      int pixelsPerInch) {
    TextLayout layout;
    int top = 0;
    for (auto& line : SplitLines(runs)) {
        int ascent = 0;
        int descent = 0;
        for (const auto& piece : line) {
            const FontMetrics metrics = measurer.Metrics(piece.style.halfPoints);
            const int lift = HalfPointsToPixels(piece.style.raiseHalfPoints, pixelsPerInch);
            ascent = std::max(ascent, metrics.ascent + lift);
            descent = std::max(descent, metrics.descent - lift);
        }
        const int baseline = top + ascent;
        int x = 0;
        for (auto& piece : line) {
            if (piece.text.empty()) continue;
            const int width = measurer.TextWidth(piece.text, piece.style.halfPoints);
            const int lift = HalfPointsToPixels(piece.style.raiseHalfPoints, pixelsPerInch);
            layout.runs.push_back(
                {std::move(piece.text), piece.style.halfPoints, x, width, baseline - lift});
            x += width;
        }
        layout.width = std::max(layout.width, x);
        top = baseline + descent;
    }
    layout.height = top;
    return layout;
}

}  // namespace zentra
