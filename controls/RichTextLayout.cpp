#include "controls/RichTextLayout.h"

#include <algorithm>

namespace zentra {
namespace {

// Walks the document's pieces in order: runs split at paragraph marks, each with its line, its
// left edge, its size and lift. `onPiece(line, piece, style, lift)` sees pieces with text,
// `onLine(line, metrics...)` the end of each line with the tallest ascent and descent on it.
template <typename OnPiece, typename OnLine>
void WalkPieces(const RtfDocument& document, const TextMeasurer& measurer, int pixelsPerInch,
                OnPiece onPiece, OnLine onLine) {
    if (document.runs.empty()) return;
    std::size_t line = 0;
    int ascent = 0;
    int descent = 0;
    int x = 0;
    auto add = [&](std::uint32_t start, std::uint32_t length, const RunStyle& style) {
        const FontMetrics metrics = measurer.Metrics(style.halfPoints);
        const int lift = HalfPointsToPixels(style.raiseHalfPoints, pixelsPerInch);
        ascent = std::max(ascent, metrics.ascent + lift);
        descent = std::max(descent, metrics.descent - lift);
        if (length == 0) return;
        PlacedRun piece{start, length, style.halfPoints, x, 0, -lift};
        x += onPiece(line, piece);
    };
    auto endLine = [&] {
        onLine(line, x, ascent, descent);
        ++line;
        x = ascent = descent = 0;
    };
    for (const auto& run : document.runs) {
        const RunStyle style = StyleOfRun(run);
        // Paragraph marks split a run; the mark itself is not drawn.
        const std::string_view text = document.TextOf(run);
        std::uint32_t from = 0;
        for (std::size_t mark = text.find('\n'); mark != std::string_view::npos;
             mark = text.find('\n', from)) {
            const auto at = static_cast<std::uint32_t>(mark);
            add(run.start + from, at - from, style);
            endLine();
            from = at + 1;
        }
        add(run.start + from, run.length - from, style);
    }
    endLine();
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

std::string_view ShownText(const RtfDocument& document, const PlacedRun& run,
                           std::string& scratch) {
    const std::string_view text = std::string_view(document.text).substr(run.start, run.length);
    if (text.find('\t') == std::string_view::npos) return text;
    scratch.assign(text);
    std::replace(scratch.begin(), scratch.end(), '\t', ' ');
    return scratch;
}

TextLayout LayOutDocument(const RtfDocument& document, const TextMeasurer& measurer,
                          int pixelsPerInch) {
    TextLayout layout;
    std::string scratch;
    WalkPieces(
        document, measurer, pixelsPerInch,
        [&](std::size_t, const PlacedRun& piece) {
            return measurer.TextWidth(ShownText(document, piece, scratch), piece.halfPoints);
        },
        [&](std::size_t, int width, int ascent, int descent) {
            const int baseline = layout.height + ascent;
            layout.baselines.push_back(baseline);
            layout.width = std::max(layout.width, width);
            layout.height = baseline + descent;
        });
    return layout;
}

std::vector<PlacedRun> PlaceRuns(const RtfDocument& document, const TextLayout& layout,
                                 const TextMeasurer& measurer, int pixelsPerInch, int left,
                                 int right) {
    std::vector<PlacedRun> placed;
    std::string scratch;
    WalkPieces(
        document, measurer, pixelsPerInch,
        [&](std::size_t line, PlacedRun piece) {
            piece.width = measurer.TextWidth(ShownText(document, piece, scratch), piece.halfPoints);
            if (piece.x < right && piece.x + piece.width > left && line < layout.baselines.size()) {
                piece.baseline += layout.baselines[line];
                placed.push_back(piece);
            }
            return piece.width;
        },
        [](std::size_t, int, int, int) {});
    return placed;
}

}  // namespace zentra
