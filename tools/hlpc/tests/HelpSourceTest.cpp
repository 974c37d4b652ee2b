#include <gtest/gtest.h>

#include "tools/hlpc/HelpSource.h"

namespace zentra::hlp {
namespace {

std::string WithTopics(const std::string& body) {
    return "@title Test Help\n@contents 1\n== 1 First\n" + body + "\n== 2 Second\nText.\n";
}

TEST(HelpSource, ReadsHeaderAndTopics) {
    const HelpSource source = ParseHelpSource(
        "# comment\n@title Quorvel Help\n@copyright (c) 2026\n@contents 2\n@macro BrowseButtons()\n"
        "== 1 One\nFirst line\ncontinued.\n\nSecond paragraph.\n== 2 Two\n- bullet\n");
    EXPECT_EQ(source.title, "Quorvel Help");
    EXPECT_EQ(source.copyright, "(c) 2026");
    EXPECT_EQ(source.contentsId, 2u);
    EXPECT_EQ(source.macros, std::vector<std::string>{"BrowseButtons()"});
    ASSERT_EQ(source.topics.size(), 2u);
    const Topic& one = source.topics[0];
    EXPECT_EQ(one.id, 1u);
    EXPECT_EQ(one.title, "One");
    ASSERT_EQ(one.paragraphs.size(), 3u);
    EXPECT_EQ(one.paragraphs[0], (Paragraph{ParagraphKind::Heading, {TextRun{"One"}}}));
    EXPECT_EQ(one.paragraphs[1],
              (Paragraph{ParagraphKind::Body, {TextRun{"First line continued."}}}));
    EXPECT_EQ(one.paragraphs[2], (Paragraph{ParagraphKind::Body, {TextRun{"Second paragraph."}}}));
    EXPECT_EQ(source.topics[1].paragraphs[1],
              (Paragraph{ParagraphKind::Bullet, {TextRun{"bullet"}}}));
    EXPECT_EQ(source.FindTopic(2), &source.topics[1]);
    EXPECT_EQ(source.FindTopic(3), nullptr);
}

TEST(HelpSource, SplitsInlineMarkupIntoRuns) {
    struct Case {
        const char* text;
        std::vector<TextRun> runs;
    };
    const Case cases[] = {
        {"plain", {TextRun{"plain"}}},
        {"a **bold** b", {TextRun{"a "}, TextRun{"bold", RunStyle::Bold}, TextRun{" b"}}},
        {"see [two](2).",
         {TextRun{"see "}, TextRun{"two", RunStyle::Normal, LinkKind::Jump, 2}, TextRun{"."}}},
        {"[pop](popup:2)", {TextRun{"pop", RunStyle::Normal, LinkKind::Popup, 2}}},
        {"**x [two](2)**",
         {TextRun{"x ", RunStyle::Bold}, TextRun{"two", RunStyle::Bold, LinkKind::Jump, 2}}},
        {"key {sym:P}!", {TextRun{"key "}, TextRun{"P", RunStyle::Symbol}, TextRun{"!"}}},
        {"\\[not a link\\] \\*\\*", {TextRun{"[not a link] **"}}},
        {"**:\\*** on", {TextRun{":*", RunStyle::Bold}, TextRun{" on"}}},
        {"2³ · 3² – 5 €", {TextRun{"2\xB3 \xB7 3\xB2 \x96 5 \x80"}}},
    };
    for (const Case& c : cases) {
        const HelpSource source = ParseHelpSource(WithTopics(c.text));
        EXPECT_EQ(source.topics[0].paragraphs.at(1).runs, c.runs) << c.text;
    }
}

TEST(HelpSource, ReportsFaultsWithTheirLine) {
    struct Case {
        const char* source;
        int line;
        const char* message;
    };
    const Case cases[] = {
        {"@title T\n@contents 1\n== 1 A\nsee [x](9)\n", 4, "link to missing topic 9"},
        {"@title T\n@contents 1\n== 1 A\n== 1 B\n", 4, "topic id used twice"},
        {"@title T\n@contents 7\n== 1 A\n", 2, "the contents topic does not exist"},
        {"@title T\n@contents 1\n== 1 A\na **b\n", 4, "unclosed **"},
        {"@title T\n@contents 1\n== 1 A\na [b](x)\n", 4, "link target is not a topic id"},
        {"@title T\n@contents 1\n== 1 A\nΠ\n", 4, "outside Windows-1252"},
        {"@title T\n@contents 1\n== x A\n", 3, "numeric id"},
        {"@title T\n@contents 1\n== 1\n", 3, "needs a title"},
        {"@title T\ntext\n== 1 A\n", 2, "before the first topic"},
        {"@title T\n@colour red\n", 2, "unknown directive"},
        {"@contents 1\n== 1 A\n", 1, "@title is missing"},
    };
    for (const Case& c : cases) {
        try {
            ParseHelpSource(c.source);
            ADD_FAILURE() << "accepted: " << c.source;
        } catch (const SourceError& e) {
            EXPECT_EQ(e.line(), c.line) << c.source;
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
                << c.source << " gave " << e.what();
        }
    }
}

TEST(HelpSource, ConvertsUtf8ToWindows1252) {
    EXPECT_EQ(Utf8ToWindows1252("a\xC2\xB7"
                                "b"),
              "a\xB7"
              "b");
    EXPECT_EQ(Utf8ToWindows1252("\xE2\x80\xA2"), "\x95");    // bullet
    EXPECT_EQ(Utf8ToWindows1252("\xC3\xA9"), "\xE9");        // e acute
    EXPECT_EQ(Utf8ToWindows1252("\xCE\xA0"), std::nullopt);  // capital Pi
    EXPECT_EQ(Utf8ToWindows1252("\xC3"), std::nullopt);      // cut sequence
    EXPECT_EQ(Utf8ToWindows1252("\x81"), std::nullopt);      // stray continuation byte
    EXPECT_EQ(Utf8ToWindows1252("\x01"), std::nullopt);      // control character
}

}  // namespace
}  // namespace zentra::hlp
