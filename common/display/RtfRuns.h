// Reads the result pane's RTF documents back into their text and its runs of one size and raise,
// for the pane's own drawing and for its plain text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zentra {

// A stretch of the document's text in one format.
struct RtfRun {
    std::uint32_t start = 0;  // in the document's text
    std::uint32_t length = 0;
    int halfPoints = 24;   // \fsN: font size in half points
    int upHalfPoints = 0;  // \upN: raise above the base line in half points
    bool super = false;    // \super
};

// The characters in one string and the runs as small stretches of it: a result of 100,000 lines
// has hundreds of thousands of runs, and memory the program has not used before costs more to
// fill than the calculation (under Wine several milliseconds a megabyte).
struct RtfDocument {
    std::string text;
    std::vector<RtfRun> runs;

    std::string_view TextOf(const RtfRun& run) const {
        return std::string_view(text).substr(run.start, run.length);
    }
};

// Understands groups, \fsN, \upN, \super, \plain, \par and the escapes \\ \{ \}; skips the font
// table and every other destination or control word. Neighbouring characters of one format share
// a run.
RtfDocument ParseRtfDocument(std::string_view rtf);

// The document's characters as plain text (what the pane answers to a request for its text).
std::string RtfPlainText(std::string_view rtf);

// Text as RTF content: "\\", "{" and "}" escaped, bytes outside ASCII as \'hh, so any text
// renders as itself.
std::string EscapeRtfText(std::string_view text);
// The same, appended to `out` (documents of hundreds of thousands of pieces are built this way).
void AppendEscapedRtfText(std::string& out, std::string_view text);

}  // namespace zentra
