#include <gtest/gtest.h>

#include "controls/ButtonTypes.h"

namespace zentra {
namespace {

TEST(ButtonTypes_SymbolText, GreekLettersAndSignsBecomeUnicode) {
    EXPECT_EQ(SymbolToUnicode("P"), u"\u03A0");
    EXPECT_EQ(SymbolToUnicode("X"), u"\u039E");
    EXPECT_EQ(SymbolToUnicode("ABGDpqwz"), u"\u0391\u0392\u0393\u0394\u03C0\u03B8\u03C9\u03B6");
    EXPECT_EQ(SymbolToUnicode("1+2=3 &&-*"), u"1+2=3 &&\u2212\u2217");
    EXPECT_EQ(SymbolToUnicode(""), u"");
    EXPECT_EQ(SymbolToUnicode("\xB0"), u"\u00B0");
}

TEST(ButtonTypes_Faces, StandInsKeepTheKindOfFace) {
    const auto symbol = SameKindFaces({"Symbol", 1200, 700, kSymbolCharset});
    ASSERT_GE(symbol.size(), 2u);
    EXPECT_EQ(symbol[0], (FaceCandidate{"Symbol", 700, kSymbolCharset, false}));
    for (std::size_t i = 1; i < symbol.size(); ++i) {
        EXPECT_TRUE(symbol[i].symbolAsUnicode) << symbol[i].face;
        EXPECT_EQ(symbol[i].charset, 0) << symbol[i].face;
    }
    const auto black = SameKindFaces({"Arial Black", 1125, 400, 0});
    EXPECT_EQ(black[0], (FaceCandidate{"Arial Black", 400, 0, false}));
    EXPECT_EQ(black[1], (FaceCandidate{"Arial", 900, 0, false}));  // heavy, as the face is
    const auto arial = SameKindFaces({"arial", 975, 700, 0});
    EXPECT_EQ(arial[0].face, "arial");
    EXPECT_EQ(arial.back().face, "Tahoma");
    EXPECT_EQ(SameKindFaces({"Wingdings 9", 800, 400, 0}).back().face, "Tahoma");
}

}  // namespace
}  // namespace zentra
