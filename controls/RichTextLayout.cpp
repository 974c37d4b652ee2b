#include "controls/RichTextLayout.h"

#include <algorithm>

namespace zentra {
namespace {

// Places the runs of one line as they come: each run's base line is first its lift alone, and
// the line's own base line is added once the whole line is known.
class LineBuilder {
  public:
    LineBuilder(TextLayout& layout, const TextMeasurer& measurer, int pixelsPerInch)
        : layout_(layout), measurer_(measurer), pixelsPerInch_(pixelsPerInch) {}

    void Add(std::size_t start, std::size_t length, const RunStyle& style) {
        const FontMetrics metrics = measurer_.Metrics(style.halfPoints);
        const int lift = HalfPointsToPixels(style.raiseHalfPoints, pixelsPerInch_);
        ascent_ = std::max(ascent_, metrics.ascent + lift);
        descent_ = std::max(descent_, metrics.descent - lift);
        if (length == 0) return;
        const std::string_view text = std::string_view(layout_.text).substr(start, length);
        const int width = measurer_.TextWidth(text, style.halfPoints);
        layout_.runs.push_back({start, length, style.halfPoints, x_, width, -lift});
        x_ += width;
    }

    void EndLine() {
        const int baseline = top_ + ascent_;
        for (std::size_t i = lineStart_; i < layout_.runs.size(); ++i) {
            layout_.runs[i].baseline += baseline;
        }
        layout_.width = std::max(layout_.width, x_);
        top_ = baseline + descent_;
        layout_.height = top_;
        lineStart_ = layout_.runs.size();
        x_ = ascent_ = descent_ = 0;
    }

  private:
    TextLayout& layout_;
    const TextMeasurer& measurer_;
    int pixelsPerInch_;
    std::size_t lineStart_ = 0;
    int x_ = 0;
    int ascent_ = 0;
    int descent_ = 0;
    int top_ = 0;
};

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

TextLayout LayOutDocument(const RtfDocument& document, const TextMeasurer& measurer,
                          int pixelsPerInch) {
    TextLayout layout;
    layout.text = document.text;
    std::replace(layout.text.begin(), layout.text.end(), '\t', ' ');
    LineBuilder lines(layout, measurer, pixelsPerInch);
    if (document.runs.empty()) return layout;
    for (const auto& run : document.runs) {
        const RunStyle style = StyleOfRun(run);
        // Paragraph marks split a run; the mark itself is not drawn.
        const std::string_view text = document.TextOf(run);
        std::size_t from = 0;
        for (std::size_t mark = text.find('\n'); mark != std::string_view::npos;
             mark = text.find('\n', from)) {
            lines.Add(run.start + from, mark - from, style);
            lines.EndLine();
            from = mark + 1;
        }
        lines.Add(run.start + from, text.size() - from, style);
    }
    lines.EndLine();
    return layout;
}

}  // namespace zentra
