#include "common/display/MemoryRichTextBox.h"

#include "common/display/RtfRuns.h"

namespace zentra {

void MemoryRichTextBox::SetTextRTF(std::string rtf) {
    text_ = RtfPlainText(rtf);
    rtf_ = std::move(rtf);
}

void MemoryRichTextBox::SetText(const std::string& text) {
    text_ = text;
    // A plain text becomes a document of its own; an empty one leaves nothing shown.
    rtf_ = text.empty() ? std::string() : "{\\rtf1\\ansi " + EscapeRtfText(text) + "}";
}

}  // namespace zentra
