#include "tools/hlpc/tests/HelpReader.h"

#include <stdexcept>

namespace zentra::hlp::test {
namespace {

// Decodes the format's compressed numbers as the format describes them.
std::uint32_t CompressedUnsignedShort(const Bytes& b, std::size_t& at) {
    if (b[at] & 1) {
        const std::uint32_t v = Get16(b, at) / 2u;
        at += 2;
        return v;
    }
    return b[at++] / 2u;
}
std::int32_t CompressedSignedShort(const Bytes& b, std::size_t& at) {
    if (b[at] & 1) {
        const std::int32_t v = Get16(b, at) / 2 - 16384;
        at += 2;
        return v;
    }
    return b[at++] / 2 - 64;
}
std::int32_t CompressedSignedLong(const Bytes& b, std::size_t& at) {
    if (b[at] & 1) {
        const std::int64_t v = Get32(b, at) / 2 - 67108864;
        at += 4;
        return static_cast<std::int32_t>(v);
    }
    const std::int32_t v = Get16(b, at) / 2 - 16384;
    at += 2;
    return v;
}

std::string DecodeParagraph(const Bytes& raw, std::size_t link) {
    const std::uint32_t blockSize = Get32(raw, link);
    const std::uint32_t dataLen1 = Get32(raw, link + 16);
    std::size_t fmt = link + 21;
    CompressedSignedLong(raw, fmt);
    CompressedUnsignedShort(raw, fmt);
    fmt += 4;
    const std::uint16_t bits = Get16(raw, fmt);
    fmt += 2;
    for (const unsigned bit : {0x02u, 0x04u, 0x08u, 0x10u, 0x20u, 0x40u}) {
        if (bits & bit) CompressedSignedShort(raw, fmt);
    }
    if (bits & 0x0200) {
        const std::int32_t tabs = CompressedSignedShort(raw, fmt);
        for (std::int32_t i = 0; i < tabs; ++i) CompressedUnsignedShort(raw, fmt);
    }
    std::size_t text = link + dataLen1;
    const std::size_t textEnd = link + blockSize;
    std::string out;
    while (text < textEnd) {
        while (raw[text] != 0) out += static_cast<char>(raw[text++]);
        ++text;
        const std::uint8_t command = raw[fmt++];
        if (command == 0xFF) break;
        switch (command) {
            case 0x80:
                out += "<font " + std::to_string(Get16(raw, fmt)) + ">";
                fmt += 2;
                break;
            case 0x82:
                out += "\n";
                break;
            case 0x83:
                out += "\t";
                break;
            case 0x89:
                out += "[/]";
                break;
            case 0xE2:
            case 0xE3:
                out += std::string(command == 0xE2 ? "[popup:" : "[jump:") +
                       std::to_string(static_cast<std::int32_t>(Get32(raw, fmt))) + "]";
                fmt += 4;
                break;
            default:
                throw std::runtime_error("unknown formatting command");
        }
    }
    return out;
}

}  // namespace

std::uint32_t Get32(const Bytes& b, std::size_t at) {
    return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 |
           static_cast<std::uint32_t>(b.at(at + 3)) << 24;
}
std::uint16_t Get16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b.at(at) | b.at(at + 1) << 8);
}

std::map<std::string, std::uint32_t> DirectoryEntries(const Bytes& helpFile) {
    const std::size_t tree = Get32(helpFile, 4) + 9;
    if (Get16(helpFile, tree) != 0x293B) throw std::runtime_error("no directory B+ tree");
    if (Get16(helpFile, tree + 32) != 1) throw std::runtime_error("directory has index pages");
    const std::size_t page = tree + 38 + Get16(helpFile, tree + 26) * Get16(helpFile, tree + 4);
    std::map<std::string, std::uint32_t> entries;
    std::size_t at = page + 8;
    for (int i = 0; i < static_cast<std::int16_t>(Get16(helpFile, page + 2)); ++i) {
        std::string name;
        while (helpFile.at(at) != 0) name += static_cast<char>(helpFile[at++]);
        entries[name] = Get32(helpFile, at + 1);
        at += 5;
    }
    return entries;
}

std::optional<Bytes> InternalFileContent(const Bytes& helpFile, const std::string& name) {
    const auto entries = DirectoryEntries(helpFile);
    const auto it = entries.find(name);
    if (it == entries.end()) return std::nullopt;
    const std::uint32_t used = Get32(helpFile, it->second + 4);
    const auto begin = helpFile.begin() + it->second + 9;
    return Bytes(begin, begin + used);
}

Bytes UnpackLz77(const Bytes& packed, std::size_t begin, std::size_t end) {
    Bytes out;
    std::size_t at = begin;
    while (at < end) {
        const std::uint8_t flags = packed[at++];
        for (int bit = 0; bit < 8 && at < end; ++bit) {
            if (flags & (1 << bit)) {
                const std::uint16_t code = Get16(packed, at);
                at += 2;
                const std::size_t length = 3 + (code >> 12);
                const std::size_t distance = (code & 0xFFF) + 1u;
                for (std::size_t i = 0; i < length; ++i) out.push_back(out[out.size() - distance]);
            } else {
                out.push_back(packed[at++]);
            }
        }
    }
    return out;
}

std::vector<ReadPage> ReadPages(const Bytes& helpFile) {
    const Bytes topic = InternalFileContent(helpFile, "|TOPIC").value();
    // Each block unpacks on its own; a position is block * 0x4000 + 12 + offset in its data.
    std::vector<std::size_t> blockStart;
    Bytes raw;
    for (std::size_t b = 0; b < topic.size(); b += kTopicBlockSize) {
        blockStart.push_back(raw.size());
        const Bytes data =
            UnpackLz77(topic, b + 12, std::min<std::size_t>(topic.size(), b + kTopicBlockSize));
        if (data.size() > 0x4000 - 12) throw std::runtime_error("block unpacks beyond 16 KB");
        raw.insert(raw.end(), data.begin(), data.end());
    }
    std::vector<ReadPage> pages;
    std::uint32_t pos = 12, block = 0xFFFFFFFF, characters = 0;
    while (pos != 0xFFFFFFFF) {
        const std::uint32_t b = (pos - 12) / 0x4000;
        const std::size_t link = blockStart.at(b) + (pos - 12) % 0x4000;
        if (b != block) block = b, characters = 0;
        const std::uint8_t type = raw.at(link + 20);
        if (type == 0x02) {
            std::string title;
            for (std::size_t at = link + Get32(raw, link + 16); raw.at(at) != 0; ++at)
                title += static_cast<char>(raw[at]);
            pages.push_back({title, b * 0x8000 + characters, {}});
        } else if (type == 0x20) {
            pages.back().paragraphs.push_back(DecodeParagraph(raw, link));
            std::size_t at = link + 21;
            CompressedSignedLong(raw, at);
            characters += CompressedUnsignedShort(raw, at);
        } else {
            throw std::runtime_error("unknown topic link type");
        }
        pos = Get32(raw, link + 12);
    }
    return pages;
}

}  // namespace zentra::hlp::test
