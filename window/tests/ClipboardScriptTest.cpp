#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/ClipboardScript.h"

namespace zentra {
namespace {

TEST(ClipboardScript_Lines, EveryKindOfLineEndEndsALine) {
    struct Case {
        const char* text;
        std::vector<std::string_view> lines;
    };
    const Case cases[] = {
        {"12\r\n18", {"12", "18"}},
        {"12\n18\n", {"12", "18"}},
        {"12\r18\r", {"12", "18"}},
        {"12\r\n\r\n18", {"12", "", "18"}},
        {"12\n\r18", {"12", "", "18"}},
        {"", {}},
        {"\n", {""}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
}

TEST(ClipboardScript_Parse, ReadsCodesAndNumbers) {
    using enum ScriptCode;
    struct Case {
        const char* text;
        bool worth;
        ScriptCode leading;
        std::vector<ScriptNumber> numbers;
        ScriptCode trailing;
        bool overlong;
    };
    const Case cases[] = {
        {"12\r\n18\r\n", true, None, {12, 18}, None, false},
        {":c\r\n12\r\n18\r\n:l", true, Clear, {12, 18}, Lcm, false},
        {":c\n12\n18\n:l", true, Clear, {12, 18}, Lcm, false},
        {":c\r12\r18\r:l", true, Clear, {12, 18}, Lcm, false},
        {":*", true, Factorization, {}, None, false},
        // Recognised in any case, removed only in lower case: the line ":L" ends the numbers.
        {":L\r\n4\r\n6", true, Lcm, {}, None, false},
        {"-12.7", true, None, {12}, None, false},
        {"12\r\n\r\n18", true, None, {12}, None, false},
        {"12\r\nabc\r\n18", true, None, {12}, None, false},
        {"12\r\n:G", true, None, {12}, None, false},
        {"12\r\n:g", true, None, {12}, Gcd, false},
        {"4\r\n6\r\n:/", true, None, {4, 6}, Cancellation, false},
        {"999999999999", true, None, {999999999999}, None, false},
        {"1234567890123", true, None, {}, None, true},
        // The first 13-digit value ends the numbers; the largest 12-digit one before it is taken.
        {"999999999999\r\n1000000000000\r\n7", true, None, {999999999999}, None, true},
        {"12\r\n1234567890123\r\n:l", true, None, {12}, None, true},
        {"1e30", true, None, {}, None, true},
        {"", false, None, {}, None, false},
        {"abc", false, None, {}, None, false},
        {"0\r\n5", false, None, {}, None, false},
        {"  7 apples", true, None, {7}, None, false},
        {"&H10", true, None, {16}, None, false},
        // A leading code removes every exact occurrence of itself, so the trailing one goes too.
        {":l\r\n12\r\n:l", true, Lcm, {12}, None, false},
        // A code with no number: the trailing line is not looked at.
        {":*\r\nx\r\n:l", true, Factorization, {}, None, false},
    };
    for (const Case& c : cases) {
        const ClipboardScript script = ParseClipboardScript(c.text);
        EXPECT_EQ(script.worthPasting, c.worth) << c.text;
        EXPECT_EQ(script.leadingCode, c.leading) << c.text;
        EXPECT_EQ(script.numbers, c.numbers) << c.text;
        EXPECT_EQ(script.trailingCode, c.trailing) << c.text;
        EXPECT_EQ(script.overlong, c.overlong) << c.text;
    }
}

}  // namespace
}  // namespace zentra
