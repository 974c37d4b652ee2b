#include <gtest/gtest.h>

#include "common/display/RtfRuns.h"
#include "controls/RichTextLayout.h"

namespace zentra {
namespace {

// Every character is half as wide as the font's size in pixels; ascent 80 %, descent 20 % of it.
class FakeMeasurer final : public TextMeasurer {
  public:
    FontMetrics Metrics(int halfPoints) const override {
        const int px = HalfPointsToPixels(halfPoints, 96);
        return {px * 4 / 5, px - px * 4 / 5};
    }
    int TextWidth(std::string_view text, int halfPoints) const override {
        return static_cast<int>(text.size()) * HalfPointsToPixels(halfPoints, 96) / 2;
    }
};

TEST(RichTextLayout_Units, HalfPointsToPixelsRoundsSymmetrically) {
    EXPECT_EQ(HalfPointsToPixels(18, 96), 12);
    EXPECT_EQ(HalfPointsToPixels(14, 96), 9);
    EXPECT_EQ(HalfPointsToPixels(8, 96), 5);
    EXPECT_EQ(HalfPointsToPixels(-8, 96), -5);
    EXPECT_EQ(HalfPointsToPixels(18, 120), 15);
}

TEST(RichTextLayout_Result, ExponentsAndTheDotSitAboveTheBaseLine) {
    // The document a result such as 36 = 2^2 * 3^2 renders to.
    const RtfDocument document = ParseRtfDocument(
        "{\\rtf1\\ansi{\\fonttbl{\\f1\\fswiss Arial;}}\\plain\\f1\\ltrpar\\ltrch{\\fs18 36 = }"
        "{\\fs18 2}{\\fs14\\up8 2}{\\fs18  }{\\fs18\\up6 .}{\\fs18  3}{\\fs14\\up8 2}{\\fs18 }}");
    const TextLayout layout = LayOutDocument(document, FakeMeasurer(), 96);
    const auto runs = PlaceRuns(document, layout, FakeMeasurer(), 96);
    ASSERT_EQ(runs.size(), 6u);
    struct Expected {
        const char* text;
        int halfPoints;
        int x;
        int lift;
    };
    // Base glyphs 12 px high (6 px wide), exponents 9 px (4 px wide) lifted by 5 px; the line's
    // ascent is that of the dot (9 px) plus its lift of 4 px. Runs of equal format merge.
    const int baseline = 13;
    const Expected expected[] = {{"36 = 2", 18, 0, 0}, {"2", 14, 36, 5},  {" ", 18, 40, 0},
                                 {".", 18, 46, 4},     {" 3", 18, 52, 0}, {"2", 14, 64, 5}};
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const PlacedRun& run = runs[i];
        EXPECT_EQ(std::string_view(document.text).substr(run.start, run.length), expected[i].text)
            << i;
        EXPECT_EQ(run.halfPoints, expected[i].halfPoints) << i;
        EXPECT_EQ(run.x, expected[i].x) << i;
        EXPECT_EQ(run.baseline, baseline - expected[i].lift) << i;
    }
    EXPECT_EQ(layout.width, 68);
    EXPECT_EQ(layout.height, baseline + 3);

    // A view from pixel 40 up to 52 gets the blank and the dot, placed as in the whole.
    const auto shown = PlaceRuns(document, layout, FakeMeasurer(), 96, 40, 52);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].x, 40);
    EXPECT_EQ(shown[1].x, 46);
    EXPECT_EQ(shown[1].baseline, baseline - 4);
}

TEST(RichTextLayout_Lines, ParagraphsStackAndEmptyRunsTakeNoRoom) {
    const RtfDocument document{"ab\ncde", {{0, 5, 18}, {5, 0, 18}, {5, 1, 18}}};
    const TextLayout layout = LayOutDocument(document, FakeMeasurer(), 96);
    const auto runs = PlaceRuns(document, layout, FakeMeasurer(), 96);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].baseline, 9);
    EXPECT_EQ(runs[1].start, 3u);
    EXPECT_EQ(runs[1].length, 2u);
    EXPECT_EQ(runs[1].x, 0);
    EXPECT_EQ(runs[1].baseline, 21);
    EXPECT_EQ(runs[2].x, 12);
    EXPECT_EQ(layout.width, 18);
    EXPECT_EQ(layout.height, 24);
}

TEST(RichTextLayout_Runs, SuperWithoutUpIsSmallerAndRaisedTabsAreBlanks) {
    const RunStyle super = StyleOfRun({0, 1, 24, 0, true});
    EXPECT_EQ(super.halfPoints, 16);
    EXPECT_EQ(super.raiseHalfPoints, 8);
    const RunStyle up = StyleOfRun({0, 1, 14, 8, true});
    EXPECT_EQ(up.halfPoints, 14);
    EXPECT_EQ(up.raiseHalfPoints, 8);
    const RunStyle lowered = StyleOfRun({0, 1, 0, -4, false});
    EXPECT_EQ(lowered.halfPoints, 1);
    EXPECT_EQ(lowered.raiseHalfPoints, -4);

    const RtfDocument tabbed{"a\tb", {{0, 3, 18}}};
    const auto runs =
        PlaceRuns(tabbed, LayOutDocument(tabbed, FakeMeasurer(), 96), FakeMeasurer(), 96);
    ASSERT_EQ(runs.size(), 1u);
    std::string scratch;
    EXPECT_EQ(ShownText(tabbed, runs[0], scratch), "a b");
}

TEST(RichTextLayout_Lines, AnEmptyDocumentHasNoSize) {
    const TextLayout layout = LayOutDocument({}, FakeMeasurer(), 96);
    EXPECT_TRUE(PlaceRuns({}, layout, FakeMeasurer(), 96).empty());
    EXPECT_EQ(layout.width, 0);
    EXPECT_EQ(layout.height, 0);
}

}  // namespace
}  // namespace zentra
