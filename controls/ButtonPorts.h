// The ports between the push-button core and its host: drawing, the flash timer, the window
// services the control needs, and the events it raises to its container.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "controls/ButtonTypes.h"

namespace zentra {

// A drawing surface in the control's own pixels. Colours may be system colours.
class ButtonCanvas {
  public:
    virtual ~ButtonCanvas() = default;
    virtual void FillRect(const PixelRect& rect, Colour colour) = 0;
    // One-pixel line covering (x1, y1) and stopping one pixel short of (x2, y2).
    virtual void FrameLine(int x1, int y1, int x2, int y2, Colour colour) = 0;
    // Text with its top-left corner at (x, y), clipped to `clip`. With `useMnemonic` an '&' marks
    // the next character as underlined and "&&" shows one '&'.
    virtual void DrawCaption(const PixelRect& clip, int x, int y, const std::string& text,
                             const ButtonFont& font, Colour colour, bool useMnemonic) = 0;
    // The picture unstretched with its top-left corner at (x, y), clipped to `clip`.
    virtual void DrawPicture(const PixelRect& clip, int x, int y, const ButtonPicture& picture) = 0;
};

// The one-shot flash timer.
class ButtonTimer {
  public:
    virtual ~ButtonTimer() = default;
    virtual void Start(int milliseconds) = 0;
    virtual void Stop() = 0;
};

// What the control asks of the window that hosts it.
class ButtonHost {
  public:
    virtual ~ButtonHost() = default;
    // Natural size of the caption's text in pixels (mnemonic markers not counted when asked to).
    virtual PixelSize MeasureCaption(const std::string& text, const ButtonFont& font,
                                     bool useMnemonic) = 0;
    // The look changed: draw again from the control's current geometry.
    virtual void Invalidate() = 0;
    virtual void SetAccessKeys(const std::string& keys) = 0;
    virtual void SetInputEnabled(bool enabled) = 0;
    // MousePointer and MouseIcon together choose the pointer over the whole control.
    virtual void SetPointer(std::int16_t mousePointer, const std::vector<std::uint8_t>* icon) = 0;
    // The stored value of `key` is out of date.
    virtual void PropertyChanged(std::string_view key) = 0;
};

// Mouse event arguments as the container receives them: X and Y in twips of the control.
struct ButtonMouse {
    std::int16_t button = 0;  // 1 left, 2 right, 4 middle
    std::int16_t shift = 0;   // 1 Shift, 2 Ctrl, 4 Alt
    float x = 0;
    float y = 0;
};

// Events raised to the container; arguments are passed on by reference, unchanged.
class ButtonEvents {
  public:
    virtual ~ButtonEvents() = default;
    virtual void Click() = 0;
    virtual void DblClick() = 0;
    virtual void KeyDown(std::int16_t& keyCode, std::int16_t& shift) = 0;
    virtual void KeyPress(std::int16_t& keyAscii) = 0;
    virtual void KeyUp(std::int16_t& keyCode, std::int16_t& shift) = 0;
    virtual void MouseDown(ButtonMouse& mouse) = 0;
    virtual void MouseMove(ButtonMouse& mouse) = 0;
    virtual void MouseUp(ButtonMouse& mouse) = 0;
};

}  // namespace zentra
