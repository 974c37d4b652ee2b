// Recording fakes of the push button's ports.
#pragma once

#include <string>
#include <vector>

#include "controls/ButtonPorts.h"

namespace zentra::testing {

// Measures 7 pixels per shown character and 15 pixels of line height.
class FakeButtonHost : public ButtonHost {
  public:
    PixelSize MeasureCaption(const std::string& text, const ButtonFont&,
                             bool useMnemonic) override {
        ++measures;
        int shown = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (useMnemonic && text[i] == '&' && i + 1 < text.size()) ++i;
            ++shown;
        }
        return {7 * shown, 15};
    }
    void Invalidate() override { ++invalidates; }
    void SetAccessKeys(const std::string& keys) override { accessKeys = keys; }
    void SetInputEnabled(bool enabled) override { inputEnabled = enabled; }
    void SetPointer(std::int16_t code, const std::vector<std::uint8_t>* icon) override {
        pointer = code;
        hasIcon = icon != nullptr;
    }
    void PropertyChanged(std::string_view key) override { changed.emplace_back(key); }

    int measures = 0;
    int invalidates = 0;
    std::string accessKeys;
    bool inputEnabled = true;
    std::int16_t pointer = 0;
    bool hasIcon = false;
    std::vector<std::string> changed;
};

class FakeTimer : public ButtonTimer {
  public:
    void Start(int milliseconds) override {
        ++starts;
        interval = milliseconds;
        running = true;
    }
    void Stop() override { running = false; }

    int starts = 0;
    int interval = 0;
    bool running = false;
};

// Events as one letter each: C click, D double click, d/m/u mouse down/move/up.
class RecordingEvents : public ButtonEvents {
  public:
    void Click() override { log += 'C'; }
    void DblClick() override { log += 'D'; }
    void KeyDown(std::int16_t& keyCode, std::int16_t&) override {
        log += 'k';
        keyCode = replaceKey;
    }
    void KeyPress(std::int16_t& keyAscii) override {
        log += 'p';
        keyAscii = replaceKey;
    }
    void KeyUp(std::int16_t&, std::int16_t&) override { log += 'K'; }
    void MouseDown(ButtonMouse& mouse) override {
        log += 'd';
        last = mouse;
    }
    void MouseMove(ButtonMouse& mouse) override {
        log += 'm';
        last = mouse;
    }
    void MouseUp(ButtonMouse& mouse) override {
        log += 'u';
        last = mouse;
    }

    std::string log;
    ButtonMouse last;
    std::int16_t replaceKey = 0;
};

struct CanvasCall {
    std::string what;  // "fill", "line", "text", "picture"
    PixelRect rect;    // fill rect or clip
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Colour colour = 0;
    std::string text;
};

class RecordingCanvas : public ButtonCanvas {
  public:
    void FillRect(const PixelRect& rect, Colour colour) override {
        calls.push_back({"fill", rect, 0, 0, 0, 0, colour, {}});
    }
    void FrameLine(int x1, int y1, int x2, int y2, Colour colour) override {
        calls.push_back({"line", {}, x1, y1, x2, y2, colour, {}});
    }
    void DrawCaption(const PixelRect& clip, int x, int y, const std::string& text,
                     const ButtonFont&, Colour colour, bool) override {
        calls.push_back({"text", clip, x, y, 0, 0, colour, text});
    }
    void DrawPicture(const PixelRect& clip, int x, int y, const ButtonPicture&) override {
        calls.push_back({"picture", clip, x, y, 0, 0, 0, {}});
    }

    std::vector<CanvasCall> Of(const std::string& what) const {
        std::vector<CanvasCall> found;
        for (const auto& call : calls) {
            if (call.what == what) found.push_back(call);
        }
        return found;
    }

    std::vector<CanvasCall> calls;
};

}  // namespace zentra::testing
