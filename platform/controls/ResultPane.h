// The result pane: window class "Zentra.ResultPane", which keeps the result as an RTF document and
// draws its runs itself in Arial, exponents and the multiplication dot raised above the base line.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/display/RichTextBox.h"
#include "controls/RichTextLayout.h"
#include "platform/controls/WindowBase.h"

namespace zentra::win32 {

struct ResultPaneArgs : ChildPlace {
    ResultPaneArgs() { border = true; }
    // A mouse button went down over the enabled pane: button 1 left, 2 right, 4 middle; shift 1
    // Shift, 2 Ctrl, 4 Alt; x and y in twips from the pane's top-left corner. Presses on the
    // disabled pane go to the parent window as usual.
    std::function<void(int button, int shift, int x, int y)> onMouseDown;
};

// Owns its window: destroying the object destroys the window. Starts empty and disabled.
class ResultPane final : public RichTextBox, private WindowBase {
  public:
    static std::unique_ptr<ResultPane> Create(ResultPaneArgs args);
    ~ResultPane() override;

    using WindowBase::Hwnd;
    // The document's size, its runs as drawn (pixels from the text's origin), and how far the
    // view is scrolled right.
    const TextLayout& Layout() const { return layout_; }
    std::vector<PlacedRun> PlacedRuns();
    int ScrollOffset() const { return scrollX_; }

    void SetTextRTF(std::string rtf) override;
    std::string TextRTF() const override { return rtf_; }
    void SetText(const std::string& text) override;
    std::string Text() const override { return PlainText(); }
    void SetEnabled(bool enabled) override;
    bool Enabled() const override;
    void ResetView() override;
    // Lays the text out again with its fonts at `dpi`.
    void SetDpi(int dpi);

  private:
    explicit ResultPane(ResultPaneArgs args) : args_(std::move(args)) {}
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    AccessibleItem AccessibleDescribe(long child) override;

    void Paint(HDC hdc);
    // Reads the document (its text is the pane's plain text) and lays it out.
    void ShowDocument(std::string rtf);
    const std::string& PlainText() const { return givenText_ ? *givenText_ : document_.text; }
    void ScrollTo(int x);
    int MaxScroll() const;
    // The text's inset from the client edge and the arrow keys' step, at the pane's dpi.
    int InsetX() const;
    int InsetY() const;
    int ScrollStep() const;
    void OnMouseDown(const MouseButtonEvent& mouse);
    bool OnKey(WPARAM key);
    HFONT FontFor(int halfPoints);

    friend class GdiMeasurer;

    ResultPaneArgs args_;
    std::string rtf_;
    RtfDocument document_;
    // The text as SetText gave it, line ends included, which its document does not keep.
    std::optional<std::string> givenText_;
    TextLayout layout_;
    int scrollX_ = 0;
    int pixelsPerInch_ = 96;
    std::map<int, HFONT> fonts_;  // Arial by size in half points, owned
    // What the layout measured of each size: a result of 100,000 lines has hundreds of thousands
    // of runs, and asking the font for each costs more than the whole calculation.
    struct FontMeasures {
        FontMetrics metrics;
        std::array<int, 256> widths;  // per character, -1 until measured
    };
    std::map<int, FontMeasures> measures_;
};

}  // namespace zentra::win32
