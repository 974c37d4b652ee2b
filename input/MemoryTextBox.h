// In-memory line: the text box contract without a window, for tests and the command line.
#pragma once

#include <utility>

#include "input/TextBox.h"

namespace zentra {

class MemoryTextBox final : public TextBox {
  public:
    MemoryTextBox() = default;
    explicit MemoryTextBox(std::string text) : text_(std::move(text)) {}

    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override;
    int SelStart() const override { return selStart_; }
    void SetSelStart(int start) override;
    int SelLength() const override { return selLength_; }
    void SetSelLength(int length) override;
    void ReplaceSel(std::string_view text) override;
    bool Enabled() const override { return enabled_; }
    void SetFocus() override { ++focusCount_; }

    void SetEnabled(bool enabled) { enabled_ = enabled; }
    int FocusCount() const { return focusCount_; }
    // How often the whole text was replaced.
    int TextSets() const { return textSets_; }

  private:
    std::string text_;
    int selStart_ = 0;
    int selLength_ = 0;
    bool enabled_ = true;
    int focusCount_ = 0;
    int textSets_ = 0;
};

}  // namespace zentra
