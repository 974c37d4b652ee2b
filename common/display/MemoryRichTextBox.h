// In-memory result pane: the rich text contract without a window.
#pragma once

#include "common/display/RichTextBox.h"

namespace zentra {

class MemoryRichTextBox final : public RichTextBox {
  public:
    void SetTextRTF(std::string rtf) override;
    std::string TextRTF() const override { return rtf_; }
    void SetText(const std::string& text) override;
    std::string Text() const override { return text_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    bool Enabled() const override { return enabled_; }
    void ResetView() override { ++resetCount_; }

    int ResetCount() const { return resetCount_; }

  private:
    std::string rtf_;
    std::string text_;
    bool enabled_ = false;
    int resetCount_ = 0;
};

}  // namespace zentra
