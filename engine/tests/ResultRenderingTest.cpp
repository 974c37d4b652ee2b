#include <gtest/gtest.h>

#include <vector>

#include "engine/ResultRendering.h"

namespace zentra {
namespace {

std::vector<PrimePower> Powers(std::initializer_list<std::pair<std::int64_t, std::int64_t>> pairs) {
    std::vector<PrimePower> list;
    for (auto [base, exponent] : pairs)
        list.push_back({Fixed::FromWhole(base), Fixed::FromWhole(exponent)});
    list.push_back({});  // the end marker
    return list;
}

TEST(ResultText, WritesValueAndFactorText) {
    struct Case {
        std::vector<PrimePower> list;
        const char* text;
    };
    const Case cases[] = {
        {Powers({}), "1"},
        {Powers({{7, 1}}), "7"},
        {Powers({{2, 2}}), "4 = 2^2"},
        {Powers({{3, 2}, {2, 2}}), "36 = 3^2 * 2^2"},
        {Powers({{2, 3}, {3, 2}, {5, 1}}), "360 = 2^3 * 3^2 * 5"},
        // Exact, not rounded to 15 digits: 549755813888^2 = 2^78.
        {Powers({{2, 78}}), "302231454903657293676544 = 2^78"},
        {Powers({{2, 96}}), "[Result too large] = 2^96"},
        {Powers({{2, 95}}), "39614081257132168796771975168 = 2^95"},
        {Powers({{999999999989, 3}}), "[Result too large] = 999999999989^3"},
    };
    for (const auto& c : cases) {
        std::optional<Decimal> value;
        EXPECT_EQ(ResultText(c.list, value), c.text);
    }
}

TEST(ResultText, StopsAtTheFirstEmptyBaseAndReportsOverflowAsNoValue) {
    auto list = Powers({{2, 1}, {3, 1}});
    list.insert(list.begin() + 1, PrimePower{});
    std::optional<Decimal> value;
    EXPECT_EQ(ResultText(list, value), "2");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->ToString(), "2");

    EXPECT_EQ(ResultText(Powers({{999999999989, 2}, {999999999959, 1}}), value),
              "[Result too large] = 999999999989^2 * 999999999959");
    EXPECT_FALSE(value.has_value());
}

TEST(GroupThousands, GroupsTheWholeDigitsOnly) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"", ""},
        {"1234567", "1,234,567"},
        {"100", "100"},
        {"1000", "1,000"},
        {"62.5", "62.5"},
        {"1234.5678", "1,234.5678"},
        {"0123", "0123"},
        {"-1234", "-1234"},
        {"[Result too large]", "[Result too large]"},
        {"302231454903657293676544", "302,231,454,903,657,293,676,544"},
    };
    for (const auto& c : cases) EXPECT_EQ(GroupThousands(c.in), c.out) << c.in;
}

TEST(RenderResultRtf, MakesTheDocumentByteForByte) {
    const std::string header(kRtfHeader);
    struct Case {
        const char* text;
        std::string rtf;
    };
    const Case cases[] = {
        {"36 = 2^2 * 3^2",
         header + "{\\fs18 36 = }{\\fs18 2}{\\fs14\\up8 2}{\\fs18  }{\\fs18\\up6 .}{\\fs18  3}"
                  "{\\fs14\\up8 2}{\\fs18 }}"},
        {"7", header + "{\\fs18 7}}"},
        {"1234 ", header + "{\\fs18 1234 }}"},
        {"1234567 = 127 * 9721",
         header + "{\\fs18 1,234,567 = }{\\fs18 127 }{\\fs18\\up6 .}{\\fs18  9721}}"},
        {"12*5", header + "{\\fs18 12}{\\fs18\\up6 .}{\\fs18 5}}"},
        {"2^10", header + "{\\fs18 2}{\\fs14\\up8 10}{\\fs18 }}"},
        {"[Result too large] = 2^96",
         header + "{\\fs18 [Result too large] = }{\\fs18 2}{\\fs14\\up8 96}{\\fs18 }}"},
        {"Division by zero.", header + "{\\fs18 Division by zero.}}"},
        // Characters that RTF reserves are escaped so that no text can break the document.
        {"a{b}\\c", header + "{\\fs18 a\\{b\\}\\\\c}}"},
        {"\xe9", header + "{\\fs18 \\'e9}}"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(RenderResultRtf(c.text), c.rtf) << c.text;
}

}  // namespace
}  // namespace zentra
