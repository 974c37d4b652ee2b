// Normalisation never changes the value of an expression it accepts, checked exactly over many
// generated expressions.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "input/ExpressionNormalizer.h"
#include "input/tests/ExactValue.h"

namespace zentra {
namespace {

using testing::Evaluate;
using testing::ExactValue;
using testing::ValueKind;

#ifdef _WIN32
constexpr int kRounds = 6000;  // Wine runs the same code several times slower
#else
constexpr int kRounds = 30000;
#endif

// Expressions built from the shapes the passes rewrite: ones, zeros, factorials, decimals,
// signed brackets and negative exponents, nested at random.
class ExpressionGenerator {
  public:
    explicit ExpressionGenerator(unsigned seed) : random_(seed) {}

    std::string Next() { return Expression(4); }

    // Characters of the calculator's alphabet thrown together.
    std::string Soup() {
        static constexpr std::string_view kAlphabet = "0011223.+-*/^!() ";
        std::string text;
        const int length = Pick(1, 14);
        for (int i = 0; i < length; ++i) text += kAlphabet[static_cast<std::size_t>(Pick(0, 16))];
        return text;
    }

  private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    std::string Number() {
        static constexpr const char* kNumbers[] = {"0",   "1",   "1",    "2",     "3",   "5",
                                                   "10",  "12",  "00",   "01",    "0.5", "1.5",
                                                   "2.0", "0.0", "0.25", "10.05", "7"};
        return kNumbers[Pick(0, 16)];
    }

    static std::string Wrap(std::string_view open, const std::string& inner,
                            std::string_view close) {
        std::string text(open);
        text.append(inner).append(close);
        return text;
    }

    std::string Atom(int depth) {
        switch (Pick(0, 9)) {
            case 0:
                return Wrap("", std::to_string(Pick(0, 5)), "!");
            case 1:
                return Wrap("(", Expression(depth - 1), ")");
            case 2:
                return Wrap("(-", Expression(depth - 1), ")");
            case 3:
                return Wrap("(-(", Expression(depth - 1), "))");
            case 4:
                return Wrap("(", Expression(depth - 1), ")!");
            case 5:
                return Wrap("(-", Number(), ")");
            default:
                return Number();
        }
    }

    // Exponents are mostly whole, so that most expressions have a value to compare.
    std::string Exponent(int depth) {
        static constexpr const char* kExponents[] = {"0",  "1",    "2",    "3",   "00",  "01",
                                                     "1!", "(-1)", "(-2)", "(1)", "(0)", "(-(2))"};
        if (Pick(0, 5) == 0) return Atom(depth - 1);
        return kExponents[Pick(0, 11)];
    }

    std::string Expression(int depth) {
        if (depth <= 0) return Number();
        static constexpr const char* kOperators[] = {"+", "-", "*", "/", "^", "^-", "*", "^"};
        std::string text = Atom(depth);
        const int terms = Pick(0, 3);
        for (int i = 0; i < terms; ++i) {
            const std::string_view op = kOperators[Pick(0, 7)];
            text += op;
            if (op.front() == '^') {
                text += Exponent(depth);
            } else {
                text += Pick(0, 2) == 0 ? Atom(depth - 1) : Number();
            }
        }
        return text;
    }

    std::mt19937 random_;
};

struct Tally {
    int valued = 0;   // inputs with a value that normalised
    int refused = 0;  // inputs with a value that a check refused
    int failures = 0;
};

void CheckOne(const std::string& input, Tally& tally) {
    const ExactValue before = Evaluate(input);
    ExpressionNormalizer normalizer;
    const NormalizeResult result = normalizer.Normalize(input);
    if (before.kind != ValueKind::kValue) return;
    if (!result.Succeeded()) {
        ++tally.refused;
        return;
    }
    ++tally.valued;
    const ExactValue after = Evaluate(result.text);
    if (after.kind == ValueKind::kTooLarge) return;
    if (after.kind != ValueKind::kValue || !(after.value == before.value)) {
        ADD_FAILURE() << "value changed: " << input << " = " << before.ToString() << " became "
                      << result.text << " = " << after.ToString();
        ++tally.failures;
        return;
    }
    const NormalizeResult again = normalizer.Normalize(result.text);
    if (!again.Succeeded()) {
        ADD_FAILURE() << "output refused on a second run: " << input << " -> " << result.text
                      << ": " << again.failure->message << " at " << again.failure->position;
        ++tally.failures;
        return;
    }
    if (again.text == result.text) return;
    const ExactValue twice = Evaluate(again.text);
    if (twice.kind == ValueKind::kValue && !(twice.value == before.value)) {
        ADD_FAILURE() << "second run changed the value: " << result.text << " -> " << again.text;
        ++tally.failures;
    }
}

TEST(NormalizerProperty_GeneratedExpressions, KeepTheirValue) {
    ExpressionGenerator generator(20261207);
    Tally tally;
    for (int round = 0; round < kRounds && tally.failures < 10; ++round) {
        CheckOne(generator.Next(), tally);
        CheckOne(generator.Soup(), tally);
    }
    RecordProperty("valued", tally.valued);
    RecordProperty("refused", tally.refused);
    // The generator must reach the interesting cases, not only refusals.
    EXPECT_GT(tally.valued, kRounds / 3) << "refused: " << tally.refused;
}

TEST(NormalizerProperty_Evaluator, ReadsTheOperatorsAsTheRewritesAssume) {
    const struct {
        const char* text;
        const char* value;
    } cases[] = {
        {"2^3^2", "512"},        {"(-2^2)", "-4"},       {"2^-3*4", "1/2"},    {"2^-3^2", "1/512"},
        {"3!!", "720"},          {"12/2*3", "18"},       {"1.5", "3/2"},       {"(+3)", "3"},
        {"2^+3", "8"},           {"0^0", "1"},           {"(-5*2)", "-10"},    {"1/0", "no value"},
        {"2^(1/2)", "no value"}, {"(-1)!", "no value"},  {"2*-3", "no value"}, {"(2)3", "no value"},
        {"(3/2)!", "no value"},  {"9!^9!", "too large"},
    };
    for (const auto& c : cases) EXPECT_EQ(Evaluate(c.text).ToString(), c.value) << c.text;
}

}  // namespace
}  // namespace zentra
