// The result pane contract: a box whose whole content is set and read as an RTF document.
#pragma once

#include <string>

namespace zentra {

class RichTextBox {
  public:
    virtual ~RichTextBox() = default;
    // Taken by value: a result's document can be megabytes, and the box keeps it.
    virtual void SetTextRTF(std::string rtf) = 0;
    // The current document; empty when nothing is shown.
    virtual std::string TextRTF() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual std::string Text() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;
    // Brings the view back to the start of the document before a new rendering.
    virtual void ResetView() = 0;
};

}  // namespace zentra
