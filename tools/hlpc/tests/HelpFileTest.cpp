#include <gtest/gtest.h>

#include "tools/hlpc/HelpFile.h"
#include "tools/hlpc/tests/HelpReader.h"

namespace zentra::hlp {
namespace {

using test::Get16;
using test::Get32;

// One topic, id 1, titled "A", with the paragraph "x".
const char* const kTinySource = "@title T\n@contents 1\n== 1 A\nx\n";

Bytes Le32(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

const Bytes& FileNamed(const std::vector<InternalFile>& files, const std::string& name) {
    for (const auto& f : files) {
        if (f.first == name) return f.second;
    }
    throw std::runtime_error("no internal file " + name);
}

TEST(HelpFile, HashesContextNamesLikeTheViewer) {
    EXPECT_EQ(ContextHash("IDH_1"), 0x05311E4D);
    EXPECT_EQ(ContextHash("a"), 17);
    EXPECT_EQ(ContextHash("A0"), 17 * 43 + 10);
    EXPECT_EQ(ContextHash("a.b_"), ((17 * 43 + 12) * 43 + 18) * 43 + 13);
    EXPECT_EQ(ContextHash("a b"), ContextHash("ab"));  // other characters are skipped
    EXPECT_EQ(ContextHash("IDH_999999"), -812049144);  // wraps into the negative half
}

TEST(HelpFile, PacksLiteralsWithAFlagByteBeforeEveryEight) {
    const Bytes raw = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(CompressLiterals(raw), (Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 0, 9}));
    EXPECT_EQ(test::UnpackLz77(CompressLiterals(raw), 0, 11), raw);
    EXPECT_TRUE(CompressLiterals(Bytes{}).empty());
    // A full block of data fills the block exactly.
    EXPECT_EQ(CompressLiterals(Bytes(kRawBytesPerBlock, 7)).size(),
              kTopicBlockSize - kTopicBlockHeaderSize);
}

TEST(HelpFile, WritesTheSystemFile) {
    const auto files = CompileInternalFiles(ParseHelpSource(kTinySource));
    // clang-format off
    const Bytes expected = {
        0x6C, 0x03, 33, 0, 1, 0, 0, 0, 0, 0, 4, 0,  // magic, minor 33, major 1, date 0, LZ77
        1, 0, 2, 0, 'T', 0,                         // title
        3, 0, 4, 0, 0, 0, 0, 0,                     // contents topic at offset 0
        6, 0, 90, 0, 7, 0,                          // main window: type, name and caption given
    };
    // clang-format on
    const Bytes& system = FileNamed(files, "|SYSTEM");
    ASSERT_EQ(system.size(), expected.size() + 88);
    EXPECT_EQ(Bytes(system.begin(), system.begin() + static_cast<long>(expected.size())), expected);
    const std::string window(system.begin() + static_cast<long>(expected.size()), system.end());
    EXPECT_EQ(window, std::string("main\0\0\0\0\0\0main\0\0\0\0\0T", 20) + std::string(68, '\0'));
}

TEST(HelpFile, WritesTheTopicLinks) {
    const CompiledTopics topics = CompileTopics(ParseHelpSource(kTinySource));
    const Bytes none = Le32(0xFFFFFFFF);
    const Bytes expected = Concat({
        // Topic header at position 12: 51 bytes, title "A", next link at 63.
        Le32(51),
        Le32(2),
        none,
        Le32(63),
        Le32(49),
        {0x02},
        Le32(131),
        none,
        none,
        Le32(0),
        none,
        Le32(63),
        Le32(143),  // topic 0, scroll 63, next 143
        {'A', 0},
        // Heading paragraph at 63: font 2, "A", end of paragraph.
        Le32(40),
        Le32(4),
        Le32(12),
        Le32(103),
        Le32(36),
        {0x20},
        {0x08, 0x80, 0x08, 0x00, 0x80, 0x00, 0x00, 0x04, 0x00, 0x90, 0x80, 0x02, 0x00, 0x82, 0xFF},
        {0, 'A', 0, 0},
        // Body paragraph at 103: space above 6 half points, font 0, "x".
        Le32(40),
        Le32(4),
        Le32(63),
        Le32(143),
        Le32(36),
        {0x20},
        {0x08, 0x80, 0x08, 0x00, 0x80, 0x00, 0x00, 0x02, 0x00, 0x8C, 0x80, 0x00, 0x00, 0x82, 0xFF},
        {0, 'x', 0, 0},
        // The empty topic header that ends the chain, at 143.
        Le32(50),
        Le32(1),
        Le32(103),
        none,
        Le32(49),
        {0x02},
        Le32(50),
        none,
        none,
        Le32(1),
        none,
        none,
        none,
        {0},
    });
    EXPECT_EQ(topics.raw, expected);
    ASSERT_EQ(topics.places.size(), 1u);
    EXPECT_EQ(topics.places[0].offset, 0u);

    const Bytes block = Concat({none, Le32(12), Le32(143), CompressLiterals(expected)});
    EXPECT_EQ(topics.file, block);
}

TEST(HelpFile, WritesContextMapAndHashTree) {
    const auto files = CompileInternalFiles(ParseHelpSource(kTinySource));
    EXPECT_EQ(FileNamed(files, "|CTXOMAP"), (Bytes{1, 0, 1, 0, 0, 0, 0, 0, 0, 0}));

    const Bytes& context = FileNamed(files, "|CONTEXT");
    const Bytes header = {0x3B, 0x29, 0x02, 0x00, 0x00, 0x08, 'L', '4', 0, 0, 0, 0, 0,
                          0,    0,    0,    0,    0,    0,    0,   0,   0, 0, 0, 0, 0,
                          0,    0,    0xFF, 0xFF, 1,    0,    1,   0,   1, 0, 0, 0};
    const Bytes page =
        Concat({{0xF0, 0x07, 1, 0, 0xFF, 0xFF, 0xFF, 0xFF}, Le32(0x05311E4D), Le32(0)});
    ASSERT_EQ(context.size(), 38u + 0x800);
    EXPECT_EQ(Bytes(context.begin(), context.begin() + 38), header);
    EXPECT_EQ(Bytes(context.begin() + 38, context.begin() + 54), page);
    EXPECT_EQ(std::count(context.begin() + 54, context.end(), 0), 0x800 - 16);
}

TEST(HelpFile, WritesTheFontTable) {
    const auto files = CompileInternalFiles(ParseHelpSource(kTinySource));
    const Bytes& font = FileNamed(files, "|FONT");
    ASSERT_EQ(font.size(), 8u + 2 * 20 + 4 * 11);
    EXPECT_EQ(Bytes(font.begin(), font.begin() + 8), (Bytes{2, 0, 4, 0, 8, 0, 48, 0}));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&font[8])), "Arial");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&font[28])), "Symbol");
    // Heading: bold, 12 pt, swiss, face 0, dark blue on white.
    EXPECT_EQ(Bytes(font.begin() + 48 + 2 * 11, font.begin() + 48 + 3 * 11),
              (Bytes{1, 24, 3, 0, 0, 0, 0, 0x80, 0xFF, 0xFF, 0xFF}));
}

TEST(HelpFile, PacksFilesBehindASortedDirectory) {
    const Bytes file = CompileHelpFile(ParseHelpSource(kTinySource));
    EXPECT_EQ(Get32(file, 0), 0x00035F3Fu);
    EXPECT_EQ(Get32(file, 8), 0xFFFFFFFFu);
    EXPECT_EQ(Get32(file, 12), file.size());
    const auto entries = test::DirectoryEntries(file);
    const std::map<std::string, std::uint32_t> expected = {
        {"|CONTEXT", 16},  {"|CTXOMAP", 2111}, {"|FONT", 2130},
        {"|SYSTEM", 2231}, {"|TOPIC", 2360},   {"|TTLBTREE", 2585},
    };
    EXPECT_EQ(entries, expected);
    EXPECT_EQ(Get32(file, 4), 2585u + 9 + 38 + 0x800);  // the directory comes last
    EXPECT_EQ(file.size(), Get32(file, 4) + 9 + 38 + 0x400);
    const std::size_t dir = Get32(file, 4);
    EXPECT_EQ(Get16(file, dir + 9 + 2), 0x0402);  // directory flag
    EXPECT_EQ(Get32(file, 2360), 225u);           // reserved = used + header
    EXPECT_EQ(Get32(file, 2360 + 4), 216u);
}

TEST(HelpFile, RefusesTreesLargerThanOnePage) {
    const std::vector<Bytes> entries(103, Bytes(20, 1));
    EXPECT_THROW(SingleLeafBTree("Lz", 0x0800, false, entries), std::length_error);
    EXPECT_NO_THROW(SingleLeafBTree("Lz", 0x0800, false, std::vector<Bytes>(102, Bytes(20, 1))));
}

}  // namespace
}  // namespace zentra::hlp
