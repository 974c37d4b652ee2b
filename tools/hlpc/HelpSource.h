// The plain-text help source: a few header lines, then topics with paragraphs of styled text.
//
//   # comment                       ignored
//   @title Quorvel Help             the help file's title (the viewer's caption)
//   @copyright text                 shown in the viewer's About box
//   @contents 100                   the topic opened first
//   @macro BrowseButtons()          a viewer macro run when the file opens (repeatable)
//   == 105 Factorization            a topic: its numeric context id, then its title
//   text lines                      a paragraph; a blank line ends it
//   - text                          a bulleted paragraph
//
// Inside text: **bold**, [label](105) jumps to topic 105, [label](popup:105) shows it as a popup,
// {sym:P} writes P in the Symbol font (a capital Pi), and a backslash takes the next character
// literally. Text is UTF-8 and must map to Windows-1252, the help file's code page.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zentra::hlp {

enum class RunStyle { Normal, Bold, Symbol };
enum class LinkKind { None, Jump, Popup };

// A stretch of text drawn the same way. Text is already in Windows-1252.
struct TextRun {
    std::string text;
    RunStyle style = RunStyle::Normal;
    LinkKind link = LinkKind::None;
    std::uint32_t target = 0;  // context id of the linked topic

    bool operator==(const TextRun&) const = default;
};

enum class ParagraphKind { Heading, Body, Bullet };

struct Paragraph {
    ParagraphKind kind = ParagraphKind::Body;
    std::vector<TextRun> runs;

    bool operator==(const Paragraph&) const = default;
};

struct Topic {
    std::uint32_t id = 0;
    std::string title;  // Windows-1252
    std::vector<Paragraph> paragraphs;
};

struct HelpSource {
    std::string title;
    std::string copyright;
    std::uint32_t contentsId = 0;
    std::vector<std::string> macros;
    std::vector<Topic> topics;

    const Topic* FindTopic(std::uint32_t id) const;
};

// A fault in the source, with the 1-based line it was found on.
class SourceError : public std::runtime_error {
  public:
    SourceError(int line, const std::string& message);
    int line() const { return line_; }

  private:
    int line_;
};

// Parses and checks a whole source: every jump must reach a topic, ids must be unique, the
// contents topic must exist. Throws SourceError.
HelpSource ParseHelpSource(std::string_view text);

// The Windows-1252 form of UTF-8 text; nullopt when a character has no such form.
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);

// The context name the compiler gives a topic id in the hash table of named contexts.
std::string ContextName(std::uint32_t id);

}  // namespace zentra::hlp
