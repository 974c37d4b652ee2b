// The keypad's push button: its properties, pressed/raised look, mouse tracking, keyboard flash and
// stored properties. The host window forwards its input here and draws with Draw().
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "controls/ButtonGeometry.h"
#include "controls/ButtonPorts.h"
#include "controls/ButtonTypes.h"
#include "controls/PropertyBag.h"

namespace zentra {

// The eleven stored keys, in the order they are loaded and saved.
inline constexpr const char* kButtonPropertyKeys[] = {
    "Accelerator",  "BackColor", "Caption",      "Enabled", "Font",       "ForeColor",
    "DisableColor", "MouseIcon", "MousePointer", "Picture", "UseMnemonic"};

inline constexpr int kFlashMilliseconds = 20;

class CommandButton {
  public:
    // Borrows the host and the timer; both outlive the button. A new button is 100 x 60 pixels.
    CommandButton(ButtonHost& host, ButtonTimer& timer, PixelScale scale = {});
    CommandButton(const CommandButton&) = delete;
    CommandButton& operator=(const CommandButton&) = delete;

    void SetEvents(ButtonEvents* events) { events_ = events; }

    const std::string& Accelerator() const { return accelerator_; }
    void SetAccelerator(const std::string& keys);
    Colour BackColor() const { return backColor_; }
    void SetBackColor(Colour colour);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& text);
    Colour DisableColor() const { return disableColor_; }
    void SetDisableColor(Colour colour);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    const ButtonFont& Font() const { return font_; }
    void SetFont(const ButtonFont& font);
    // The caption's current colour (DisableColor while disabled after a change of Enabled).
    Colour ForeColor() const { return captionColour_; }
    void SetForeColor(Colour colour);
    const std::optional<std::vector<std::uint8_t>>& MouseIcon() const { return mouseIcon_; }
    void SetMouseIcon(std::optional<std::vector<std::uint8_t>> icon);
    std::int32_t MousePointer() const { return mousePointer_; }
    // False (and nothing changes) when the code does not fit the 16-bit pointer code.
    bool SetMousePointer(std::int32_t pointer);
    const std::optional<ButtonPicture>& Picture() const { return picture_; }
    void SetPicture(std::optional<ButtonPicture> picture);
    bool UseMnemonic() const { return useMnemonic_; }
    void SetUseMnemonic(bool use);

    bool Pressed() const { return pressed_; }
    bool FlashPending() const { return flashPending_; }
    const ButtonGeometry& Geometry() const { return geometry_; }
    int WidthTwips() const { return width_; }
    int HeightTwips() const { return height_; }

    // Draws pressed now and raises Click after the flash; does nothing while disabled.
    void ClickDraw();
    // Raises now the Click that a running flash still owes; the look stays pressed until the
    // flash ends. Input that follows a press calls it first, so that it cannot overtake the press.
    void FinishClick();
    void Refresh(bool down);
    void Draw(ButtonCanvas& canvas) const;

    // Host input, in pixels of the control. Buttons: 1 left, 2 right, 4 middle.
    void OnResize(int widthPixels, int heightPixels);
    // The frame's lines at a new resolution; the next resize or refresh lays them out.
    void SetFrameLinePixels(int pixels);
    void OnMouseDown(std::int16_t button, std::int16_t shift, int x, int y);
    void OnMouseMove(std::int16_t button, std::int16_t shift, int x, int y);
    void OnMouseUp(std::int16_t button, std::int16_t shift, int x, int y);
    void OnDoubleClick();
    // The host took the mouse away (another window captured it, or the control was disabled).
    void OnMouseCancelled();
    void OnAccessKey();
    void OnTimer();
    void OnKeyDown(std::int16_t& keyCode, std::int16_t& shift);
    void OnKeyPress(std::int16_t& keyAscii);
    void OnKeyUp(std::int16_t& keyCode, std::int16_t& shift);

    // Absent keys take their defaults; a value of the wrong type or one its setter rejects is
    // skipped, and loading goes on.
    void LoadProperties(const PropertyBag& bag);
    // All eleven keys, always, in their stored order.
    PropertyBag SaveProperties() const;

  private:
    class GuardScope;
    void ResizeHandling() { Refresh(false); }
    void StartFlash();
    ButtonMouse MouseArgs(std::int16_t button, std::int16_t shift, int x, int y) const;
    bool Inside(int xTwips, int yTwips) const;
    void ApplyStoredValue(std::string_view key, const std::optional<PropertyValue>& value);

    ButtonHost& host_;
    ButtonTimer& timer_;
    PixelScale scale_;
    ButtonEvents* events_ = nullptr;

    int width_;
    int height_;
    std::string accelerator_;
    Colour backColor_ = syscolour::kButtonFace;
    std::string caption_;
    Colour disableColor_ = 0;
    bool enabled_ = true;
    ButtonFont font_;
    Colour foreColor_ = syscolour::kButtonText;  // the surface's
    Colour captionColour_ = syscolour::kButtonText;
    std::optional<std::vector<std::uint8_t>> mouseIcon_;
    std::int16_t mousePointer_ = 0;
    std::optional<ButtonPicture> picture_;
    bool useMnemonic_ = true;

    bool pressed_ = false;
    bool flashPending_ = false;  // drawn pressed until TimerAccess expires
    bool clickOwed_ = false;     // the press that started the flash has not clicked yet
    bool clickArmed_ = false;    // a left press began on the control and may end in a Click
    std::int16_t redrawGuard_ = 0;
    ButtonGeometry geometry_;
};

}  // namespace zentra
