#include "input/ExpressionNormalizer.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "common/numbers/Common.h"
#include "common/numbers/LeadingNumber.h"

namespace zentra {
namespace {

// The text is addressed with 1-based positions, as the bracket table and the messages are.
int Len(const std::string& text) {
    return static_cast<int>(text.size());
}

char At(const std::string& text, int pos) {
    return pos >= 1 && pos <= Len(text) ? text[static_cast<std::size_t>(pos) - 1] : '\0';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsIn(char c, std::string_view set) {
    return c != '\0' && set.find(c) != std::string_view::npos;
}

// First occurrence at or after `from`; 0 when none.
int Find(const std::string& text, std::string_view pattern, int from) {
    if (from < 1) from = 1;
    const std::size_t at = text.find(pattern, static_cast<std::size_t>(from) - 1);
    return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

// Last occurrence starting before `bound`; 0 when none.
int FindLastBefore(const std::string& text, std::string_view pattern, int bound) {
    if (bound <= 1) return 0;
    const std::size_t at = text.rfind(pattern, static_cast<std::size_t>(bound) - 2);
    return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

std::string WithoutBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != ' ') out.push_back(c);
    }
    return out;
}

// Can an operand be rewritten into a product, or dropped, after the character at `pos`? Only
// when nothing there binds tighter than "*": the start, "(", "*", or a "+" or "-" that is not
// the sign of an exponent.
bool LeftIsLoose(const std::string& text, int pos) {
    if (pos < 1) return true;
    const char c = At(text, pos);
    if (c == '(' || c == '*') return true;
    if (c == '+' || c == '-') return At(text, pos - 1) != '^';
    return false;
}

// The same on the right side of an operand: the end, "+", "-", "*", "/" or ")".
bool RightIsLoose(const std::string& text, int pos) {
    return pos > Len(text) || IsIn(At(text, pos), "+-*/)");
}

// A "1" that ends at `pos` - 1 stands alone when the next character neither continues the number
// nor takes it as a base or factorial operand.
bool OneStandsAlone(const std::string& text, int pos) {
    if (pos > Len(text)) return true;
    const char c = At(text, pos);
    return !IsDigit(c) && c != '^' && c != '!' && c != '.';
}

// Deletes the two characters of `pattern` wherever `deletable(position)` agrees, left to right,
// through `erase(position)`. A deletion can only make a new match start at the character before
// it, and every match further left was judged on characters the deletion left alone, so the
// search goes on from there.
template <typename Deletable, typename Erase>
bool DeleteWhere(std::string& text, std::string_view pattern, Deletable deletable, Erase erase) {
    bool changed = false;
    int from = 1;
    while (const int at = Find(text, pattern, from)) {
        if (deletable(at)) {
            erase(at);
            changed = true;
            from = at > 1 ? at - 1 : 1;
        } else {
            from = at + 1;
        }
    }
    return changed;
}

// A digit followed by blanks: the rewritten piece keeps its length, so positions stay valid.
std::string Padded(char digit, int blanks) {
    std::string text(static_cast<std::size_t>(blanks) + 1, ' ');
    text[0] = digit;
    return text;
}

std::string FactorialProduct(int n) {
    std::string product = "1";
    for (int k = 2; k <= n; ++k) {
        product += '*';
        product += std::to_string(k);
    }
    return product;
}

// Position of the first "/" whose divisor is a number worth zero ("/0", "/00", not "/05" nor the
// "/0!" that is 1); 0 when there is none.
int ZeroDivisor(const std::string& text) {
    for (int slash = Find(text, "/0", 1); slash != 0; slash = Find(text, "/0", slash + 1)) {
        int end = slash + 1;
        while (At(text, end + 1) == '0') ++end;
        if (!IsDigit(At(text, end + 1)) && At(text, end + 1) != '!') return slash;
    }
    return 0;
}

// The contents read as a number and written back give exactly the same text.
bool IsPlainNumber(const std::string& contents) {
    if (contents.empty()) return false;
    const double value = LeadingNumber(contents);
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)) == contents;
}

}  // namespace

std::string ExpressionNormalizer::Fail(std::string text, std::string_view message, int position,
                                       int first, int last) {
    failure_ = NormalizeFailure{std::string(message), position};
    Follow(text);
    if (origins_.empty()) return text;
    if (first == 0) first = last = position;
    // A position past the end (the digit a trailing point lacks) falls back to the last character.
    const int size = static_cast<int>(origins_.size());
    first = std::clamp(first, 1, size);
    last = std::clamp(last, first, size);
    Span selected = origins_[static_cast<std::size_t>(first) - 1];
    for (int i = first; i <= last; ++i) {
        const Span& span = origins_[static_cast<std::size_t>(i) - 1];
        selected.first = std::min(selected.first, span.first);
        selected.last = std::max(selected.last, span.last);
    }
    failure_->selStart = selected.first;
    failure_->selLength = selected.last - selected.first + 1;
    return text;
}

void ExpressionNormalizer::Follow(const std::string& text) {
    if (origins_.size() == text.size()) return;
    origins_.resize(text.size());
    for (std::size_t i = 0; i < origins_.size(); ++i) {
        origins_[i] = Span{static_cast<int>(i), static_cast<int>(i)};
    }
}

void ExpressionNormalizer::Splice(std::string& text, int position, int count,
                                  std::string_view insert) {
    if (!IsReplacePosition(text, position)) return;
    const auto at = static_cast<std::size_t>(position) - 1;
    const std::size_t removed =
        std::min(static_cast<std::size_t>(std::max(count, 0)), text.size() - at);
    ReplaceAt(text, position, count, insert);
    if (removed == insert.size() || origins_.empty()) return;
    // What the new piece stands for: all it replaced, or, for a bare insertion, the character
    // it was put before.
    Span piece = origins_[std::min(at, origins_.size() - 1)];
    for (std::size_t i = at; i < at + removed; ++i) {
        piece.first = std::min(piece.first, origins_[i].first);
        piece.last = std::max(piece.last, origins_[i].last);
    }
    const auto first = origins_.begin() + static_cast<std::ptrdiff_t>(at);
    origins_.erase(first, first + static_cast<std::ptrdiff_t>(removed));
    origins_.insert(origins_.begin() + static_cast<std::ptrdiff_t>(at), insert.size(), piece);
}

NormalizeResult ExpressionNormalizer::Normalize(std::string_view line) {
    failure_.reset();
    table_.Reset();
    std::string text = WithoutBlanks(line);
    origins_.clear();
    origins_.reserve(text.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != ' ') origins_.push_back(Span{static_cast<int>(i), static_cast<int>(i)});
    }
    if (Len(text) > kMaxExpressionLength) {
        Fail(std::move(text), kExpressionTooLong, kMaxExpressionLength + 1,
             kMaxExpressionLength + 1, static_cast<int>(origins_.size()));
        return {{}, failure_};
    }
    using Pass = std::string (ExpressionNormalizer::*)(std::string);
    static constexpr Pass kPasses[] = {
        &ExpressionNormalizer::ExpandFactorials, &ExpressionNormalizer::ConvertDecimals,
        &ExpressionNormalizer::CheckSyntax,      &ExpressionNormalizer::DropFactorOne,
        &ExpressionNormalizer::DropDivisorOne,   &ExpressionNormalizer::InvertNegativeExponents,
        &ExpressionNormalizer::ReplacePowerZero, &ExpressionNormalizer::DropExponentOne,
        &ExpressionNormalizer::DropZeroProducts, &ExpressionNormalizer::SimplifyBrackets,
    };
    for (Pass pass : kPasses) {
        text = (this->*pass)(std::move(text));
        if (failure_) return {{}, failure_};
    }
    return {std::move(text), std::nullopt};
}

auto ExpressionNormalizer::Eraser(std::string& text) {
    return [this, &text](int at) { Splice(text, at, 2, ""); };
}

std::string ExpressionNormalizer::ExpandFactorials(std::string text) {
    Follow(text);
    int from = 1;
    while (const int bang = Find(text, "!", from)) {
        int start = bang;
        while (IsDigit(At(text, start - 1))) --start;
        // No digits, or the fraction digits of a decimal: not a whole number to expand. Nor one
        // that stands where no number may: the check then finds the fault in what was typed
        // (and "2!3" cannot become "1*23").
        if (start == bang || IsIn(At(text, start - 1), ".)!") || IsIn(At(text, bang + 1), ".(") ||
            IsDigit(At(text, bang + 1))) {
            from = bang + 1;
            continue;
        }
        int n = 0;
        for (int i = start; i < bang; ++i) {
            n = n * 10 + (At(text, i) - '0');
            if (n > kMaxExpressionLength) {
                return Fail(std::move(text), kFactorialTooLarge, bang, start, bang);
            }
        }
        std::string product = FactorialProduct(n);
        if (n >= 2 && !(LeftIsLoose(text, start - 1) && RightIsLoose(text, bang + 1))) {
            product.insert(product.begin(), '(');
            product.push_back(')');
        }
        const int length = Len(text) - (bang - start + 1) + static_cast<int>(product.size());
        if (length > kMaxExpressionLength) {
            return Fail(std::move(text), kFactorialTooLarge, bang, start, bang);
        }
        Splice(text, start, bang - start + 1, product);
        // Everything before the product was looked at already and cannot have changed.
        from = start;
    }
    return text;
}

std::string ExpressionNormalizer::ConvertDecimals(std::string text) {
    Follow(text);
    int from = 1;
    while (const int point = Find(text, ".", from)) {
        int before = 0;
        while (IsDigit(At(text, point - 1 - before))) ++before;
        int after = 0;
        while (IsDigit(At(text, point + 1 + after))) ++after;
        // A number right after ")" or "!" is refused by the check for a missing operation; left
        // as typed (all its points), that is where the check finds the fault.
        if (before > 0 && IsIn(At(text, point - before - 1), ")!")) {
            from = point + after + 1;
            while (At(text, from) == '.' || IsDigit(At(text, from))) ++from;
            continue;
        }
        if (before == 0 || after == 0) {
            return Fail(std::move(text), kIllegalDecimal, point + 1, point - before, point + after);
        }
        // A number holds one point: "1.2.3" is no "1.2" followed by ".3".
        if (At(text, point + after + 1) == '.') {
            const int second = point + after + 1;
            int next = 0;
            while (IsDigit(At(text, second + 1 + next))) ++next;
            return Fail(std::move(text), kIllegalDecimal, second + 1, second, second + next);
        }

        const std::size_t first = static_cast<std::size_t>(point - 1 - before);
        const std::string digits =
            text.substr(first, static_cast<std::size_t>(before)) +
            text.substr(static_cast<std::size_t>(point), static_cast<std::size_t>(after));
        // Leading zeros go; a number worth zero is "0", so that a division by it is seen.
        const std::size_t zeros = digits.find_first_not_of('0');
        std::string fraction = "0";
        if (zeros != std::string::npos) {
            fraction = "(";
            fraction.append(digits, zeros)
                .append("/1")
                .append(static_cast<std::size_t>(after), '0');
            fraction.push_back(')');
        }
        const int length = Len(text) - (before + 1 + after) + static_cast<int>(fraction.size());
        if (length > kMaxExpressionLength) {
            return Fail(std::move(text), kExpressionTooLong, point, point - before, point + after);
        }
        Splice(text, point - before, before + 1 + after, fraction);
        from = point - before;
    }
    return text;
}

std::string ExpressionNormalizer::CheckSyntax(std::string text) {
    // Blanks go, and every "(+" loses its "+" in one sweep that does not look at its own output.
    Follow(text);
    std::size_t kept = 0;
    char last = '\0';  // the last character other than a blank, kept or not
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ') continue;
        const bool dropped = c == '+' && last == '(';
        last = c;
        if (!dropped) {
            origins_[kept] = origins_[i];
            text[kept++] = c;
        }
    }
    text.resize(kept);
    origins_.resize(kept);

    table_.Reset();
    if (text.empty()) return text;
    const int n = Len(text);
    if (const int slash = ZeroDivisor(text)) return Fail(std::move(text), kDivisionByZero, slash);
    if (IsIn(At(text, n), "^*/+-")) return Fail(std::move(text), kNoDigitFound1, n);

    std::vector<int> open;  // indexes of the pairs open at depth 1, 2, ...
    for (int i = 1; i <= n; ++i) {
        const char c = At(text, i);
        switch (c) {
            case '^':
            case '*':
            case '/':
            case '+':
            case '-':
            case '!':
                if (i == 1) return Fail(std::move(text), kNoDigitFound2, 1);
                // After "^" only a sign may stand: "2^-1", not "2^*3".
                if (IsIn(At(text, i - 1), "*/+-") || (At(text, i - 1) == '^' && !IsIn(c, "+-"))) {
                    return Fail(std::move(text), kNoDigitFound3, i);
                }
                // "(1)!0" is no number "1!0" = "10": a number after "!" needs an operation.
                if (c == '!' && IsDigit(At(text, i + 1))) {
                    return Fail(std::move(text), kNoOperationFound, i);
                }
                break;
            case '(': {
                const char previous = At(text, i - 1);
                if (i > 1 && (IsDigit(previous) || previous == ')' || previous == '!')) {
                    return Fail(std::move(text), kNoOperationFound, i);
                }
                if (i < n && IsIn(At(text, i + 1), "+*/^!")) {
                    return Fail(std::move(text), kNoDigitFound4, i);
                }
                open.push_back(table_.Open(i, static_cast<int>(open.size()) + 1));
                break;
            }
            case ')':
                if (i == 1) return Fail(std::move(text), kUnpairedBrackets, 1);
                if (IsIn(At(text, i - 1), "(^*/+-")) {
                    return Fail(std::move(text), kNoDigitFound5, i);
                }
                if (i < n && IsDigit(At(text, i + 1))) {
                    return Fail(std::move(text), kNoOperationFound, i);
                }
                if (open.empty()) return Fail(std::move(text), kUnpairedBrackets, i);
                table_.Close(open.back(), i);
                open.pop_back();
                break;
            default:
                break;
        }
    }
    if (!open.empty()) return Fail(std::move(text), kUnpairedBrackets, n);
    return text;
}

// Deletes `pattern` ("*1", "/1", "^1") wherever its "1" stands alone.
std::string ExpressionNormalizer::DropOneAfter(std::string text, std::string_view pattern) {
    Follow(text);
    const bool changed = DeleteWhere(
        text, pattern, [&text](int at) { return OneStandsAlone(text, at + 2); }, Eraser(text));
    return changed ? CheckSyntax(std::move(text)) : text;
}

std::string ExpressionNormalizer::DropFactorOne(std::string text) {
    if (text.empty()) return text;
    Follow(text);
    bool changed = DeleteWhere(
        text, "*1", [&text](int at) { return OneStandsAlone(text, at + 2); }, Eraser(text));
    // "1*" goes only where the product it leaves binds as loosely: not after "/" or "^".
    changed |= DeleteWhere(
        text, "1*", [&text](int at) { return LeftIsLoose(text, at - 1); }, Eraser(text));
    return changed ? CheckSyntax(std::move(text)) : text;
}

std::string ExpressionNormalizer::DropDivisorOne(std::string text) {
    if (text.empty()) return text;
    return DropOneAfter(std::move(text), "/1");
}

std::string ExpressionNormalizer::DropExponentOne(std::string text) {
    if (text.empty()) return text;
    return DropOneAfter(std::move(text), "^1");
}

// First position of the base of the power whose "^" stands at `caret`: the bracket group or
// digit run before it, with any "!" after it; 0 when there is no such base.
int ExpressionNormalizer::BaseStart(const std::string& text, int caret) const {
    int end = caret - 1;
    while (At(text, end) == '!') --end;
    if (At(text, end) == ')') {
        const int index = table_.FindBracketPair(end);
        return table_.IsPair(index) && table_[index].ClosePos == end ? table_[index].OpenPos : 0;
    }
    if (!IsDigit(At(text, end))) return 0;
    while (IsDigit(At(text, end - 1))) --end;
    return end;
}

// Last position of the factor starting at `start` (bracket group or digit run, with any "!");
// 0 when there is none.
int ExpressionNormalizer::FactorEnd(const std::string& text, int start) const {
    int end = 0;
    if (At(text, start) == '(') {
        const int index = table_.FindBracketPair(start);
        if (!table_.IsPair(index) || table_[index].OpenPos != start) return 0;
        end = table_[index].ClosePos;
    } else if (IsDigit(At(text, start))) {
        end = start;
        while (IsDigit(At(text, end + 1))) ++end;
    } else {
        return 0;
    }
    while (At(text, end + 1) == '!') ++end;
    return end;
}

// Is the group opening at `openPos` with "(-" the whole exponent, and its minus the sign of
// all of it? Not when it adds or subtracts outside nested brackets ("(-a+b)" is no negated
// "(a+b)"), nor when a "^" or "!" after it makes it part of a larger exponent.
bool ExpressionNormalizer::IsWholeNegatedExponent(const std::string& text, int openPos) const {
    const int index = table_.FindBracketPair(openPos);
    if (!table_.IsPair(index) || table_[index].OpenPos != openPos) return false;
    const int close = table_[index].ClosePos;
    if (IsIn(At(text, close + 1), "^!")) return false;
    int depth = 0;
    for (int i = openPos + 2; i < close; ++i) {
        const char c = At(text, i);
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if (depth == 0 && (c == '+' || c == '-') && At(text, i - 1) != '^') return false;
    }
    return true;
}

// A base that cannot be 0: a factorial, or a number with a digit other than 0.
bool ExpressionNormalizer::IsNonZeroBase(const std::string& text, int base, int caret) const {
    if (At(text, caret - 1) == '!') return true;
    for (int i = base; i < caret; ++i) {
        const char c = At(text, i);
        if (!IsDigit(c)) return false;
        if (c != '0') return true;
    }
    return false;
}

// Nothing but numbers joined by "*", "/", "^" and "!" from `first` to `last`: never negative.
static bool IsPlainProduct(const std::string& text, int first, int last) {
    if (first > last) return false;
    for (int i = first; i <= last; ++i) {
        const char c = At(text, i);
        if (!IsDigit(c) && !IsIn(c, "*/^!")) return false;
    }
    return true;
}

// The exponent that stays once the minus before it is gone cannot be negative: after "^-" a
// number (or its power or factorial), or a group holding a plain product; after "^(-" the
// rest of the group is a plain product.
bool ExpressionNormalizer::IsNonNegativeExponent(const std::string& text, int caret,
                                                 bool bracketed) const {
    const int start = bracketed ? caret + 1 : caret + 2;
    if (!bracketed && IsDigit(At(text, start))) return true;
    if (At(text, start) != '(') return false;
    const int index = table_.FindBracketPair(start);
    if (!table_.IsPair(index) || table_[index].OpenPos != start) return false;
    return IsPlainProduct(text, start + (bracketed ? 2 : 1), table_[index].ClosePos - 1);
}

std::string ExpressionNormalizer::InvertSweep(std::string text, std::string_view pattern) {
    const int minus = static_cast<int>(pattern.size()) - 1;  // offset of the "-" from the "^"
    int bound = Len(text) + 1;
    while (const int caret = FindLastBefore(text, pattern, bound)) {
        const int base = BaseStart(text, caret);
        // "1/" right after "/" or "^" would divide the wrong operand: such powers stay.
        // Nor does a base that starts with "0" follow "1/": a zero one would be refused there.
        bool rewrite = base > 0 && LeftIsLoose(text, base - 1) && At(text, base) != '0';
        if (rewrite && minus == 2) rewrite = IsWholeNegatedExponent(text, caret + 1);
        // b^-e is 1/b^e unless b is 0 and e negative ("0^-(-3)" is 0, "1/0^(-3)" nothing).
        if (rewrite) {
            rewrite =
                IsNonZeroBase(text, base, caret) || IsNonNegativeExponent(text, caret, minus == 2);
        }
        if (!rewrite) {
            bound = caret;
            continue;
        }
        if (Len(text) + 1 > kMaxExpressionLength) {
            return Fail(std::move(text), kExpressionTooLong, caret);
        }
        text[static_cast<std::size_t>(caret + minus) - 1] = ' ';
        Splice(text, base, 0, "1/");
        // A fresh table after every rewrite: the insertion moved everything behind the base.
        text = CheckSyntax(std::move(text));
        if (failure_) return text;
        bound = caret + 2;
    }
    return text;
}

std::string ExpressionNormalizer::InvertNegativeExponents(std::string text) {
    if (text.empty()) return text;
    Follow(text);
    text = InvertSweep(std::move(text), "^-");
    if (failure_) return text;
    return InvertSweep(std::move(text), "^(-");
}

std::string ExpressionNormalizer::ReplacePowerZero(std::string text) {
    if (text.empty()) return text;
    Follow(text);
    int bound = Len(text) + 1;
    while (const int caret = FindLastBefore(text, "^0", bound)) {
        int last = caret + 1;
        while (At(text, last + 1) == '0') ++last;
        // "^05" is no zero power, and "2^0^2" or "2^0!" take the zero as an operand.
        const bool zeroPower = OneStandsAlone(text, last + 1);
        const int base = BaseStart(text, caret);
        if (!zeroPower || base == 0) {
            bound = caret;
            continue;
        }
        Splice(text, base, last - base + 1, Padded('1', last - base));
        text = CheckSyntax(std::move(text));
        if (failure_) return text;
        bound = base;
    }
    return text;
}

std::string ExpressionNormalizer::DropZeroProducts(std::string text) {
    if (text.empty()) return text;
    Follow(text);
    // "a*0" becomes "0" where "a" is a whole factor of a product that binds no tighter.
    int bound = Len(text) + 1;
    while (const int star = FindLastBefore(text, "*0", bound)) {
        int last = star + 1;
        while (At(text, last + 1) == '0') ++last;
        int base = BaseStart(text, star);
        if (!RightIsLoose(text, last + 1) || base == 0 || !LeftIsLoose(text, base - 1)) {
            bound = star;
            continue;
        }
        // The whole run of factors before the zero goes at once ("2*3*4*0"), one rewrite and
        // one table instead of one per factor.
        while (At(text, base - 1) == '*') {
            const int before = BaseStart(text, base - 1);
            if (before == 0 || !LeftIsLoose(text, before - 1)) break;
            base = before;
        }
        Splice(text, base, last - base + 1, Padded('0', last - base));
        text = CheckSyntax(std::move(text));
        if (failure_) return text;
        bound = base;
    }
    // "0*a" becomes "0" where the "0" is a number of its own ("10*3" is no zero product).
    bound = Len(text) + 1;
    while (const int zero = FindLastBefore(text, "0*", bound)) {
        int first = zero;
        while (At(text, first - 1) == '0') --first;
        int end = FactorEnd(text, zero + 2);
        if (IsDigit(At(text, first - 1)) || !LeftIsLoose(text, first - 1) || end == 0 ||
            !RightIsLoose(text, end + 1)) {
            bound = zero;
            continue;
        }
        // Likewise the whole run of factors after it ("0*4*5*6", as a factorial leaves it).
        while (At(text, end + 1) == '*') {
            const int after = FactorEnd(text, end + 2);
            if (after == 0 || !RightIsLoose(text, after + 1)) break;
            end = after;
        }
        Splice(text, first, end - first + 1, Padded('0', end - first));
        text = CheckSyntax(std::move(text));
        if (failure_) return text;
        bound = first + 1;
    }
    return text;
}

// Brackets around a negative number stay unless removing them keeps both the syntax and the
// value: "((-5)*2)" and "2^(-5)" lose them, "2*(-5)" and "(-5)^2" keep them.
bool ExpressionNormalizer::NegativeKeepsBrackets(const std::string& text,
                                                 const BracketPair& pair) const {
    const char before = At(text, pair.OpenPos - 1);
    const char after = At(text, pair.ClosePos + 1);
    return !(before == '(' || before == '^') || after == '^' || after == '!';
}

std::string ExpressionNormalizer::SimplifyBrackets(std::string text) {
    if (text.empty()) return text;
    Follow(text);
    bool changed = false;
    do {
        changed = false;
        // "+(-(X))" and its kin become "+-((X))": the minus moves out when X is one term.
        for (int at = Find(text, "(-(", 1); at != 0; at = Find(text, "(-(", at + 1)) {
            const int outer = table_.FindBracketPair(at);
            const int inner = table_.FindBracketPair(at + 2);
            if (!table_.IsPair(outer) || !table_.IsPair(inner)) continue;
            if (table_[outer].ClosePos != table_[inner].ClosePos + 1) continue;
            if (FindAnyChar(1, table_.BracketContents(text, inner), "+-") != 0) continue;
            // "(-(3))^2" squares the negative number; moving the minus out would not.
            if (IsIn(At(text, table_[outer].ClosePos + 1), "^!")) continue;
            if (!IsIn(At(text, at - 1), "^+-")) continue;
            Splice(text, at, 2, "-(");
            changed = true;
        }
        for (auto [from, to] : {std::pair{"+-", " -"}, std::pair{"--", " +"}}) {
            for (int at = Find(text, from, 1); at != 0; at = Find(text, from, at + 2)) {
                Splice(text, at, 2, to);
                changed = true;
            }
        }
        if (changed) {
            text = CheckSyntax(std::move(text));
            if (failure_) return text;
        }
        bool unwrapped = false;
        for (int at = Find(text, "((", 1); at != 0; at = Find(text, "((", at + 1)) {
            const int outer = table_.FindBracketPair(at);
            const int inner = table_.FindBracketPair(at + 1);
            if (!table_.IsPair(outer) || !table_.IsPair(inner)) continue;
            if (table_[outer].ClosePos != table_[inner].ClosePos + 1) continue;
            text[static_cast<std::size_t>(at) - 1] = ' ';
            text[static_cast<std::size_t>(table_[outer].ClosePos) - 1] = ' ';
            unwrapped = true;
        }
        if (unwrapped) {
            changed = true;
            text = CheckSyntax(std::move(text));
            if (failure_) return text;
        }
    } while (changed);

    bool unwrapped = false;
    for (int index = 0; index < table_.Count(); ++index) {
        if (!table_.IsPair(index)) continue;
        const BracketPair& pair = table_[index];
        const std::string contents = table_.BracketContents(text, index);
        if (!IsPlainNumber(contents)) continue;
        if (contents[0] == '-' && NegativeKeepsBrackets(text, pair)) continue;
        // "1/(0)!" is 1, but "1/0!" would be refused for its "/0".
        if (contents[0] == '0' && At(text, pair.OpenPos - 1) == '/') continue;
        text[static_cast<std::size_t>(pair.OpenPos) - 1] = ' ';
        text[static_cast<std::size_t>(pair.ClosePos) - 1] = ' ';
        unwrapped = true;
    }
    return unwrapped ? CheckSyntax(std::move(text)) : text;
}

NormalizeResult NormalizeExpression(std::string_view line) {
    ExpressionNormalizer normalizer;
    return normalizer.Normalize(line);
}

}  // namespace zentra
