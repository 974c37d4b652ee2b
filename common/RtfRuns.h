// Reads the result pane's RTF documents back into runs of text with their size and raise, for the
// pane's own drawing and for its plain text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zentra {

struct RtfRun {
    std::string text;
    int halfPoints = 24;   // \fsN: font size in half points
    int upHalfPoints = 0;  // \upN: raise above the base line in half points
    bool super = false;    // \super
};

// Understands groups, \fsN, \upN, \super, \plain, \par and the escapes \\ \{ \}; skips the font
// table and every other destination or control word.
std::vector<RtfRun> ParseRtfRuns(std::string_view rtf);

// The document's characters as plain text (what the pane answers to a request for its text).
std::string RtfPlainText(std::string_view rtf);

// Text as RTF content: "\\", "{" and "}" escaped, bytes outside ASCII as \'hh, so any text
// renders as itself.
std::string EscapeRtfText(std::string_view text);

}  // namespace zentra
