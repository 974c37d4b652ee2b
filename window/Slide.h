// The slide of the display panel: the display view moves out to the left, 6 pixels per 10 ms tick,
// to uncover the About panel, and back in when it closes. A mode switch rides on the same slide:
// the old view goes out and the other mode's view comes in at once.
//
// The host calls Tick() every kSlideIntervalMs while Running(); the whole window stays disabled
// meanwhile. The slide itself keeps no clock, so a test drives it tick by tick.
#pragma once

#include <string>
#include <utility>

#include "common/display/RichTextBox.h"

namespace zentra {

inline constexpr int kSlideIntervalMs = 10;
inline constexpr int kSlideStepPixels = 6;

enum class DisplayView : int { Grid, Linear };

// What the slide moves and switches. Positions are pixels in the display panel.
class SlideStage {
  public:
    virtual ~SlideStage() = default;
    virtual int ViewLeft(DisplayView view) const = 0;
    // How far a tick moves the view: kSlideStepPixels at the stage's resolution.
    virtual int StepPixels() const { return kSlideStepPixels; }
    virtual int ViewWidth(DisplayView view) const = 0;
    virtual void MoveView(DisplayView view, int left) = 0;
    // Gives the view the focus when it is enabled.
    virtual void FocusView(DisplayView view) = 0;
    virtual void SetWindowEnabled(bool enabled) = 0;
    // The keypad panel and the result pane: disabled as a slide starts.
    virtual void SetControlsEnabled(bool enabled) = 0;
    // The Actions, Edit and Mode menus: they follow the keypad when a slide ends.
    virtual void SetMenusEnabled(bool enabled) = 0;
    // The About panel's OK image.
    virtual void SetOkEnabled(bool enabled) = 0;
    virtual void StartTimer() = 0;
    virtual void StopTimer() = 0;
};

class Slide {
  public:
    // `stage` is borrowed. `active` is the view in place.
    Slide(SlideStage& stage, DisplayView active) : stage_(stage), active_(active) {}

    // Slides the display out to show the About panel, or back in when it shows.
    void ToggleAbout();
    // Slides the active view out and `next` in. A switch during a running slide is honoured:
    // the slide ends with `next` in place.
    void SwitchTo(DisplayView next);
    void Tick();

    bool Running() const { return running_; }
    bool AboutShown() const { return aboutShown_; }
    bool ModeSwitchPending() const { return switchPending_; }
    DisplayView Active() const { return active_; }
    // Start-up applies the stored mode without sliding.
    void SetActive(DisplayView view) { active_ = view; }

  private:
    void Start();
    void Finish();

    SlideStage& stage_;
    DisplayView active_;
    DisplayView next_ = DisplayView::Grid;
    bool aboutShown_ = false;
    bool switchPending_ = false;
    bool running_ = false;
};

// The result pane as the window's work sees it: what an operation shows goes in, but while a
// slide runs or the About panel shows the pane stays disabled (an operation that DDE runs meanwhile
// must not enable it under the panel); the slide's end enables it again.
class HeldResultPane final : public RichTextBox {
  public:
    // Both borrowed; `slide` need not be constructed yet, only before the first call.
    HeldResultPane(RichTextBox& pane, const Slide& slide) : pane_(pane), slide_(slide) {}

    void SetTextRTF(std::string rtf) override { pane_.SetTextRTF(std::move(rtf)); }
    std::string TextRTF() const override { return pane_.TextRTF(); }
    void SetText(const std::string& text) override { pane_.SetText(text); }
    std::string Text() const override { return pane_.Text(); }
    void SetEnabled(bool enabled) override {
        pane_.SetEnabled(enabled && !slide_.Running() && !slide_.AboutShown());
    }
    bool Enabled() const override { return pane_.Enabled(); }
    void ResetView() override { pane_.ResetView(); }

  private:
    RichTextBox& pane_;
    const Slide& slide_;
};

}  // namespace zentra
