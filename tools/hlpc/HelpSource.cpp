#include "tools/hlpc/HelpSource.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <set>
#include <utility>

namespace zentra::hlp {
namespace {

// Windows-1252 bytes 0x80..0x9F and the code points they stand for (0 = unassigned).
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::optional<char> CodePointToWindows1252(char32_t cp) {
    if (cp == '\t' || (cp >= 0x20 && cp < 0x7F) || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<char>(cp);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == cp) return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

// Decodes one UTF-8 sequence at `pos`; nullopt on a malformed sequence.
std::optional<char32_t> DecodeUtf8(std::string_view s, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos++]);
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07;
    } else {
        return std::nullopt;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= s.size()) return std::nullopt;
        const auto next = static_cast<unsigned char>(s[pos++]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        cp = (cp << 6) | (next & 0x3F);
    }
    return cp;
}

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

std::optional<std::uint32_t> ParseId(std::string_view s) {
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return std::nullopt;
    return value;
}

std::string ToWindows1252(std::string_view utf8, int line) {
    auto converted = Utf8ToWindows1252(utf8);
    if (!converted) throw SourceError(line, "text has a character outside Windows-1252");
    return *converted;
}

// Splits one paragraph's text into runs.
class InlineParser {
  public:
    InlineParser(std::string_view text, int line) : text_(text), line_(line) {}

    std::vector<TextRun> Parse() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\\' && pos_ + 1 < text_.size()) {
                pending_ += text_[pos_ + 1];
                pos_ += 2;
            } else if (text_.substr(pos_, 2) == "**") {
                Flush();
                bold_ = !bold_;
                pos_ += 2;
            } else if (c == '[') {
                ParseLink();
            } else if (text_.substr(pos_, 5) == "{sym:") {
                ParseSymbol();
            } else {
                pending_ += c;
                ++pos_;
            }
        }
        if (bold_) throw SourceError(line_, "unclosed ** in paragraph");
        Flush();
        return std::move(runs_);
    }

  private:
    void Flush() {
        if (pending_.empty()) return;
        TextRun run;
        run.text = ToWindows1252(pending_, line_);
        run.style = bold_ ? RunStyle::Bold : RunStyle::Normal;
        runs_.push_back(std::move(run));
        pending_.clear();
    }

    void ParseLink() {
        const auto close = text_.find("](", pos_);
        const auto end = close == std::string_view::npos ? close : text_.find(')', close);
        if (end == std::string_view::npos) throw SourceError(line_, "a [ without ](id)");
        Flush();
        std::string_view target = text_.substr(close + 2, end - close - 2);
        TextRun run;
        run.style = bold_ ? RunStyle::Bold : RunStyle::Normal;
        run.link = LinkKind::Jump;
        if (target.starts_with("popup:")) {
            run.link = LinkKind::Popup;
            target.remove_prefix(6);
        }
        const auto id = ParseId(target);
        if (!id) throw SourceError(line_, "link target is not a topic id");
        run.target = *id;
        run.text = ToWindows1252(text_.substr(pos_ + 1, close - pos_ - 1), line_);
        if (run.text.empty()) throw SourceError(line_, "empty link label");
        runs_.push_back(std::move(run));
        pos_ = end + 1;
    }

    void ParseSymbol() {
        const auto end = text_.find('}', pos_);
        if (end == std::string_view::npos) throw SourceError(line_, "unclosed {sym:");
        Flush();
        TextRun run;
        run.style = RunStyle::Symbol;
        run.text = ToWindows1252(text_.substr(pos_ + 5, end - pos_ - 5), line_);
        runs_.push_back(std::move(run));
        pos_ = end + 1;
    }

    std::string_view text_;
    int line_;
    std::size_t pos_ = 0;
    bool bold_ = false;
    std::string pending_;
    std::vector<TextRun> runs_;
};

class SourceParser {
  public:
    HelpSource Parse(std::string_view text) {
        int lineNo = 0;
        std::size_t start = 0;
        while (start <= text.size()) {
            const auto nl = text.find('\n', start);
            const auto raw = text.substr(start, nl == std::string_view::npos ? nl : nl - start);
            ++lineNo;
            ParseLine(raw, lineNo);
            if (nl == std::string_view::npos) break;
            start = nl + 1;
        }
        EndParagraph();
        Check();
        return std::move(source_);
    }

  private:
    void ParseLine(std::string_view raw, int lineNo) {
        const std::string_view line = Trim(raw);
        if (line.starts_with("#")) return;
        if (line.empty()) {
            EndParagraph();
        } else if (line.starts_with("@")) {
            EndParagraph();
            ParseDirective(line, lineNo);
        } else if (line.starts_with("== ")) {
            EndParagraph();
            StartTopic(Trim(line.substr(3)), lineNo);
        } else if (line.starts_with("- ")) {
            EndParagraph();
            StartParagraph(ParagraphKind::Bullet, line.substr(2), lineNo);
        } else if (paragraphLine_ != 0) {
            paragraphText_ += ' ';
            paragraphText_ += line;
        } else {
            StartParagraph(ParagraphKind::Body, line, lineNo);
        }
    }

    void ParseDirective(std::string_view line, int lineNo) {
        const auto space = line.find(' ');
        const std::string_view name = line.substr(0, space);
        const std::string_view value =
            space == std::string_view::npos ? std::string_view() : Trim(line.substr(space));
        if (name == "@title") {
            source_.title = ToWindows1252(value, lineNo);
        } else if (name == "@copyright") {
            source_.copyright = ToWindows1252(value, lineNo);
        } else if (name == "@contents") {
            const auto id = ParseId(value);
            if (!id) throw SourceError(lineNo, "@contents needs a topic id");
            source_.contentsId = *id;
            contentsLine_ = lineNo;
        } else if (name == "@macro") {
            source_.macros.push_back(ToWindows1252(value, lineNo));
        } else {
            throw SourceError(lineNo, "unknown directive " + std::string(name));
        }
    }

    void StartTopic(std::string_view rest, int lineNo) {
        const auto space = rest.find(' ');
        const auto id = ParseId(rest.substr(0, space));
        if (!id) throw SourceError(lineNo, "a topic needs a numeric id");
        if (!ids_.insert(*id).second) throw SourceError(lineNo, "topic id used twice");
        Topic topic;
        topic.id = *id;
        if (space != std::string_view::npos)
            topic.title = ToWindows1252(Trim(rest.substr(space)), lineNo);
        if (topic.title.empty()) throw SourceError(lineNo, "a topic needs a title");
        Paragraph heading{ParagraphKind::Heading, {TextRun{topic.title}}};
        topic.paragraphs.push_back(std::move(heading));
        source_.topics.push_back(std::move(topic));
    }

    void StartParagraph(ParagraphKind kind, std::string_view text, int lineNo) {
        if (source_.topics.empty()) throw SourceError(lineNo, "text before the first topic");
        paragraphKind_ = kind;
        paragraphText_ = Trim(text);
        paragraphLine_ = lineNo;
    }

    void EndParagraph() {
        if (paragraphLine_ == 0) return;
        Paragraph paragraph{paragraphKind_, InlineParser(paragraphText_, paragraphLine_).Parse()};
        for (const TextRun& run : paragraph.runs) {
            if (run.link != LinkKind::None) links_.emplace_back(run.target, paragraphLine_);
        }
        source_.topics.back().paragraphs.push_back(std::move(paragraph));
        paragraphLine_ = 0;
        paragraphText_.clear();
    }

    void Check() const {
        if (source_.topics.empty()) throw SourceError(1, "the source has no topics");
        if (source_.title.empty()) throw SourceError(1, "@title is missing");
        if (contentsLine_ == 0) throw SourceError(1, "@contents is missing");
        if (!ids_.contains(source_.contentsId)) {
            throw SourceError(contentsLine_, "the contents topic does not exist");
        }
        for (const auto& [target, line] : links_) {
            if (!ids_.contains(target)) {
                throw SourceError(line, "link to missing topic " + std::to_string(target));
            }
        }
    }

    HelpSource source_;
    std::set<std::uint32_t> ids_;
    std::vector<std::pair<std::uint32_t, int>> links_;
    ParagraphKind paragraphKind_ = ParagraphKind::Body;
    std::string paragraphText_;
    int paragraphLine_ = 0;
    int contentsLine_ = 0;
};

}  // namespace

SourceError::SourceError(int line, const std::string& message)
    : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}

const Topic* HelpSource::FindTopic(std::uint32_t id) const {
    const auto it =
        std::find_if(topics.begin(), topics.end(), [id](const Topic& t) { return t.id == id; });
    return it == topics.end() ? nullptr : &*it;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view utf8) {
    std::string out;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto cp = DecodeUtf8(utf8, pos);
        if (!cp) return std::nullopt;
        const auto c = CodePointToWindows1252(*cp);
        if (!c) return std::nullopt;
        out += *c;
    }
    return out;
}

std::string ContextName(std::uint32_t id) {
    return "IDH_" + std::to_string(id);
}

HelpSource ParseHelpSource(std::string_view text) {
    return SourceParser().Parse(text);
}

}  // namespace zentra::hlp
