#include <gtest/gtest.h>

#include "common/display/RtfRuns.h"

namespace zentra {
namespace {

TEST(RtfRuns, ReadsSizesRaisesAndTextOfAResultDocument) {
    const std::string rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f1\\fswiss Arial;}}\\plain\\f1\\ltrpar\\ltrch"
        "{\\fs18 36 = }{\\fs18 2}{\\fs14\\up8 2}{\\fs18  }{\\fs18\\up6 .}{\\fs18  3}{\\fs14\\up8 "
        "2}{\\fs18 }}";
    const RtfDocument document = ParseRtfDocument(rtf);
    const auto& runs = document.runs;
    ASSERT_EQ(runs.size(), 6u);  // the empty closing group adds no run
    EXPECT_EQ(document.TextOf(runs[0]), "36 = 2");
    EXPECT_EQ(runs[0].halfPoints, 18);
    EXPECT_EQ(document.TextOf(runs[1]), "2");
    EXPECT_EQ(runs[1].halfPoints, 14);
    EXPECT_EQ(runs[1].upHalfPoints, 8);
    EXPECT_EQ(document.TextOf(runs[3]), ".");
    EXPECT_EQ(runs[3].upHalfPoints, 6);
    EXPECT_EQ(runs[5].start + runs[5].length, document.text.size());
    EXPECT_EQ(RtfPlainText(rtf), "36 = 22 . 32");
}

TEST(RtfRuns, UnescapesAndSkipsDestinations) {
    EXPECT_EQ(RtfPlainText("{\\rtf1{\\*\\generator x;}{\\colortbl;}a\\{b\\}c\\\\d\\'e9}"),
              "a{b}c\\d\xe9");
    EXPECT_EQ(RtfPlainText(""), "");
}

TEST(RtfRuns, EscapedTextReadsBackAsItself) {
    for (const char* text : {"plain", "a{b}c\\d", "\\par", "caf\xe9", "}{", ""}) {
        EXPECT_EQ(RtfPlainText("{\\rtf1 " + EscapeRtfText(text) + "}"), text) << text;
    }
}

}  // namespace
}  // namespace zentra
