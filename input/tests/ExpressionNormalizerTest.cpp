#include <gtest/gtest.h>

#include <string>

#include "input/ExpressionNormalizer.h"

namespace zentra {
namespace {

struct Example {
    const char* input;
    const char* output;  // expected text, or nullptr when a failure is expected
    std::string_view message = {};
    int position = 0;
};

void ExpectNormalizes(const Example& e) {
    const NormalizeResult result = NormalizeExpression(e.input);
    if (e.output != nullptr) {
        ASSERT_TRUE(result.Succeeded()) << e.input << " failed: " << result.failure->message
                                        << " at " << result.failure->position;
        EXPECT_EQ(result.text, e.output) << "input: " << e.input;
    } else {
        ASSERT_FALSE(result.Succeeded()) << e.input << " gave " << result.text;
        EXPECT_EQ(result.failure->message, e.message) << "input: " << e.input;
        EXPECT_EQ(result.failure->position, e.position) << "input: " << e.input;
    }
}

TEST(ExpressionNormalizer_Rewrites, KeepTheStatedExamples) {
    const Example examples[] = {
        {"", ""},
        {"2 + (3)", "2+3"},
        {"5!", "2*3*4*5"},
        {"0!", "1"},
        {"1!", "1"},
        {"(2+3)!", "(2+3)!"},
        {"1.5", "(15/10)"},
        {"0.25", "(25/100)"},
        {"10.05", "(1005/100)"},
        {"2*1.55", "2*(155/100)"},
        {"12*1*5", "12*5"},
        {"1*2", "2"},
        {"21*3", "21*3"},
        {"3*12", "3*12"},
        {"2^12", "2^12"},
        {"2^1", "2"},
        {"2/1", "2"},
        {"12/1+1", "12+1"},
        {"1 / 05", "1/05"},  // a divisor is zero by its value, not its first digit
        {"1/0.01", "1/(1/100)"},
        {"1/0!", "1"},
        {"2/15", "2/15"},
        {"7^1+3", "7+3"},
        {"2^0*7", "1*7"},
        {"(2+3)^0", "1"},
        {"2^-3", "1/2^3"},
        {"(2+3)^-1", "1/(2+3)"},
        {"2^(-1)", "1/2^1"},
        {"2+(-(3))", "2-3"},
        {"2-(-(3))", "2+3"},
        {"2^(-(3))", "1/2^3"},
        {"2*(-(3))", "2*(-3)"},
        {"((4))", "4"},
        {"(-(-(3)))", "3"},
        {"a+b*c", "a+b*c"},
        {"x^2", "x^2"},
    };
    for (const auto& e : examples) ExpectNormalizes(e);
}

TEST(ExpressionNormalizer_Failures, ReportTheFirstFaultAndItsPosition) {
    const Example examples[] = {
        {"-5", nullptr, kNoDigitFound2, 1},
        {"2*", nullptr, kNoDigitFound1, 2},
        {"2*+3", nullptr, kNoDigitFound3, 3},
        {"2^*3", nullptr, kNoDigitFound3, 3},
        {"2^^3", nullptr, kNoDigitFound3, 3},
        {"2^!", nullptr, kNoDigitFound3, 3},
        {"(*2)", nullptr, kNoDigitFound4, 1},
        {"(++3)", nullptr, kNoDigitFound4, 1},
        {"(2+)", nullptr, kNoDigitFound5, 4},
        {"()", nullptr, kNoDigitFound5, 2},
        {"2(3)", nullptr, kNoOperationFound, 2},
        {"(2)3", nullptr, kNoOperationFound, 3},
        {"3!(2)", nullptr, kNoOperationFound, 3},
        {"(1)!0", nullptr, kNoOperationFound, 4},  // no "1!0" that would be read "10"
        {"(2+3)!4", nullptr, kNoOperationFound, 6},
        {"(3)!!4", nullptr, kNoOperationFound, 5},
        {"2!3", nullptr, kNoOperationFound, 2},
        {"1!0", nullptr, kNoOperationFound, 2},
        {"1!.5", nullptr, kIllegalDecimal, 4},
        {"(2", nullptr, kUnpairedBrackets, 2},
        {")2", nullptr, kUnpairedBrackets, 1},
        {"1)+(2", nullptr, kUnpairedBrackets, 2},
        {"1/0", nullptr, kDivisionByZero, 2},
        {"1/00", nullptr, kDivisionByZero, 2},
        {"1/0.0", nullptr, kDivisionByZero, 2},
        {"2+1/0.00*3", nullptr, kDivisionByZero, 4},
        {"1/.0", nullptr, kIllegalDecimal, 4},
        {".5", nullptr, kIllegalDecimal, 2},
        {"5.", nullptr, kIllegalDecimal, 3},
        {"1.2.3", nullptr, kIllegalDecimal, 5},
        {"0.0.5", nullptr, kIllegalDecimal, 5},
        {"40000!", nullptr, kFactorialTooLarge, 6},
        {"2*99999999999!", nullptr, kFactorialTooLarge, 14},
        {"8000!", nullptr, kFactorialTooLarge, 5},
    };
    for (const auto& e : examples) ExpectNormalizes(e);
}

// Rewrites that would change the value are bracketed or left out.
TEST(ExpressionNormalizer_Mends, KeepTheValue) {
    const Example examples[] = {
        {"12/3!", "12/(2*3)"},
        {"2^3!", "2^(2*3)"},
        {"3!!", "(2*3)!"},
        {"3!^2", "(2*3)^2"},
        {"5-3!", "5-2*3"},
        {"2.3!", "(23/10)!"},
        {"7^1*3", "7*3"},
        {"6/1*3", "6*3"},
        {"2*1^5", "2*1^5"},
        {"2^1^3", "2^1^3"},
        {"6/1^5", "6/1^5"},
        {"4/2^-1", "4/2^-1"},
        {"2^3^-1", "2^3^-1"},
        {"0^-1", "0^-1"},  // "1/0^1" would be refused
        {"0^-(-3)", "0^-(-3)"},
        {"(1-1)^(-(-3))", "(1-1)^(-(-3))"},
        {"2^(-3)^2", "2^(-3)^2"},
        {"1/(0)!", "1/(0)!"},
        {"2^-3^-1", "1/2^3^-1"},
        {"2^(-1+3)", "2^(-1+3)"},
        {"2^05", "2^05"},
        {"2^00*3", "1*3"},
        {"(-(2+3))", "(-(2+3))"},
        {"1+(-(3))^2", "1+(-3)^2"},
        {"(-5)", "(-5)"},
        {"2*(-5)", "2*(-5)"},
        {"(-5)^2", "(-5)^2"},
        {"4/2^(-5)", "4/2^-5"},
        {"((-5)*2)", "(-5*2)"},
        {"2+5*0", "2+0"},
        {"10*3", "10*3"},
        {"0*5*7+1", "0+1"},
        {"3*(2+1)*0", "0"},
        {"1+2*3*4*0", "1+0"},
        {"(1+0*4*5*6)!", "(1+0)!"},
        {"6/2*3*0", "6/2*0"},
        {"2^3*0", "2^3*0"},
        {"0.0", "0"},
        {"0.0!", "0!"},
        {"((3)^(-1))^(-1)", "1/(1/3^1)^1"},
        {"(3)!^-1", "1/3!"},
    };
    for (const auto& e : examples) ExpectNormalizes(e);
}

TEST(ExpressionNormalizer_Sample, NormalizesTheDemonstrationLine) {
    ExpectNormalizes({"(((-(+200+3*2))) ^ - 1 - (0.1)^(-1))/ ((3/2^3)^(-1)*(1.5)^3 + (-1/3)^(-1))",
                      "(1/(-(200+3*2))-1/(1/10)^1)/(1/(3/2^3)^1*(15/10)^3+1/(-1/3)^1)"});
}

TEST(ExpressionNormalizer_Limits, RefuseTextsBeyondSixteenBitPositions) {
    const std::string longest = "1" + std::string(kMaxExpressionLength - 1, '0');
    const NormalizeResult fits = NormalizeExpression(longest);
    ASSERT_TRUE(fits.Succeeded());
    EXPECT_EQ(fits.text, longest);

    const NormalizeResult tooLong = NormalizeExpression(longest + "0");
    ASSERT_FALSE(tooLong.Succeeded());
    EXPECT_EQ(tooLong.failure,
              (NormalizeFailure{std::string(kExpressionTooLong), 32768, 32767, 1}));

    // Blanks do not count: they are gone before any position is taken.
    EXPECT_TRUE(NormalizeExpression(longest + "   ").Succeeded());

    // Growth past the limit is refused where it would happen.
    std::string decimals;
    while (decimals.size() < 30000) decimals += "1.5+";
    decimals += "1";
    const NormalizeResult grown = NormalizeExpression(decimals);
    ASSERT_FALSE(grown.Succeeded());
    EXPECT_EQ(grown.failure->message, kExpressionTooLong);
}

TEST(ExpressionNormalizer_CheckSyntax, BuildsTheBracketTable) {
    ExpressionNormalizer normalizer;
    EXPECT_EQ(normalizer.CheckSyntax("(+1+(2))*( 3)"), "(1+(2))*(3)");
    ASSERT_FALSE(normalizer.Failure());
    const BracketTable& table = normalizer.Table();
    ASSERT_EQ(table.Count(), 3);
    const BracketPair expected[] = {{1, 7, 1}, {4, 6, 2}, {9, 11, 1}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(table[i].OpenPos, expected[i].OpenPos) << "pair " << i;
        EXPECT_EQ(table[i].ClosePos, expected[i].ClosePos) << "pair " << i;
        EXPECT_EQ(table[i].Depth, expected[i].Depth) << "pair " << i;
    }
    // One sweep: its own output is not looked at again.
    EXPECT_EQ(normalizer.CheckSyntax("((+2)"), "((2)");
    normalizer.CheckSyntax("2+3");
    EXPECT_EQ(normalizer.Table().Count(), 1);
    EXPECT_FALSE(normalizer.Table().IsPair(0));
}

TEST(ExpressionNormalizer_Passes, WorkOnTheirOwn) {
    ExpressionNormalizer n;
    EXPECT_EQ(n.ExpandFactorials("3!+(2)!"), "1*2*3+(2)!");
    EXPECT_EQ(n.ConvertDecimals("0.05"), "(5/100)");
    n.CheckSyntax("(2+3)^-1");
    EXPECT_EQ(n.InvertNegativeExponents("(2+3)^-1"), "1/(2+3)^1");
    n.CheckSyntax("2^(-1)");
    EXPECT_EQ(n.InvertNegativeExponents("2^(-1)"), "1/2^(1)");
    n.CheckSyntax("(2+3)^0*7");
    EXPECT_EQ(n.ReplacePowerZero("(2+3)^0*7"), "1*7");
    for (const char* empty : {""}) {
        EXPECT_EQ(n.DropFactorOne(empty), "");
        EXPECT_EQ(n.SimplifyBrackets(empty), "");
        EXPECT_EQ(n.DropZeroProducts(empty), "");
    }
    EXPECT_FALSE(n.Failure());
}

}  // namespace
}  // namespace zentra
