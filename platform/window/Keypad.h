// The keypad's 28 keys as the window's logic sees them: one "Zentra.CommandButton" window per key
// of the stored design, placed by the keypad layout.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "controls/KeypadDesign.h"
#include "platform/controls/CommandButtonWindow.h"
#include "window/Ports.h"
#include "window/WindowLayout.h"

namespace zentra::win32 {

class Keypad final : public KeypadPort {
  public:
    struct Events {
        std::function<void(KeyArray, int)> onClick;
        std::function<void(KeyArray, int)> onDblClick;
        std::function<void(KeyArray, int, const ButtonMouse&)> onMouseDown;
    };

    // Creates every key of the design inside `panel`, sized for `dpi`; a key missing from the
    // design is created as a new, blank button so that the window still has all 28.
    bool Create(HWND panel, const std::vector<KeyDesign>& design, Events events,
                int dpi = kDesignDpi);

    KeyPort& Key(KeyArray array, int index) override;
    // Every input finishes the owed presses before it acts, so at most one key owes a Click here
    // and the order of the keys does not matter.
    void FinishPresses() override;
    // Places the keys (never resizes them) by the keypad layout.
    void LayOut();
    // The window moved to a screen of `dpi`: the keys take their size and fonts for it; the
    // panel's layout places them next.
    void SetDpi(int dpi);
    // The key behind a window handle, for routing; false when `hwnd` is no key.
    bool Find(HWND hwnd, KeyArray& array, int& index) const;
    HWND Panel() const { return panel_; }
    // Key height in pixels at the keypad's resolution, for the keypad panel's height.
    int KeyHeight() const { return ScalePixels(keyHeight_, dpi_); }

  private:
    class Button final : public KeyPort {
      public:
        std::unique_ptr<CommandButtonWindow> window;
        bool Enabled() const override { return window && window->Enabled(); }
        void SetEnabled(bool enabled) override;
        void SetVisible(bool visible) override;
        void SetCaption(const std::string& caption) override;
        std::uint32_t ForeColor() const override;
        void SetForeColor(std::uint32_t colour) override;
        void SetFontName(const std::string& name) override;
        void ClickDraw() override;
        int HelpContextId() const override { return helpContextId; }
        int WhatsThisHelpId() const override { return whatsThisHelpId; }
        int helpContextId = 0;
        int whatsThisHelpId = 0;
    };

    static constexpr int kKeyCount = 28;
    static int Slot(KeyArray array, int index);

    HWND panel_ = nullptr;
    Events events_;
    std::array<Button, kKeyCount> keys_;
    // The stored key size, in pixels at 96 dpi.
    int keyWidth_ = 36;
    int keyHeight_ = 28;
    int dpi_ = kDesignDpi;
    int placedWidth_ = -1;  // the key size the keys were last placed for
    int placedHeight_ = -1;
    int placedDpi_ = -1;
};

}  // namespace zentra::win32
