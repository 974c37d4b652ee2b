// Normalisation never changes the value of an expression it accepts, checked exactly over many
// generated expressions; and a faulty line is refused with its fault marked where it was typed.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

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

    // A generated expression with a few characters inserted, deleted or replaced, and blanks.
    std::string Faulty() {
        static constexpr std::string_view kAlphabet = "0123456789.+-*/^!() ";
        std::string text = Expression(3);
        for (int edits = Pick(1, 3); edits > 0; --edits) {
            const auto at = static_cast<std::size_t>(Pick(0, static_cast<int>(text.size())));
            const char c = kAlphabet[static_cast<std::size_t>(Pick(0, 19))];
            const int kind = at == text.size() ? 0 : Pick(0, 2);
            if (kind == 0) text.insert(at, 1, c);
            if (kind == 1) text.erase(at, 1);
            if (kind == 2) text[at] = c;
        }
        return text;
    }

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

// The first fault of a typed line, read on the line itself: the message and the index of the
// character it names; no message when the line has none. It knows nothing of the rewrites, only
// how numbers and operators may follow one another, and in which order the faults are looked for:
// factorials, decimal points, a zero divisor, a trailing operator, then left to right.
struct Fault {
    std::string_view message;
    int index = -1;
    bool tooLarge = false;  // a factorial beyond what this reading follows
};

bool IsDigitChar(char c) {
    return c >= '0' && c <= '9';
}

struct Cell {
    char c;
    int index;  // in the typed line
};

// The typed line without blanks, with the "+" after each "(" dropped in one sweep.
std::vector<Cell> Cells(std::string_view line, bool dropSigns) {
    std::vector<Cell> cells;
    char last = '\0';
    for (int i = 0; i < static_cast<int>(line.size()); ++i) {
        const char c = line[static_cast<std::size_t>(i)];
        if (c == ' ') continue;
        const bool dropped = dropSigns && c == '+' && last == '(';
        last = c;
        if (!dropped) cells.push_back({c, i});
    }
    return cells;
}

// The end (exclusive) of the run of digits and points starting at `from`.
std::size_t NumberEnd(const std::vector<Cell>& cells, std::size_t from) {
    while (from < cells.size() && (IsDigitChar(cells[from].c) || cells[from].c == '.')) ++from;
    return from;
}

Fault DecimalFault(const std::vector<Cell>& cells) {
    for (std::size_t start = 0; start < cells.size(); ++start) {
        if (!IsDigitChar(cells[start].c) && cells[start].c != '.') continue;
        const std::size_t end = NumberEnd(cells, start);
        const char before = start > 0 ? cells[start - 1].c : '\0';
        const bool leadingDigit = IsDigitChar(cells[start].c);
        std::vector<std::size_t> points;
        for (std::size_t i = start; i < end; ++i) {
            if (cells[i].c == '.') points.push_back(i);
        }
        // A number after ")" or "!" is a missing operation, whatever its points.
        if (!points.empty() && !(leadingDigit && (before == ')' || before == '!'))) {
            const std::size_t p = points[0];
            const bool digitBefore = p > start;
            const bool digitAfter = p + 1 < end && IsDigitChar(cells[p + 1].c);
            if (!digitBefore || !digitAfter) return {kIllegalDecimal, cells[p].index};
            if (points.size() > 1) return {kIllegalDecimal, cells[points[1]].index};
        }
        start = end - 1;
    }
    return {};
}

Fault SyntaxFault(const std::vector<Cell>& cells) {
    const auto at = [&cells](int i) {
        return i >= 0 && i < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(i)].c
                                                            : '\0';
    };
    const auto in = [](char c, std::string_view set) {
        return c != '\0' && set.find(c) != std::string_view::npos;
    };
    const int n = static_cast<int>(cells.size());
    if (n == 0) return {};
    const auto named = [&cells](std::string_view message, int i) {
        return Fault{message, cells[static_cast<std::size_t>(i)].index};
    };
    // A divisor written as a number worth zero; "0!" is 1.
    for (int i = 0; i + 1 < n; ++i) {
        if (at(i) != '/' || !IsDigitChar(at(i + 1))) continue;
        const int end = static_cast<int>(NumberEnd(cells, static_cast<std::size_t>(i) + 1));
        bool zero = at(end) != '!';
        for (int j = i + 1; j < end; ++j) zero = zero && (at(j) == '0' || at(j) == '.');
        if (zero) return named(kDivisionByZero, i);
    }
    if (in(at(n - 1), "^*/+-")) return named(kNoDigitFound1, n - 1);
    int depth = 0;
    for (int i = 0; i < n; ++i) {
        const char c = at(i);
        if (in(c, "^*/+-!")) {
            if (i == 0) return named(kNoDigitFound2, i);
            if (in(at(i - 1), "*/+-") || (at(i - 1) == '^' && !in(c, "+-"))) {
                return named(kNoDigitFound3, i);
            }
            if (c == '!' && IsDigitChar(at(i + 1))) return named(kNoOperationFound, i);
        } else if (c == '(') {
            if (IsDigitChar(at(i - 1)) || in(at(i - 1), ")!")) return named(kNoOperationFound, i);
            if (in(at(i + 1), "+*/^!")) return named(kNoDigitFound4, i);
            ++depth;
        } else if (c == ')') {
            if (i == 0) return named(kUnpairedBrackets, i);
            if (in(at(i - 1), "(^*/+-")) return named(kNoDigitFound5, i);
            if (IsDigitChar(at(i + 1))) return named(kNoOperationFound, i);
            if (depth == 0) return named(kUnpairedBrackets, i);
            --depth;
        }
    }
    if (depth != 0) return named(kUnpairedBrackets, n - 1);
    return {};
}

Fault ReferenceFault(std::string_view line) {
    const std::vector<Cell> typed = Cells(line, false);
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (!IsDigitChar(typed[i].c)) continue;
        const std::size_t end = NumberEnd(typed, i);
        if (end < typed.size() && typed[end].c == '!' && end - i > 3) return {{}, -1, true};
        i = end;
    }
    const Fault decimal = DecimalFault(typed);
    if (!decimal.message.empty()) return decimal;
    return SyntaxFault(Cells(line, true));
}

TEST(NormalizerProperty_FaultyLines, MarkTheFaultInTheTypedLine) {
    ExpressionGenerator generator(20261208);
    int faulty = 0;
    int failures = 0;
    for (int round = 0; round < kRounds && failures < 10; ++round) {
        for (const std::string& line : {generator.Faulty(), generator.Soup()}) {
            const Fault fault = ReferenceFault(line);
            if (fault.tooLarge) continue;
            const NormalizeResult result = NormalizeExpression(line);
            if (fault.message.empty()) {
                if (result.Succeeded()) continue;
                ++failures;
                ADD_FAILURE() << "refused without a fault: \"" << line
                              << "\": " << result.failure->message;
                continue;
            }
            ++faulty;
            const NormalizeFailure& f = *result.failure;
            const bool inside = f.selStart >= 0 && f.selLength >= 1 &&
                                f.selStart + f.selLength <= static_cast<int>(line.size());
            if (result.Succeeded() || f.message != fault.message || !inside ||
                fault.index < f.selStart || fault.index >= f.selStart + f.selLength) {
                ++failures;
                ADD_FAILURE() << "\"" << line << "\": expected " << fault.message << " at "
                              << fault.index << ", got "
                              << (result.Succeeded()
                                      ? "\"" + result.text + "\""
                                      : f.message + " selecting " + std::to_string(f.selStart) +
                                            "+" + std::to_string(f.selLength));
            }
        }
    }
    RecordProperty("faulty", faulty);
    EXPECT_GT(faulty, kRounds / 3);
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
