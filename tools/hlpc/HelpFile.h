// Compiles a HelpSource into a WinHelp 4 help file.
//
// The file is a small file system: a header, internal files (|SYSTEM, |TOPIC, |CONTEXT, |CTXOMAP,
// |FONT, |TTLBTREE), and a directory B+ tree that names them. Topic text is stored in 4 KB topic
// blocks marked as LZ77 compressed but holding literals only: every block then unpacks to exactly
// kRawBytesPerBlock bytes, so topic positions are known before the blocks are written, and the
// positions mean the same to every reader of the format.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/hlpc/HelpSource.h"

namespace zentra::hlp {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kTopicBlockSize = 4096;
constexpr std::uint32_t kTopicBlockHeaderSize = 12;
// 453 groups of a flag byte and 8 literals, then a flag byte and 6 literals: 4084 bytes.
constexpr std::uint32_t kRawBytesPerBlock = 3630;

// Font numbers of the |FONT file that the topic text refers to.
enum FontNumber : std::uint16_t {
    kFontNormal = 0,
    kFontBold = 1,
    kFontHeading = 2,
    kFontSymbol = 3
};

// The hash the viewer uses for context names in |CONTEXT and in jumps.
std::int32_t ContextHash(std::string_view name);

// LZ77 data made of literals only: a zero flag byte before every 8 bytes.
Bytes CompressLiterals(std::span<const std::uint8_t> raw);

// Where a topic landed in |TOPIC: its TOPICOFFSET, the value |CONTEXT, |CTXOMAP and |TTLBTREE use.
struct TopicPlace {
    std::uint32_t id;
    std::string title;
    std::uint32_t offset;
};

struct CompiledTopics {
    Bytes raw;                       // the topic links as the viewer sees them after unpacking
    Bytes file;                      // the |TOPIC internal file: topic blocks with headers
    std::vector<TopicPlace> places;  // in source order
};

CompiledTopics CompileTopics(const HelpSource& source);

// A B+ tree of one leaf page; throws std::length_error when the entries do not fit.
Bytes SingleLeafBTree(std::string_view structure, std::uint16_t pageSize, bool isDirectory,
                      const std::vector<Bytes>& entries);

using InternalFile = std::pair<std::string, Bytes>;

// Every internal file of the help file, sorted by name as the directory needs them.
std::vector<InternalFile> CompileInternalFiles(const HelpSource& source);

// Packs internal files (sorted by name) into the help file container.
Bytes PackHelpFile(const std::vector<InternalFile>& files);

Bytes CompileHelpFile(const HelpSource& source);

}  // namespace zentra::hlp
