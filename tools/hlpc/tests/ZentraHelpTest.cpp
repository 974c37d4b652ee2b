// The program's own help file: every topic the program asks for exists, and a viewer walking the
// file finds each topic at the offset the maps give, across several topic blocks.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "tools/hlpc/HelpFile.h"
#include "tools/hlpc/tests/HelpReader.h"

namespace zentra::hlp {
namespace {

using test::Get16;
using test::Get32;

class ZentraHelp : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::ifstream in(ZENTRA_HELP_SOURCE, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        source_ = ParseHelpSource(text.str());
        file_ = CompileHelpFile(source_);
        pages_ = test::ReadPages(file_);
    }
    static HelpSource source_;
    static Bytes file_;
    static std::vector<test::ReadPage> pages_;
};
HelpSource ZentraHelp::source_;
Bytes ZentraHelp::file_;
std::vector<test::ReadPage> ZentraHelp::pages_;

const test::ReadPage* PageAt(const std::vector<test::ReadPage>& pages, std::uint32_t offset) {
    for (const auto& page : pages) {
        if (page.offset == offset) return &page;
    }
    return nullptr;
}

TEST_F(ZentraHelp, HasEveryTopicTheProgramAsksFor) {
    const std::uint32_t ids[] = {100, 101, 103, 104, 105, 106, 107, 108, 109,
                                 110, 111, 112, 113, 114, 115, 201, 204};
    for (std::uint32_t id : ids) EXPECT_NE(source_.FindTopic(id), nullptr) << id;
    EXPECT_EQ(source_.title, "Quorvel Help");
    EXPECT_EQ(source_.contentsId, 100u);
}

TEST_F(ZentraHelp, SpansSeveralTopicBlocks) {
    const Bytes topic = test::InternalFileContent(file_, "|TOPIC").value();
    EXPECT_GT(topic.size(), 3 * kTopicBlockSize);
    EXPECT_EQ(pages_.size(), source_.topics.size() + 1);  // and the closing empty header
    std::set<std::uint32_t> blocks;
    for (const auto& page : pages_) blocks.insert(page.offset / 0x8000);
    EXPECT_GE(blocks.size(), 3u);
}

TEST_F(ZentraHelp, ContextMapLeadsToEachTopic) {
    const Bytes map = test::InternalFileContent(file_, "|CTXOMAP").value();
    ASSERT_EQ(Get16(map, 0), source_.topics.size());
    for (std::size_t i = 0; i < source_.topics.size(); ++i) {
        const std::uint32_t id = Get32(map, 2 + 8 * i);
        const test::ReadPage* page = PageAt(pages_, Get32(map, 6 + 8 * i));
        ASSERT_NE(page, nullptr) << id;
        ASSERT_NE(source_.FindTopic(id), nullptr) << id;
        EXPECT_EQ(page->title, source_.FindTopic(id)->title) << id;
    }
}

TEST_F(ZentraHelp, ContentsRecordNamesTheContentsTopic) {
    const Bytes system = test::InternalFileContent(file_, "|SYSTEM").value();
    std::size_t at = 12;
    std::optional<std::uint32_t> contents;
    std::string title;
    while (at + 4 <= system.size()) {
        const std::uint16_t type = Get16(system, at), size = Get16(system, at + 2);
        if (type == 3) contents = Get32(system, at + 4);
        if (type == 1) title = reinterpret_cast<const char*>(&system[at + 4]);
        at += 4u + size;
    }
    EXPECT_EQ(title, "Quorvel Help");
    ASSERT_TRUE(contents.has_value());
    ASSERT_NE(PageAt(pages_, *contents), nullptr);
    EXPECT_EQ(PageAt(pages_, *contents)->title, "Quorvel Help Contents");
}

TEST_F(ZentraHelp, EveryJumpHashIsInTheContextTree) {
    const Bytes context = test::InternalFileContent(file_, "|CONTEXT").value();
    std::map<std::int32_t, std::uint32_t> hashes;
    const std::size_t leaf = 38;
    for (int i = 0; i < Get16(context, leaf + 2); ++i) {
        hashes[static_cast<std::int32_t>(Get32(context, leaf + 8 + 8 * i))] =
            Get32(context, leaf + 12 + 8 * i);
    }
    ASSERT_EQ(hashes.size(), source_.topics.size());
    std::int32_t previous = INT32_MIN;
    for (const auto& [hash, offset] : hashes) {
        EXPECT_GT(hash, previous);  // sorted as signed values, as the viewer searches them
        previous = hash;
        EXPECT_NE(PageAt(pages_, offset), nullptr);
    }
    int jumps = 0;
    for (const auto& page : pages_) {
        for (const std::string& text : page.paragraphs) {
            for (std::size_t at = text.find("[jump:"); at != std::string::npos;
                 at = text.find("[jump:", at + 1)) {
                EXPECT_TRUE(hashes.contains(std::stoi(text.substr(at + 6)))) << page.title;
                ++jumps;
            }
        }
    }
    EXPECT_GT(jumps, 30);
}

TEST_F(ZentraHelp, TopicTextReadsBack) {
    const test::ReadPage* contents = nullptr;
    for (const auto& page : pages_) {
        if (page.title == "Product") contents = &page;
    }
    ASSERT_NE(contents, nullptr);
    ASSERT_GE(contents->paragraphs.size(), 3u);
    EXPECT_EQ(contents->paragraphs[0], "<font 2>Product\n");
    EXPECT_NE(contents->paragraphs[2].find("360 = 2\xB3 \xB7 3\xB2 \xB7 5"), std::string::npos);
}

}  // namespace
}  // namespace zentra::hlp

namespace zentra::hlp {
namespace {

// The contents file names this help file, the About tab's library, and only topics that exist.
TEST_F(ZentraHelp, ContentsFileNamesExistingTopics) {
    std::ifstream in(ZENTRA_HELP_CONTENTS);
    std::string line;
    std::set<std::uint32_t> listed;
    std::vector<std::string> commands;
    while (std::getline(in, line)) {
        if (line.starts_with(":")) commands.push_back(line);
        const auto at = line.find("=IDH_");
        if (at == std::string::npos || line.starts_with(":")) continue;
        const auto id = static_cast<std::uint32_t>(std::stoul(line.substr(at + 5)));
        EXPECT_NE(source_.FindTopic(id), nullptr) << line;
        listed.insert(id);
    }
    EXPECT_EQ(commands, (std::vector<std::string>{":Base Zentra!.hlp>main", ":Title Quorvel Help",
                                                  ":Tab About=Zentra!.dll"}));
    EXPECT_EQ(listed.size(), source_.topics.size());  // every topic is in the contents
}

}  // namespace
}  // namespace zentra::hlp
