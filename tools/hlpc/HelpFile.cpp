#include "tools/hlpc/HelpFile.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace zentra::hlp {
namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFF;
constexpr std::uint8_t kLinkTopicHeader = 0x02;
constexpr std::uint8_t kLinkDisplay = 0x20;
constexpr std::uint32_t kLinkHeaderSize = 21;
constexpr std::uint32_t kTopicHeaderSize = 28;

// Paragraph layout in half points.
constexpr int kSpaceAbove = 6;
constexpr int kHeadingSpaceBelow = 8;
constexpr int kBulletIndent = 30;

void Put8(Bytes& b, std::uint8_t v) {
    b.push_back(v);
}
void Put16(Bytes& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, static_cast<std::uint16_t>(v));
    Put16(b, static_cast<std::uint16_t>(v >> 16));
}
void Set32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void PutString(Bytes& b, std::string_view s) {
    b.insert(b.end(), s.begin(), s.end());
    b.push_back(0);
}
void Append(Bytes& b, const Bytes& more) {
    b.insert(b.end(), more.begin(), more.end());
}

// The format's variable-length numbers (a low bit of 1 marks the long form).
void PutCompressedSignedLong(Bytes& b, std::int32_t v) {
    if (v < 0 || v >= 0x4000) throw std::length_error("paragraph too long");
    Put16(b, static_cast<std::uint16_t>(0x8000 + 2 * v));
}
void PutCompressedUnsignedShort(Bytes& b, std::uint32_t v) {
    if (v < 0x80) return Put8(b, static_cast<std::uint8_t>(2 * v));
    if (v >= 0x8000) throw std::length_error("paragraph too long");
    Put16(b, static_cast<std::uint16_t>(2 * v + 1));
}
// Small values only: the one-byte form is the one every reader decodes alike for negatives.
void PutCompressedSignedShort(Bytes& b, int v) {
    if (v < -64 || v > 63) throw std::length_error("paragraph metric out of range");
    Put8(b, static_cast<std::uint8_t>(0x80 + 2 * v));
}

std::uint32_t TopicPos(std::uint32_t rawOffset) {
    return rawOffset / kRawBytesPerBlock * 0x4000 + kTopicBlockHeaderSize +
           rawOffset % kRawBytesPerBlock;
}

// Builds one paragraph's LinkData1 (paragraph info and formatting commands) and LinkData2
// (the text pieces between the commands, each ended by a NUL).
class ParagraphEncoder {
  public:
    explicit ParagraphEncoder(const Paragraph& paragraph) {
        const FontNumber base =
            paragraph.kind == ParagraphKind::Heading ? kFontHeading : kFontNormal;
        SetFont(base);
        if (paragraph.kind == ParagraphKind::Bullet) {
            text_ += '\x95';  // bullet in Windows-1252
            Command({0x83});  // tab to the hanging indent
        }
        for (const TextRun& run : paragraph.runs) {
            if (paragraph.kind == ParagraphKind::Heading) {
                text_ += run.text;
                continue;
            }
            SetFont(run.style == RunStyle::Bold     ? kFontBold
                    : run.style == RunStyle::Symbol ? kFontSymbol
                                                    : base);
            if (run.link == LinkKind::None) {
                text_ += run.text;
                continue;
            }
            Bytes jump{static_cast<std::uint8_t>(run.link == LinkKind::Popup ? 0xE2 : 0xE3)};
            Put32(jump, static_cast<std::uint32_t>(ContextHash(ContextName(run.target))));
            Command(jump);
            text_ += run.text;
            Command({0x89});  // end of hotspot
        }
        Command({0x82});  // end of paragraph
        Command({0xFF});  // end of formatting
        info_ = ParagraphInfo(paragraph.kind);
    }

    Bytes LinkData1() const {
        Bytes b;
        PutCompressedSignedLong(b, static_cast<std::int32_t>(data2_.size()));
        PutCompressedUnsignedShort(b, static_cast<std::uint32_t>(data2_.size()));
        Append(b, info_);
        Append(b, commands_);
        return b;
    }
    const Bytes& LinkData2() const { return data2_; }

  private:
    static Bytes ParagraphInfo(ParagraphKind kind) {
        Bytes b{0x00, 0x80, 0x00, 0x00};
        if (kind == ParagraphKind::Heading) {
            Put16(b, 0x0004);
            PutCompressedSignedShort(b, kHeadingSpaceBelow);
        } else if (kind == ParagraphKind::Body) {
            Put16(b, 0x0002);
            PutCompressedSignedShort(b, kSpaceAbove);
        } else {
            Put16(b, 0x0002 | 0x0010 | 0x0040 | 0x0200);
            PutCompressedSignedShort(b, kSpaceAbove);
            PutCompressedSignedShort(b, kBulletIndent);
            PutCompressedSignedShort(b, -kBulletIndent);
            PutCompressedSignedShort(b, 1);  // one tab stop, at the indent
            PutCompressedUnsignedShort(b, kBulletIndent);
        }
        return b;
    }

    void SetFont(FontNumber font) {
        if (font == font_) return;
        Bytes b{0x80};
        Put16(b, font);
        Command(b);
        font_ = font;
    }

    void Command(const Bytes& command) {
        data2_.insert(data2_.end(), text_.begin(), text_.end());
        data2_.push_back(0);
        text_.clear();
        Append(commands_, command);
    }

    int font_ = -1;
    std::string text_;
    Bytes commands_;
    Bytes data2_;
    Bytes info_;
};

struct Link {
    std::uint8_t type = 0;
    Bytes data1;  // LinkData1 without the 21-byte link header
    Bytes data2;
    std::uint32_t rawOffset = 0;
    std::size_t topic = 0;  // index into the topic list; the terminator has topics.size()
    std::uint32_t Size() const {
        return kLinkHeaderSize + static_cast<std::uint32_t>(data1.size() + data2.size());
    }
    // The characters this link adds to the TOPICOFFSET count of its block.
    std::uint32_t Characters() const {
        return type == kLinkDisplay ? static_cast<std::uint32_t>(data2.size()) : 0;
    }
};

Link TopicHeaderLink(std::size_t topic, std::string_view title) {
    Link link;
    link.type = kLinkTopicHeader;
    link.topic = topic;
    link.data1.assign(kTopicHeaderSize, 0);  // filled in once positions are known
    PutString(link.data2, title);
    return link;
}

// All links: each topic's header and paragraphs, and a last empty header that ends the chain.
std::vector<Link> BuildLinks(const HelpSource& source) {
    std::vector<Link> links;
    for (std::size_t t = 0; t < source.topics.size(); ++t) {
        links.push_back(TopicHeaderLink(t, source.topics[t].title));
        for (const Paragraph& paragraph : source.topics[t].paragraphs) {
            const ParagraphEncoder encoder(paragraph);
            Link link;
            link.type = kLinkDisplay;
            link.topic = t;
            link.data1 = encoder.LinkData1();
            link.data2 = encoder.LinkData2();
            links.push_back(std::move(link));
        }
    }
    links.push_back(TopicHeaderLink(source.topics.size(), ""));
    std::uint32_t offset = 0;
    for (Link& link : links) {
        link.rawOffset = offset;
        offset += link.Size();
    }
    return links;
}

// TOPICOFFSET of a topic header: its block, and the characters of the display links that start
// in that block before it.
std::uint32_t TopicOffsetOf(const std::vector<Link>& links, std::size_t headerIndex) {
    const std::uint32_t block = links[headerIndex].rawOffset / kRawBytesPerBlock;
    std::uint32_t characters = 0;
    for (std::size_t i = 0; i < headerIndex; ++i) {
        if (links[i].rawOffset / kRawBytesPerBlock == block) characters += links[i].Characters();
    }
    return block * 0x8000 + characters;
}

void FillTopicHeaders(std::vector<Link>& links, std::vector<std::size_t>& headers,
                      std::vector<std::uint32_t>& offsets) {
    for (std::size_t i = 0; i < links.size(); ++i) {
        if (links[i].type == kLinkTopicHeader) headers.push_back(i);
    }
    for (std::size_t h : headers) offsets.push_back(TopicOffsetOf(links, h));
    const std::size_t realTopics = headers.size() - 1;
    for (std::size_t k = 0; k < headers.size(); ++k) {
        const std::size_t first = headers[k];
        const std::size_t end = k + 1 < headers.size() ? headers[k + 1] : links.size();
        std::uint32_t topicBytes = 0;
        for (std::size_t i = first; i < end; ++i) topicBytes += links[i].Size();
        Bytes& d = links[first].data1;
        const bool real = k < realTopics;
        Set32(d, 0, topicBytes);
        Set32(d, 4, real && k > 0 ? offsets[k - 1] : kNone);
        Set32(d, 8, real && k + 1 < realTopics ? offsets[k + 1] : kNone);
        Set32(d, 12, static_cast<std::uint32_t>(k));
        Set32(d, 16, kNone);  // no non-scrolling region
        Set32(d, 20, first + 1 < end ? TopicPos(links[first + 1].rawOffset) : kNone);
        Set32(d, 24, k + 1 < headers.size() ? TopicPos(links[headers[k + 1]].rawOffset) : kNone);
    }
}

Bytes RawTopicStream(const std::vector<Link>& links) {
    Bytes raw;
    for (std::size_t i = 0; i < links.size(); ++i) {
        const Link& link = links[i];
        Put32(raw, link.Size());
        Put32(raw, static_cast<std::uint32_t>(link.data2.size()));
        Put32(raw, i > 0 ? TopicPos(links[i - 1].rawOffset) : kNone);
        Put32(raw, i + 1 < links.size() ? TopicPos(links[i + 1].rawOffset) : kNone);
        Put32(raw, kLinkHeaderSize + static_cast<std::uint32_t>(link.data1.size()));
        Put8(raw, link.type);
        Append(raw, link.data1);
        Append(raw, link.data2);
    }
    // Some readers unpack the last block from at least 68 bytes of the file; keep it that long.
    while (raw.size() % kRawBytesPerBlock != 0 && raw.size() % kRawBytesPerBlock < 64) {
        raw.push_back(0);
    }
    return raw;
}

Bytes TopicBlocks(const std::vector<Link>& links, const Bytes& raw) {
    Bytes file;
    const std::size_t blocks = (raw.size() + kRawBytesPerBlock - 1) / kRawBytesPerBlock;
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::uint32_t begin = static_cast<std::uint32_t>(b * kRawBytesPerBlock);
        const std::uint32_t end = begin + kRawBytesPerBlock;
        std::uint32_t lastBefore = kNone, firstIn = kNone, lastHeader = kNone;
        for (const Link& link : links) {
            if (link.rawOffset < begin) lastBefore = TopicPos(link.rawOffset);
            if (link.rawOffset >= begin && link.rawOffset < end && firstIn == kNone) {
                firstIn = TopicPos(link.rawOffset);
            }
            if (link.rawOffset < end && link.type == kLinkTopicHeader) {
                lastHeader = TopicPos(link.rawOffset);
            }
        }
        Put32(file, lastBefore);
        Put32(file, firstIn);
        Put32(file, lastHeader);
        const std::size_t size = std::min<std::size_t>(kRawBytesPerBlock, raw.size() - begin);
        Append(file, CompressLiterals(std::span(raw).subspan(begin, size)));
    }
    return file;
}

// The main window's definition: its caption is the help file's title, which is how programs
// find an open viewer; position, size and colours stay the viewer's defaults.
Bytes MainWindow(std::string_view caption) {
    auto field = [](std::string_view s, std::size_t size) {
        Bytes b(size, 0);
        std::copy_n(s.begin(), std::min(s.size(), size - 1), b.begin());
        return b;
    };
    Bytes b;
    Put16(b, 0x0007);  // type, name and caption given
    Append(b, field("main", 10));
    Append(b, field("main", 9));
    Append(b, field(caption, 51));
    b.resize(b.size() + 5 * 2 + 2 * 4, 0);  // x, y, width, height, maximize; two colours
    return b;
}

Bytes SystemFile(const HelpSource& source, std::uint32_t contentsOffset) {
    Bytes b;
    Put16(b, 0x036C);  // magic
    Put16(b, 33);      // minor version: Windows 95 help compiler
    Put16(b, 1);       // major version
    Put32(b, 0);       // generation date: left out so builds are reproducible
    Put16(b, 4);       // LZ77 compressed 4 KB topic blocks
    auto record = [&b](std::uint16_t type, const Bytes& data) {
        Put16(b, type);
        Put16(b, static_cast<std::uint16_t>(data.size()));
        Append(b, data);
    };
    auto text = [](std::string_view s) {
        Bytes d;
        PutString(d, s);
        return d;
    };
    record(1, text(source.title));
    if (!source.copyright.empty()) record(2, text(source.copyright));
    Bytes contents;
    Put32(contents, contentsOffset);
    record(3, contents);
    record(6, MainWindow(source.title));
    for (const std::string& macro : source.macros) record(4, text(macro));
    return b;
}

struct FontDescriptor {
    std::uint8_t attributes;  // 1 = bold
    std::uint8_t halfPoints;
    std::uint8_t family;  // 2 roman, 3 swiss, 5 decorative
    std::uint16_t face;
    std::uint8_t red, green, blue;
};

Bytes FontFile() {
    constexpr std::size_t kFaceLength = 20;
    const std::vector<std::string> faces = {"Arial", "Symbol"};
    const std::vector<FontDescriptor> fonts = {
        {0, 20, 3, 0, 0, 0, 0},     // kFontNormal: Arial 10 pt
        {1, 20, 3, 0, 0, 0, 0},     // kFontBold
        {1, 24, 3, 0, 0, 0, 0x80},  // kFontHeading: Arial 12 pt bold, dark blue
        {0, 20, 5, 1, 0, 0, 0},     // kFontSymbol: Symbol 10 pt
    };
    Bytes b;
    Put16(b, static_cast<std::uint16_t>(faces.size()));
    Put16(b, static_cast<std::uint16_t>(fonts.size()));
    Put16(b, 8);
    Put16(b, static_cast<std::uint16_t>(8 + faces.size() * kFaceLength));
    for (const std::string& face : faces) {
        Bytes name(kFaceLength, 0);
        std::copy(face.begin(), face.end(), name.begin());
        Append(b, name);
    }
    for (const FontDescriptor& f : fonts) {
        Put8(b, f.attributes);
        Put8(b, f.halfPoints);
        Put8(b, f.family);
        Put16(b, f.face);
        Put8(b, f.red);
        Put8(b, f.green);
        Put8(b, f.blue);
        Put8(b, 0xFF);  // background: white
        Put8(b, 0xFF);
        Put8(b, 0xFF);
    }
    return b;
}

Bytes ContextFile(const std::vector<TopicPlace>& places) {
    std::map<std::int32_t, std::uint32_t> byHash;
    for (const TopicPlace& place : places) {
        if (!byHash.emplace(ContextHash(ContextName(place.id)), place.offset).second) {
            throw std::runtime_error("two topic ids share a context hash: " +
                                     std::to_string(place.id));
        }
    }
    std::vector<Bytes> entries;
    for (const auto& [hash, offset] : byHash) {
        Bytes e;
        Put32(e, static_cast<std::uint32_t>(hash));
        Put32(e, offset);
        entries.push_back(std::move(e));
    }
    return SingleLeafBTree("L4", 0x0800, false, entries);
}

Bytes ContextMapFile(const std::vector<TopicPlace>& places) {
    std::map<std::uint32_t, std::uint32_t> byId;
    for (const TopicPlace& place : places) byId.emplace(place.id, place.offset);
    Bytes b;
    Put16(b, static_cast<std::uint16_t>(byId.size()));
    for (const auto& [id, offset] : byId) {
        Put32(b, id);
        Put32(b, offset);
    }
    return b;
}

Bytes TitleFile(const std::vector<TopicPlace>& places) {
    std::vector<Bytes> entries;
    for (const TopicPlace& place : places) {
        Bytes e;
        Put32(e, place.offset);
        PutString(e, place.title);
        entries.push_back(std::move(e));
    }
    return SingleLeafBTree("Lz", 0x0800, false, entries);
}

}  // namespace

std::int32_t ContextHash(std::string_view name) {
    std::uint32_t hash = 0;
    for (const char c : name) {
        std::uint32_t value = 0;
        if (c >= 'A' && c <= 'Z') value = static_cast<std::uint32_t>(c - 'A' + 17);
        if (c >= 'a' && c <= 'z') value = static_cast<std::uint32_t>(c - 'a' + 17);
        if (c >= '1' && c <= '9') value = static_cast<std::uint32_t>(c - '0');
        if (c == '0') value = 10;
        if (c == '.') value = 12;
        if (c == '_') value = 13;
        if (value != 0) hash = hash * 43 + value;
    }
    return static_cast<std::int32_t>(hash);
}

Bytes CompressLiterals(std::span<const std::uint8_t> raw) {
    Bytes out;
    out.reserve(raw.size() + raw.size() / 8 + 1);
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (i % 8 == 0) out.push_back(0);
        out.push_back(raw[i]);
    }
    return out;
}

CompiledTopics CompileTopics(const HelpSource& source) {
    std::vector<Link> links = BuildLinks(source);
    std::vector<std::size_t> headers;
    std::vector<std::uint32_t> offsets;
    FillTopicHeaders(links, headers, offsets);
    CompiledTopics compiled;
    compiled.raw = RawTopicStream(links);
    compiled.file = TopicBlocks(links, compiled.raw);
    for (std::size_t t = 0; t < source.topics.size(); ++t) {
        compiled.places.push_back({source.topics[t].id, source.topics[t].title, offsets[t]});
    }
    return compiled;
}

Bytes SingleLeafBTree(std::string_view structure, std::uint16_t pageSize, bool isDirectory,
                      const std::vector<Bytes>& entries) {
    constexpr std::size_t kLeafHeaderSize = 8;
    std::size_t used = kLeafHeaderSize;
    for (const Bytes& e : entries) used += e.size();
    if (used > pageSize) throw std::length_error("B+ tree entries exceed one page");
    Bytes b;
    Put16(b, 0x293B);
    Put16(b, static_cast<std::uint16_t>(isDirectory ? 0x0402 : 0x0002));
    Put16(b, pageSize);
    Bytes name(16, 0);
    std::copy(structure.begin(), structure.end(), name.begin());
    Append(b, name);
    Put16(b, 0);       // must be zero
    Put16(b, 0);       // page splits
    Put16(b, 0);       // root page
    Put16(b, 0xFFFF);  // must be -1
    Put16(b, 1);       // total pages
    Put16(b, 1);       // levels
    Put32(b, static_cast<std::uint32_t>(entries.size()));
    const std::size_t page = b.size();
    Put16(b, static_cast<std::uint16_t>(pageSize - used));  // free bytes at the page's end
    Put16(b, static_cast<std::uint16_t>(entries.size()));
    Put16(b, 0xFFFF);  // no previous leaf
    Put16(b, 0xFFFF);  // no next leaf
    for (const Bytes& e : entries) Append(b, e);
    b.resize(page + pageSize, 0);
    return b;
}

std::vector<InternalFile> CompileInternalFiles(const HelpSource& source) {
    const CompiledTopics topics = CompileTopics(source);
    std::uint32_t contentsOffset = kNone;
    for (const TopicPlace& place : topics.places) {
        if (place.id == source.contentsId) contentsOffset = place.offset;
    }
    std::vector<InternalFile> files = {
        {"|CONTEXT", ContextFile(topics.places)},
        {"|CTXOMAP", ContextMapFile(topics.places)},
        {"|FONT", FontFile()},
        {"|SYSTEM", SystemFile(source, contentsOffset)},
        {"|TOPIC", topics.file},
        {"|TTLBTREE", TitleFile(topics.places)},
    };
    std::sort(files.begin(), files.end(),
              [](const InternalFile& a, const InternalFile& b) { return a.first < b.first; });
    return files;
}

Bytes PackHelpFile(const std::vector<InternalFile>& files) {
    constexpr std::uint32_t kFileHeaderSize = 9;
    Bytes out(16, 0);
    std::vector<Bytes> directory;
    auto putInternal = [&out](const Bytes& content) {
        const auto at = static_cast<std::uint32_t>(out.size());
        Put32(out, static_cast<std::uint32_t>(content.size()) + kFileHeaderSize);  // reserved
        Put32(out, static_cast<std::uint32_t>(content.size()));                    // used
        Put8(out, 4);
        Append(out, content);
        return at;
    };
    for (const auto& [name, content] : files) {
        Bytes entry;
        PutString(entry, name);
        Put32(entry, putInternal(content));
        directory.push_back(std::move(entry));
    }
    const std::uint32_t directoryStart =
        putInternal(SingleLeafBTree("z4", 0x0400, true, directory));
    Set32(out, 0, 0x00035F3F);
    Set32(out, 4, directoryStart);
    Set32(out, 8, kNone);  // no free list
    Set32(out, 12, static_cast<std::uint32_t>(out.size()));
    return out;
}

Bytes CompileHelpFile(const HelpSource& source) {
    return PackHelpFile(CompileInternalFiles(source));
}

}  // namespace zentra::hlp
