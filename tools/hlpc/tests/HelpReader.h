// A small reader of help files for the tests: it follows the format the way a viewer does
// (directory B+ tree, topic blocks unpacked, topic links walked from position 12) and knows
// nothing of how the compiler laid things out.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tools/hlpc/HelpFile.h"

namespace zentra::hlp::test {

std::uint32_t Get32(const Bytes& b, std::size_t at);
std::uint16_t Get16(const Bytes& b, std::size_t at);

// The leaf entries of a one-level B+ tree whose keys are NUL-terminated names and values longs.
std::map<std::string, std::uint32_t> DirectoryEntries(const Bytes& helpFile);

// An internal file's content (after its 9-byte header), or nullopt.
std::optional<Bytes> InternalFileContent(const Bytes& helpFile, const std::string& name);

// Unpacks LZ77 data (literals and back references).
Bytes UnpackLz77(const Bytes& packed, std::size_t begin, std::size_t end);

struct ReadPage {
    std::string title;
    std::uint32_t offset;                 // TOPICOFFSET as a viewer computes it while walking
    std::vector<std::string> paragraphs;  // text with [jump:hash]...[/] and <font n> marks
};

// Walks |TOPIC of a help file with LZ77 compressed 4 KB blocks.
std::vector<ReadPage> ReadPages(const Bytes& helpFile);

}  // namespace zentra::hlp::test
