#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/numbers/Common.h"
#include "common/system/Paths.h"
#include "common/system/Registry.h"

namespace zentra {
namespace {

constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine;
const std::string kKey = "SOFTWARE\\Maker\\Zentra!";

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

TEST(Registry_WriteValue, StoresTextAsTheTypeAsks) {
    struct Case {
        std::uint32_t type;
        const char* text;
        bool written;
        std::vector<std::uint8_t> stored;
    };
    const Case cases[] = {
        {kRegSz, "1", true, Bytes("1")},  // no terminating NUL
        {kRegSz, "", true, {}},
        {kRegBinary, "ab", true, Bytes("ab")},
        {kRegDword, "258", true, {2, 1, 0, 0}},
        {kRegDword, "-1", true, {0xFF, 0xFF, 0xFF, 0xFF}},
        {kRegDword, " 2.5x", true, {2, 0, 0, 0}},  // leading number, half to even
        {kRegDword, "abc", true, {0, 0, 0, 0}},
        {kRegDword, "4294967296", false, {}},  // beyond 32 bits: refused, not wrapped
        {kRegExpandSz, "%PATH%", false, {}},
    };
    for (const Case& c : cases) {
        MemoryRegistry registry;
        EXPECT_EQ(RegWriteValue(registry, kMachine, kKey, "V", c.text, c.type), c.written)
            << c.text;
        const auto value = registry.QueryValue(kMachine, kKey, "V");
        ASSERT_EQ(value.has_value(), c.written) << c.text;
        if (value) {
            EXPECT_EQ(value->type, c.type) << c.text;
            EXPECT_EQ(value->data, c.stored) << c.text;
        }
    }
    MemoryRegistry refusing;
    refusing.RefuseWrites(kMachine);
    EXPECT_FALSE(RegWriteValue(refusing, kMachine, kKey, "V", "1"));
}

TEST(Registry_ReadValue, GivesTextByTypeAndEmptyForMissingValues) {
    struct Case {
        std::uint32_t type;
        std::vector<std::uint8_t> data;
        std::string text;
    };
    const Case cases[] = {
        {kRegSz, Bytes(std::string("1\0", 2)), "1"},
        {kRegSz, Bytes("1"), "1"},  // written without NUL: nothing is cut
        {kRegExpandSz, Bytes(std::string("%A%\0", 4)), "%A%"},
        {kRegMultiSz, Bytes(std::string("a\0b\0\0", 5)), std::string("a\0b\0", 4)},
        {kRegDword, {1, 0, 0, 0}, "1"},
        {kRegDword, {0xFE, 0xFF, 0xFF, 0xFF}, "-2"},
        {kRegDword, {1, 0}, ""},  // short data is not read past its end
        {kRegBinary, Bytes("x"), "x"},
    };
    for (const Case& c : cases) {
        MemoryRegistry registry;
        registry.SetValue(kMachine, kKey, "V", {c.type, c.data});
        std::vector<std::uint8_t> raw;
        std::uint32_t type = 0;
        EXPECT_EQ(RegReadValue(registry, kMachine, kKey, "V", &raw, &type), c.text) << c.type;
        EXPECT_EQ(raw, c.data);
        EXPECT_EQ(type, c.type);
    }
    MemoryRegistry empty;
    EXPECT_EQ(RegReadValue(empty, kMachine, kKey, "V"), "");
    empty.SetValue(kMachine, kKey, "Other", {kRegSz, Bytes("1")});
    EXPECT_EQ(RegReadValue(empty, kMachine, kKey, "V"), "");
}

TEST(Common_SplitPath, SplitsEachStyleAndRefusesBadNames) {
    struct Case {
        const char* path;
        PathStyle style;
        const char* drive;
        const char* folder;
        const char* name;
        const char* extension;
    };
    constexpr auto S = PathStyle::Short;
    constexpr auto L = PathStyle::Long;
    constexpr auto U = PathStyle::Unchecked;
    const Case cases[] = {
        {"C:\\Windows\\calc.exe", L, "C:\\", "Windows\\", "calc.exe", ".exe"},
        {"C:\\Windows\\calc.exe", S, "C:\\", "Windows\\", "calc", ".exe"},
        {"C:\\Windows\\calc.exe", U, "C:\\", "Windows\\", "calc", ".exe"},
        {"calc.exe", L, "", "", "calc.exe", ".exe"},
        {"C:\\calc", L, "C:\\", "", "calc", ""},
        {"a.b\\c\\name", L, "", "a.b\\c\\", "name", ""},
        {"x\\long name.tar.gz", L, "", "x\\", "long name.tar.gz", ".gz"},
        {"x\\a*b", U, "", "x\\", "a*b", ""},
        {"12345678.123", S, "", "", "12345678", ".123"},
        // Refused: all parts empty.
        {"C:\\a|b", U, "", "", "", ""},
        {"C:\\a:b", L, "", "", "", ""},
        {"a<b", U, "", "", "", ""},
        {"a\"b", L, "", "", "", ""},
        {"a?b", L, "", "", "", ""},
        {"a/b", S, "", "", "", ""},
        {"a b", S, "", "", "", ""},
        {"a+b", S, "", "", "", ""},
        {".profile", S, "", "", "", ""},
        {"name.", S, "", "", "", ""},
        {"123456789.a", S, "", "", "", ""},
        {"123456789", S, "", "", "", ""},
    };
    for (const Case& c : cases) {
        const PathParts parts = SplitPath(c.path, c.style);
        const std::string label =
            std::string(c.path) + " style " + std::to_string(static_cast<int>(c.style));
        EXPECT_EQ(parts.drive, c.drive) << label;
        EXPECT_EQ(parts.folder, c.folder) << label;
        EXPECT_EQ(parts.name, c.name) << label;
        EXPECT_EQ(parts.extension, c.extension) << label;
        EXPECT_EQ(parts.refused, std::string(c.name).empty() && std::string(c.drive).empty())
            << label;
    }
}

class RecordingSearch final : public FileSearchPort {
  public:
    std::string Search(const std::string& folder, const std::string& file) const override {
        asked = folder + "|" + file;
        return answer;
    }
    mutable std::string asked;
    std::string answer = "C:\\Windows\\system32\\calc.exe";
};

TEST(Common_FindProgramFile, SearchesTheGivenFolderOrTheSystemOrder) {
    struct Case {
        const char* file;
        const char* asked;
    };
    const Case cases[] = {
        {"calc.exe", "|calc.exe"},
        {"C:\\calc.exe", "|C:\\calc.exe"},
        {"C:\\Tools\\calc.exe", "C:\\Tools|calc.exe"},
        {"Tools\\calc.exe", "Tools|calc.exe"},
        {"a|b.exe", ""},
    };
    for (const Case& c : cases) {
        RecordingSearch search;
        const std::string found = FindProgramFile(search, c.file);
        EXPECT_EQ(search.asked, c.asked) << c.file;
        EXPECT_EQ(found, search.asked.empty() ? "" : search.answer) << c.file;
    }
    RecordingSearch missing;
    missing.answer = "";
    EXPECT_EQ(FindProgramFile(missing, "calc.exe"), "");
}

// 260 characters as the system counts them (UTF-16 code units), not bytes of the UTF-8 text.
TEST(Common_FindProgramFile, TakesPathsOfAtMost260Characters) {
    // 12 characters besides the folder.
    const auto path = [](int count, const std::string& character, const std::string& tail) {
        std::string text = "C:\\";
        for (int i = 0; i < count; ++i) text += character;
        return text.append(tail).append("\\calc.exe");
    };
    struct Case {
        std::string answer;
        bool kept;
    };
    const Case cases[] = {
        {path(248, "a", ""), true},
        {path(249, "a", ""), false},
        {path(248, "\u0416", ""), true},  // two bytes, one unit
        {path(249, "\u0416", ""), false},
        {path(124, "\U0001F600", ""), true},  // four bytes, two units
        {path(124, "\U0001F600", "a"), false},
    };
    for (const Case& c : cases) {
        RecordingSearch search;
        search.answer = c.answer;
        EXPECT_EQ(FindProgramFile(search, "calc.exe"), c.kept ? c.answer : "") << c.answer.size();
    }
}

}  // namespace
}  // namespace zentra
