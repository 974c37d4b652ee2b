// The linear mode's "=" key: checks an expression's syntax and rewrites it into a simpler text of
// the same value (factorials expanded, decimals as fractions, ones, zero powers and redundant
// brackets dropped). It computes no value.
//
// Operator reading the rewrites keep: "+" "-" lowest, then "*" "/", then a sign directly after
// "(" or "^" (it takes a power: "(-2^2)" is -4), then "^" (right to left: "2^3^2" is 2^9), then
// the postfix "!". A rewrite whose neighbours bind tighter than that assumes is bracketed or left
// out, so an accepted text keeps its value.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input/BracketTable.h"

namespace zentra {

// Positions are 16-bit in the edit control's world, so longer texts are refused.
inline constexpr int kMaxExpressionLength = 32767;

inline constexpr std::string_view kIllegalDecimal = "Illegal decimal.";
inline constexpr std::string_view kDivisionByZero = "Division by zero.";
inline constexpr std::string_view kNoDigitFound1 = "No digit found (1).";
inline constexpr std::string_view kNoDigitFound2 = "No digit found (2).";
inline constexpr std::string_view kNoDigitFound3 = "No digit found (3).";
inline constexpr std::string_view kNoDigitFound4 = "No digit found (4).";
inline constexpr std::string_view kNoDigitFound5 = "No digit found (5).";
inline constexpr std::string_view kNoOperationFound = "No operation found.";
inline constexpr std::string_view kUnpairedBrackets = "Unpaired Brackets.";
inline constexpr std::string_view kExpressionTooLong = "Expression too long.";
inline constexpr std::string_view kFactorialTooLarge = "Factorial too large.";

// What a check found wrong: the message, the 1-based position of the offending character in
// the text as the failing pass saw it (blanks removed, factorials expanded, decimals converted),
// and what to select in the line as typed (0-based): that character, or the whole number or
// factorial it came from.
struct NormalizeFailure {
    std::string message;
    int position = 0;
    int selStart = 0;
    int selLength = 0;
    bool operator==(const NormalizeFailure&) const = default;
};

struct NormalizeResult {
    std::string text;  // the normalised text; empty on failure
    std::optional<NormalizeFailure> failure;
    bool Succeeded() const { return !failure; }
};

// The ten passes over one text. Each pass returns its rewritten text; a failing check records
// its failure (see Failure()) and the caller stops. The bracket table is the one the last
// CheckSyntax built.
class ExpressionNormalizer {
  public:
    // Removes the blanks, then runs the passes in order until one fails.
    NormalizeResult Normalize(std::string_view line);

    std::string ExpandFactorials(std::string text);
    std::string ConvertDecimals(std::string text);
    std::string CheckSyntax(std::string text);
    std::string DropFactorOne(std::string text);
    std::string DropDivisorOne(std::string text);
    std::string InvertNegativeExponents(std::string text);
    std::string ReplacePowerZero(std::string text);
    std::string DropExponentOne(std::string text);
    std::string DropZeroProducts(std::string text);
    std::string SimplifyBrackets(std::string text);

    const BracketTable& Table() const { return table_; }
    const std::optional<NormalizeFailure>& Failure() const { return failure_; }

  private:
    // The characters of the line as typed (0-based, inclusive) a working character stands for.
    struct Span {
        int first = 0;
        int last = 0;
    };

    // Failure at `position`; the selection covers the working characters `first` to `last`
    // (just `position` when they are 0).
    std::string Fail(std::string text, std::string_view message, int position, int first = 0,
                     int last = 0);
    // A pass called on a text the map does not follow (on its own, as tests do) maps each
    // character to itself.
    void Follow(const std::string& text);
    // ReplaceAt that keeps the map: a piece of another length stands for all it replaced.
    void Splice(std::string& text, int position, int count, std::string_view insert);
    // Deletes the two characters at a position, through Splice.
    auto Eraser(std::string& text);
    std::string DropOneAfter(std::string text, std::string_view pattern);
    std::string InvertSweep(std::string text, std::string_view pattern);
    int BaseStart(const std::string& text, int caret) const;
    int FactorEnd(const std::string& text, int start) const;
    bool IsWholeNegatedExponent(const std::string& text, int openPos) const;
    bool IsNonZeroBase(const std::string& text, int base, int caret) const;
    bool IsNonNegativeExponent(const std::string& text, int caret, bool bracketed) const;
    bool NegativeKeepsBrackets(const std::string& text, const BracketPair& pair) const;

    BracketTable table_;
    std::optional<NormalizeFailure> failure_;
    std::vector<Span> origins_;  // one per character of the working text
};

NormalizeResult NormalizeExpression(std::string_view line);

}  // namespace zentra
