// Recording fakes of the window's ports: each keeps what the user would see and counts events.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/display/MemoryGrid.h"
#include "common/display/MemoryRichTextBox.h"
#include "input/MemoryTextBox.h"
#include "window/LinearView.h"
#include "window/OkImage.h"
#include "window/Ports.h"
#include "window/Slide.h"

namespace zentra::testing {

// Time for the tests: timers fire only when the test advances the clock.
class ManualClock {
  public:
    struct Alarm {
        int due;
        std::function<void()> action;
    };
    int Now() const { return now_; }
    void After(int ms, std::function<void()> action) {
        alarms_.push_back({now_ + ms, std::move(action)});
    }
    void Advance(int ms) {
        now_ += ms;
        // Alarms may schedule more alarms; run every one that is due, oldest first.
        for (std::size_t i = 0; i < alarms_.size();) {
            if (alarms_[i].due <= now_) {
                auto action = std::move(alarms_[i].action);
                alarms_.erase(alarms_.begin() + static_cast<std::ptrdiff_t>(i));
                action();
                i = 0;
            } else {
                ++i;
            }
        }
    }

  private:
    int now_ = 0;
    std::vector<Alarm> alarms_;
};

class FakeKey final : public KeyPort {
  public:
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool value) override { enabled = value; }
    void SetVisible(bool value) override { visible = value; }
    void SetCaption(const std::string& value) override {
        caption = value;
        ++captionSets;
    }
    std::uint32_t ForeColor() const override { return foreColor; }
    void SetForeColor(std::uint32_t value) override { foreColor = value; }
    void SetFontName(const std::string& value) override { fontName = value; }
    int HelpContextId() const override { return helpContextId; }
    int WhatsThisHelpId() const override { return whatsThisHelpId; }
    // Like the real key: pressed now, Click 20 ms later, nothing while disabled; a press inside
    // its own flash clicks the earlier press at once.
    void ClickDraw() override {
        if (!enabled) return;
        ++clickDraws;
        if (clock == nullptr) return;
        FinishClick();
        owed = true;
        const int flash = ++flashes;
        clock->After(20, [this, flash] {
            if (flash == flashes) FinishClick();
        });
    }
    void FinishClick() {
        if (!owed) return;
        owed = false;
        if (click) click();
    }

    bool enabled = true;
    bool visible = true;
    std::string caption;
    int captionSets = 0;
    std::uint32_t foreColor = 0;
    std::string fontName;
    int helpContextId = 0;
    int whatsThisHelpId = 0;
    int clickDraws = 0;
    bool owed = false;
    int flashes = 0;
    ManualClock* clock = nullptr;
    std::function<void()> click;
};

class FakeKeypad final : public KeypadPort {
  public:
    KeyPort& Key(KeyArray array, int index) override { return At(array, index); }
    void FinishPresses() override {
        for (auto& array : keys) {
            for (auto& key : array) key.FinishClick();
        }
    }
    FakeKey& At(KeyArray array, int index) {
        return keys[static_cast<std::size_t>(array)].at(static_cast<std::size_t>(index));
    }
    std::array<std::array<FakeKey, 10>, 4> keys;
};

class FakeMenuItem final : public MenuItemPort {
  public:
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool value) override { enabled = value; }
    bool Checked() const override { return checked; }
    void SetChecked(bool value) override { checked = value; }
    bool enabled = true;
    bool checked = false;
};

class FakeMenus final : public MenuPort {
  public:
    MenuItemPort& Item(MenuItem item) override { return At(item); }
    void ShowModeMenu(bool shown) override { modeMenuShown = shown; }
    FakeMenuItem& At(MenuItem item) { return items.at(static_cast<std::size_t>(item)); }
    std::array<FakeMenuItem, kMenuItemCount> items;
    bool modeMenuShown = true;
};

class FakeWindow final : public WindowPort {
  public:
    void SetCaption(const std::string& value) override { caption = value; }
    void SetOuterSize(int w, int h) override {
        width = w;
        height = h;
    }
    void SetBusy(bool value) override {
        busy = value;
        log.push_back(value ? "busy" : "idle");
        // A failure in the middle of an operation, as the host would stop it.
        if (value && failWhenBusy) throw std::runtime_error("failed while busy");
    }
    void Unload() override { ++unloads; }
    void Minimize() override { state = "minimized"; }
    void Restore() override { state = "normal"; }
    bool ResultPaneActive() const override { return resultActive; }
    ClientRect ResultPaneRect() const override { return resultRect; }
    void ShowPopupMenu() override { ++popups; }
    void PasteIntoWindow(std::uintptr_t window) override { pastedInto.push_back(window); }

    std::string caption;
    int width = 0;
    int height = 0;
    bool busy = false;
    bool failWhenBusy = false;
    std::vector<std::string> log;
    int unloads = 0;
    std::string state = "normal";
    bool resultActive = false;
    ClientRect resultRect{0, 75, 340, 98};
    int popups = 0;
    std::vector<std::uintptr_t> pastedInto;
};

class FakeMetrics final : public MetricsPort {
  public:
    int TwipsPerPixelX() const override { return 15; }
    int DotsPerInch() const override { return dpi; }
    int VerticalScrollBarWidth() const override { return 16; }
    // A fixed-pitch font of 7 px per character.
    int DisplayTextWidth(const std::string& text) const override {
        return static_cast<int>(text.size()) * 7 * 15;
    }
    int dpi = 96;
};

class FakeClipboard final : public ClipboardPort {
  public:
    std::string Text() const override { return text; }
    bool HasText() const override { return !text.empty(); }
    void SetText(const std::string& value) override {
        text = value;
        rtf.clear();
    }
    void SetRtf(const std::string& value) override {
        rtf = value;
        text.clear();
    }
    std::string text;
    std::string rtf;
};

class FakeBeep final : public BeepPort {
  public:
    void Beep() override { ++beeps; }
    int beeps = 0;
};

class FakeHelp final : public HelpPort {
  public:
    void ShowWhatsThis(int topic) override { topics.push_back(topic); }
    void ShowTopic(int topic) override { shownTopics.push_back(topic); }
    std::vector<int> topics;
    std::vector<int> shownTopics;
};

class FakeTimer final : public TimerPort {
  public:
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool value) override { enabled = value; }
    bool enabled = false;
};

// Other programs' windows by class and title; every call is logged as text.
class FakeShell final : public ShellPort {
  public:
    struct Window {
        std::string className;
        std::string title;
        std::uintptr_t handle;
        bool minimized = false;
    };
    std::uintptr_t FindTopWindow(const std::string& className,
                                 const std::string& title) const override {
        for (const Window& window : windows) {
            if ((className.empty() || className == window.className) &&
                (title.empty() || title == window.title)) {
                return window.handle;
            }
        }
        return 0;
    }
    void BringToTop(std::uintptr_t window) override {
        log.push_back("top " + std::to_string(window));
    }
    void RestoreIfMinimized(std::uintptr_t window) override {
        for (Window& shown : windows) {
            if (shown.handle != window || !shown.minimized) continue;
            shown.minimized = false;
            log.push_back("restore " + std::to_string(window));
        }
    }
    void AskToClose(std::uintptr_t window) override {
        log.push_back("close " + std::to_string(window));
    }
    bool StartProgram(const std::string& commandLine) override {
        log.push_back("start " + commandLine);
        return startSucceeds;
    }
    std::intptr_t ShellOpen(const std::string& file, int showCommand) override {
        log.push_back("open " + file + " " + std::to_string(showCommand));
        return openResult;
    }

    std::vector<Window> windows;
    std::vector<std::string> log;
    bool startSucceeds = true;
    std::intptr_t openResult = 42;
};

// The linear view's text box: a MemoryTextBox that wraps nothing (one line per "\n"), in a panel
// of a fixed size.
class FakeExpressionBox final : public ExpressionBoxPort {
  public:
    std::string Text() const override { return line.Text(); }
    void SetText(const std::string& text) override {
        line.SetText(text);
        if (onChange) onChange();
    }
    int SelStart() const override { return line.SelStart(); }
    void SetSelStart(int start) override { line.SetSelStart(start); }
    int SelLength() const override { return line.SelLength(); }
    void SetSelLength(int length) override { line.SetSelLength(length); }
    void ReplaceSel(std::string_view text) override {
        line.ReplaceSel(text);
        if (onChange) onChange();
    }
    bool Enabled() const override { return line.Enabled(); }
    void SetFocus() override { line.SetFocus(); }
    int LineCount() const override {
        const std::string text = line.Text();
        return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    }
    int LineHeight() const override { return 15; }
    int PanelInnerWidth() const override { return 315; }
    int PanelInnerHeight() const override { return 60; }
    int Height() const override { return height; }
    void SetWidth(int value) override { width = value; }
    void Move(int, int, int w, int h) override {
        width = w;
        height = h;
    }

    MemoryTextBox line;
    int width = 0;
    int height = 60;
    std::function<void()> onChange;
};

// The slide's stage: view positions, enabled states and a timer on the manual clock.
class FakeStage final : public SlideStage {
  public:
    explicit FakeStage(ManualClock& clock, int viewWidth = 315) : clock_(clock), width_(viewWidth) {
        left[static_cast<int>(DisplayView::Linear)] = -viewWidth;
    }
    int ViewLeft(DisplayView view) const override { return left[static_cast<int>(view)]; }
    int ViewWidth(DisplayView) const override { return width_; }
    int StepPixels() const override { return step; }
    void MoveView(DisplayView view, int x) override { left[static_cast<int>(view)] = x; }
    void FocusView(DisplayView view) override { focus.push_back(view); }
    void SetWindowEnabled(bool enabled) override { windowEnabled = enabled; }
    void SetControlsEnabled(bool enabled) override { controlsEnabled = enabled; }
    void SetMenusEnabled(bool enabled) override { menusEnabled = enabled; }
    void SetOkEnabled(bool enabled) override { okEnabled = enabled; }
    void StartTimer() override {
        timerOn = true;
        ++timerStarts;
        Schedule();
    }
    void StopTimer() override { timerOn = false; }

    std::function<void()> tick;
    int step = kSlideStepPixels;
    std::array<int, 2> left{0, 0};
    std::vector<DisplayView> focus;
    bool windowEnabled = true;
    bool controlsEnabled = true;
    bool menusEnabled = true;
    bool okEnabled = false;
    bool timerOn = false;
    int timerStarts = 0;
    int ticks = 0;

  private:
    void Schedule() {
        clock_.After(kSlideIntervalMs, [this] {
            if (!timerOn) return;
            ++ticks;
            if (tick) tick();
            if (timerOn) Schedule();
        });
    }
    ManualClock& clock_;
    int width_;
};

// The About panel's OK image: where it sits, relative to its place.
class FakeOkImage final : public OkImagePort {
  public:
    void MoveBy(int dxPixels, int dyPixels) override {
        x += dxPixels;
        y += dyPixels;
    }
    int x = 0;
    int y = 0;
};

class FakeFileSearch final : public FileSearchPort {
  public:
    std::string Search(const std::string& folder, const std::string& file) const override {
        return folder.empty() && file == "calc.exe" ? found : "";
    }
    std::string found;
};

}  // namespace zentra::testing
