#include <gtest/gtest.h>

#include "controls/CommandButton.h"
#include "controls/PropertyBag.h"
#include "controls/tests/ButtonFakes.h"

namespace zentra {
namespace {

struct ValueCase {
    PropertyValue value;
    const char* text;
};

TEST(PropertyBag_Values, FormatAndParseBackAlike) {
    ButtonFont symbol{"Symbol", 1200, 700, 2, false, false, false};
    ButtonFont styled{"Arial Black", 1125, 400, 0, true, false, true};
    const ValueCase cases[] = {
        {PropertyValue{}, "Nothing"},
        {true, "True"},
        {false, "False"},
        {std::int32_t{-32768}, "-32768"},
        {std::int32_t{2147483647}, "2147483647"},
        {ColourValue{0x8000000F}, "0x8000000F"},
        {ColourValue{0x00000080}, "0x00000080"},
        {std::string("Clear"), "\"Clear\""},
        {std::string(""), "\"\""},
        {std::string("a\"b\\c\n\r\t\x01\xC3"), "\"a\\\"b\\\\c\\n\\r\\t\\x01\\xC3\""},
        {std::string("=[x] # y"), "\"=[x] # y\""},
        {symbol, "Font(\"Symbol\", 12, 700, 2, False, False, False)"},
        {styled, "Font(\"Arial Black\", 11.25, 400, 0, True, False, True)"},
        {ButtonFont{"Arial", 975, 700, 0}, "Font(\"Arial\", 9.75, 700, 0, False, False, False)"},
        {ButtonFont{"Arial", 950, 700, 0}, "Font(\"Arial\", 9.5, 700, 0, False, False, False)"},
        {BytesValue{{0x42, 0x4D, 0x00, 0xFF}}, "Bytes(424D00FF)"},
        {BytesValue{}, "Bytes()"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatPropertyValue(c.value), c.text);
        auto parsed = ParsePropertyValue(c.text);
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(*parsed, c.value);
    }
}

TEST(PropertyBag_Values, AcceptsLenientSpellings) {
    EXPECT_EQ(ParsePropertyValue("  true "), PropertyValue{true});
    EXPECT_EQ(ParsePropertyValue("0xff"), PropertyValue{ColourValue{0xFF}});
    EXPECT_EQ(ParsePropertyValue("Font(\"Arial\", 9, 400, 0)"),
              PropertyValue{(ButtonFont{"Arial", 900, 400, 0})});
    EXPECT_EQ(ParsePropertyValue("Font( \"Arial\" , 9.7 , 400 , 0 , True )"),
              PropertyValue{(ButtonFont{"Arial", 970, 400, 0, true})});
}

TEST(PropertyBag_Values, RejectsMalformedText) {
    const char* bad[] = {
        "",
        "Tru",
        "Truee",
        "\"open",
        "\"bad \\q escape\"",
        "\"\\x4\"",
        "0x",
        "0x123456789",
        "2147483648",
        "12abc",
        "Bytes(4)",
        "Bytes(4G)",
        "Bytes(42",
        "Font()",
        "Font(\"\", 9, 400, 0)",
        "Font(\"Arial\", 9.755, 400, 0)",
        "Font(\"Arial\", 0, 400, 0)",
        "Font(\"Arial\", 9, 1001, 0)",
        "Font(\"Arial\", 9, 400, 256)",
        "Font(\"Arial\", 9, 400, 0, Maybe)",
        "Font(\"Arial\", 9, 400, 0",
        "\"a\" \"b\"",
        "Nothing more",
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParsePropertyValue(text).has_value());
    }
}

TEST(PropertyBag_Store, KeepsFirstWriteOrderAndIgnoresCase) {
    PropertyBag bag;
    bag.Write("Caption", std::string("1"));
    bag.Write("Enabled", true);
    bag.Write("caption", std::string("2"));
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"Caption", "Enabled"}));
    EXPECT_EQ(bag.Read("CAPTION"), PropertyValue{std::string("2")});
    EXPECT_FALSE(bag.Read("Font").has_value());
}

TEST(PropertyBag_Text, RoundTripsAndSkipsUnreadableLines) {
    PropertyBag bag;
    bag.Write("Accelerator", std::string("+"));
    bag.Write("BackColor", ColourValue{0x8000000F});
    bag.Write("Font", ButtonFont{"Arial", 975, 700, 0});
    bag.Write("Picture", PropertyValue{});
    const std::string text = WritePropertyText(bag);
    EXPECT_EQ(text,
              "Accelerator = \"+\"\n"
              "BackColor = 0x8000000F\n"
              "Font = Font(\"Arial\", 9.75, 700, 0, False, False, False)\n"
              "Picture = Nothing\n");
    EXPECT_EQ(ReadPropertyText(text), bag);

    const PropertyBag messy = ReadPropertyText(
        "# comment\r\n"
        "Caption = \"A\"\r\n"
        "no equals sign\n"
        "Bad Key = 1\n"
        "Enabled = perhaps\n"
        "\n"
        "  Enabled=False  \r"
        "[later]\n"
        "Caption = \"in a section\"\n");
    EXPECT_EQ(messy.Keys(), (std::vector<std::string>{"Caption", "Enabled"}));
    EXPECT_EQ(messy.Read("Caption"), PropertyValue{std::string("A")});
    EXPECT_EQ(messy.Read("Enabled"), PropertyValue{false});
}

TEST(PropertyBag_Sections, RoundTripInOrder) {
    std::vector<PropertySection> sections(2);
    sections[0].name = "bbDigit(1)";
    sections[0].properties.Write("Caption", std::string("1"));
    sections[1].name = "bbCntrl(0)";
    sections[1].properties.Write("Cancel", true);
    const std::string text = WritePropertySections(sections);
    EXPECT_EQ(text, "[bbDigit(1)]\nCaption = \"1\"\n\n[bbCntrl(0)]\nCancel = True\n");
    const auto back = ReadPropertySections("Orphan = 1\n" + text);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].name, "bbDigit(1)");
    EXPECT_EQ(back[0].properties, sections[0].properties);
    EXPECT_EQ(back[1].name, "bbCntrl(0)");
    EXPECT_EQ(back[1].properties, sections[1].properties);
}

}  // namespace
}  // namespace zentra

namespace zentra {
namespace {

// Mangled designs and pictures: whatever the bytes, reading returns and loading skips.
TEST(PropertyBag_Robustness, MangledTextNeverBreaksReadingOrLoading) {
    const std::string seed =
        "[bbDigit(1)]\nCaption = \"1\\x41\"\nFont = Font(\"Arial\", 9.75, 700, 0, True)\n"
        "Picture = Bytes(424D3A000000000000003600000028000000010000000100000001001800)\n"
        "ForeColor = 0x00FF0000\nMousePointer = 99\nEnabled = False\n";
    std::uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return state >> 16;
    };
    for (int round = 0; round < 2000; ++round) {
        std::string text = seed;
        const int edits = 1 + static_cast<int>(next() % 8);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = next() % text.size();
            const std::string head = text.substr(0, at);
            const std::size_t cut = std::min(text.size(), at + 1 + next() % 4);
            switch (next() % 3) {
                case 0:
                    text[at] = static_cast<char>(next());
                    break;
                case 1:
                    text = head + text.substr(cut);
                    break;
                default:
                    text = head + "\"()\\x,=[]0"[next() % 10] + text.substr(at);
                    break;
            }
            if (text.empty()) text.push_back('[');
        }
        for (const auto& section : ReadPropertySections(text)) {
            const std::string again = WritePropertyText(section.properties);
            EXPECT_EQ(ReadPropertyText(again), section.properties) << text;
            testing::FakeButtonHost host;
            testing::FakeTimer timer;
            CommandButton button(host, timer);
            button.LoadProperties(section.properties);
            button.OnResize(36, 28);
            testing::RecordingCanvas canvas;
            button.Draw(canvas);
            EXPECT_EQ(button.SaveProperties().Keys().size(), 11u);
        }
    }
}

}  // namespace
}  // namespace zentra
