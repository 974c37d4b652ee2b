#include "controls/CommandButton.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "common/numbers/Common.h"

namespace zentra {

// Raises the redraw guard for its lifetime.
class CommandButton::GuardScope {
  public:
    explicit GuardScope(CommandButton& button) : button_(button) { ++button_.redrawGuard_; }
    ~GuardScope() { --button_.redrawGuard_; }
    GuardScope(const GuardScope&) = delete;
    GuardScope& operator=(const GuardScope&) = delete;

  private:
    CommandButton& button_;
};

namespace {

// Whole pixels below: the caption's positions in twips differ by 14 to 16 twips between the raised
// and the pressed look, and only truncation turns that into a one-pixel sink on every axis.
int ToPixels(int twips, int twipsPerPixel) {
    const int quotient = twips / twipsPerPixel;
    return (twips % twipsPerPixel != 0 && twips < 0) ? quotient - 1 : quotient;
}

PixelRect ToPixels(const TwipRect& r, PixelScale s) {
    return {ToPixels(r.left, s.twipsPerPixelX), ToPixels(r.top, s.twipsPerPixelY),
            ToPixels(r.width, s.twipsPerPixelX), ToPixels(r.height, s.twipsPerPixelY)};
}

PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
    const int left = std::max(a.left, b.left);
    const int top = std::max(a.top, b.top);
    const int right = std::min(a.left + a.width, b.left + b.width);
    const int bottom = std::min(a.top + a.height, b.top + b.height);
    return {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

PixelRect Offset(PixelRect r, const PixelRect& origin) {
    r.left += origin.left;
    r.top += origin.top;
    return r;
}

std::optional<Colour> AsColour(const PropertyValue& value) {
    if (auto* colour = std::get_if<ColourValue>(&value)) return colour->value;
    if (auto* number = std::get_if<std::int32_t>(&value)) return static_cast<Colour>(*number);
    return std::nullopt;
}

std::optional<bool> AsBool(const PropertyValue& value) {
    if (auto* flag = std::get_if<bool>(&value)) return *flag;
    if (auto* number = std::get_if<std::int32_t>(&value)) return *number != 0;
    return std::nullopt;
}

}  // namespace

CommandButton::CommandButton(ButtonHost& host, ButtonTimer& timer, PixelScale scale)
    : host_(host),
      timer_(timer),
      scale_(scale),
      width_(100 * scale.twipsPerPixelX),
      height_(60 * scale.twipsPerPixelY) {}

void CommandButton::SetAccelerator(const std::string& keys) {
    accelerator_ = keys;
    host_.SetAccessKeys(keys);
    host_.PropertyChanged("Accelerator");
}

void CommandButton::SetBackColor(Colour colour) {
    backColor_ = colour;
    ResizeHandling();
    host_.PropertyChanged("BackColor");
}

void CommandButton::SetCaption(const std::string& text) {
    if (text == caption_) return;
    caption_ = text;
    ResizeHandling();
    host_.PropertyChanged("Caption");
}

void CommandButton::SetDisableColor(Colour colour) {
    disableColor_ = colour;
    host_.PropertyChanged("DisableColor");
}

void CommandButton::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    host_.SetInputEnabled(enabled);
    captionColour_ = enabled ? foreColor_ : disableColor_;
    if (!enabled) clickArmed_ = false;
    host_.Invalidate();
    host_.PropertyChanged("Enabled");
}

void CommandButton::SetFont(const ButtonFont& font) {
    font_ = font;
    ResizeHandling();
    host_.PropertyChanged("Font");
}

void CommandButton::SetForeColor(Colour colour) {
    foreColor_ = colour;
    captionColour_ = colour;
    host_.Invalidate();
    host_.PropertyChanged("ForeColor");
}

void CommandButton::SetMouseIcon(std::optional<std::vector<std::uint8_t>> icon) {
    mouseIcon_ = std::move(icon);
    host_.SetPointer(mousePointer_, mouseIcon_ ? &*mouseIcon_ : nullptr);
    host_.PropertyChanged("MouseIcon");
}

bool CommandButton::SetMousePointer(std::int32_t pointer) {
    if (pointer < std::numeric_limits<std::int16_t>::min() ||
        pointer > std::numeric_limits<std::int16_t>::max()) {
        return false;
    }
    mousePointer_ = static_cast<std::int16_t>(pointer);
    host_.SetPointer(mousePointer_, mouseIcon_ ? &*mouseIcon_ : nullptr);
    host_.PropertyChanged("MousePointer");
    return true;
}

void CommandButton::SetPicture(std::optional<ButtonPicture> picture) {
    picture_ = std::move(picture);
    ResizeHandling();
    host_.PropertyChanged("Picture");
}

void CommandButton::SetUseMnemonic(bool use) {
    useMnemonic_ = use;
    // The caption's natural width depends on it; the look (raised or pressed) stays.
    Refresh(pressed_);
    host_.PropertyChanged("UseMnemonic");
}

void CommandButton::ClickDraw() {
    if (!enabled_) return;
    StartFlash();
}

void CommandButton::StartFlash() {
    Refresh(true);
    // A second press inside the flash (fast typing, key repeat) is not swallowed: the earlier
    // press clicks now, in its turn, and the new one owes the Click at the end of a new flash.
    FinishClick();
    flashPending_ = true;
    clickOwed_ = true;
    timer_.Stop();
    timer_.Start(kFlashMilliseconds);
}

void CommandButton::FinishClick() {
    if (!clickOwed_) return;
    clickOwed_ = false;
    if (events_) events_->Click();
}

void CommandButton::Refresh(bool down) {
    if (redrawGuard_ >= 1) return;
    GuardScope guard(*this);
    pressed_ = down;
    PixelSize caption;
    if (!caption_.empty()) caption = host_.MeasureCaption(caption_, font_, useMnemonic_);
    const int pictureWidth = picture_ ? picture_->width * scale_.twipsPerPixelX : 0;
    const int pictureHeight = picture_ ? picture_->height * scale_.twipsPerPixelY : 0;
    geometry_ = ComputeButtonGeometry(width_, height_, caption.width * scale_.twipsPerPixelX,
                                      caption.height * scale_.twipsPerPixelY, pictureWidth,
                                      pictureHeight, down, scale_);
    host_.Invalidate();
}

void CommandButton::Draw(ButtonCanvas& canvas) const {
    const PixelRect face = ToPixels(geometry_.face, scale_);
    canvas.FillRect(face, backColor_);
    if (picture_) {
        const PixelRect at = Offset(ToPixels(geometry_.picture, scale_), face);
        canvas.DrawPicture(Intersect(at, face), at.left, at.top, *picture_);
    }
    if (!caption_.empty()) {
        const PixelRect at = Offset(ToPixels(geometry_.caption, scale_), face);
        canvas.DrawCaption(Intersect(at, face), at.left, at.top, caption_, font_, captionColour_,
                           useMnemonic_);
    }
    // A thicker line is that many one-pixel lines side by side, down or right of where it starts:
    // the geometry leaves each ring that much room.
    for (const FrameLineTwips& line : geometry_.frame) {
        const bool across = line.y1 == line.y2;
        for (int t = 0; t < scale_.frameLinePixels; ++t) {
            const int dx = across ? 0 : t;
            const int dy = across ? t : 0;
            canvas.FrameLine(ToPixels(line.x1, scale_.twipsPerPixelX) + dx,
                             ToPixels(line.y1, scale_.twipsPerPixelY) + dy,
                             ToPixels(line.x2, scale_.twipsPerPixelX) + dx,
                             ToPixels(line.y2, scale_.twipsPerPixelY) + dy, line.colour);
        }
    }
}

void CommandButton::SetFrameLinePixels(int pixels) {
    scale_.frameLinePixels = std::max(1, pixels);
}

void CommandButton::OnResize(int widthPixels, int heightPixels) {
    width_ = widthPixels * scale_.twipsPerPixelX;
    height_ = heightPixels * scale_.twipsPerPixelY;
    ResizeHandling();
}

ButtonMouse CommandButton::MouseArgs(std::int16_t button, std::int16_t shift, int x, int y) const {
    return {button, shift, static_cast<float>(x * scale_.twipsPerPixelX),
            static_cast<float>(y * scale_.twipsPerPixelY)};
}

bool CommandButton::Inside(int xTwips, int yTwips) const {
    return IsBetween(xTwips, 0, width_, false) && IsBetween(yTwips, 0, height_, false);
}

void CommandButton::OnMouseDown(std::int16_t button, std::int16_t shift, int x, int y) {
    if (!enabled_) return;
    if (!pressed_ && button == 1) Refresh(true);
    clickArmed_ = button == 1;
    ButtonMouse mouse = MouseArgs(button, shift, x, y);
    if (events_) events_->MouseDown(mouse);
}

void CommandButton::OnMouseMove(std::int16_t button, std::int16_t shift, int x, int y) {
    if (!enabled_) return;
    if (pressed_ && !Inside(x * scale_.twipsPerPixelX, y * scale_.twipsPerPixelY)) Refresh(false);
    ButtonMouse mouse = MouseArgs(button, shift, x, y);
    if (events_) events_->MouseMove(mouse);
}

void CommandButton::OnMouseUp(std::int16_t button, std::int16_t shift, int x, int y) {
    if (!enabled_) return;
    if (pressed_) Refresh(false);
    // The host's click: a left press and release, both over the control.
    const bool click = clickArmed_ && button == 1 && x >= 0 && y >= 0 &&
                       x * scale_.twipsPerPixelX < width_ && y * scale_.twipsPerPixelY < height_;
    if (button == 1) clickArmed_ = false;
    ButtonMouse mouse = MouseArgs(button, shift, x, y);
    if (events_) events_->MouseUp(mouse);
    if (click && events_) events_->Click();
}

void CommandButton::OnDoubleClick() {
    if (!enabled_) return;
    clickArmed_ = false;  // the second release of a double click is no click of its own
    if (events_) events_->DblClick();
}

void CommandButton::OnMouseCancelled() {
    clickArmed_ = false;
    if (pressed_ && !flashPending_) Refresh(false);
}

void CommandButton::OnAccessKey() {
    if (!enabled_) return;
    StartFlash();
}

void CommandButton::OnTimer() {
    if (!flashPending_) return;  // a tick queued before the timer was stopped
    flashPending_ = false;
    timer_.Stop();
    Refresh(false);
    FinishClick();
}

void CommandButton::OnKeyDown(std::int16_t& keyCode, std::int16_t& shift) {
    if (events_) events_->KeyDown(keyCode, shift);
}

void CommandButton::OnKeyPress(std::int16_t& keyAscii) {
    if (events_) events_->KeyPress(keyAscii);
}

void CommandButton::OnKeyUp(std::int16_t& keyCode, std::int16_t& shift) {
    if (events_) events_->KeyUp(keyCode, shift);
}

void CommandButton::ApplyStoredValue(std::string_view key,
                                     const std::optional<PropertyValue>& value) {
    if (key == "Accelerator") {
        if (!value) return SetAccelerator("");
        if (auto* text = std::get_if<std::string>(&*value)) SetAccelerator(*text);
    } else if (key == "BackColor") {
        if (!value) return SetBackColor(backColor_);
        if (auto colour = AsColour(*value)) SetBackColor(*colour);
    } else if (key == "Caption") {
        if (!value) return SetCaption("");
        if (auto* text = std::get_if<std::string>(&*value)) SetCaption(*text);
    } else if (key == "Enabled") {
        if (!value) return SetEnabled(true);
        if (auto flag = AsBool(*value)) SetEnabled(*flag);
    } else if (key == "Font") {
        if (!value) return SetFont(font_);
        if (auto* font = std::get_if<ButtonFont>(&*value)) SetFont(*font);
    } else if (key == "ForeColor") {
        if (!value) return SetForeColor(captionColour_);
        if (auto colour = AsColour(*value)) SetForeColor(*colour);
    } else if (key == "DisableColor") {
        if (!value) {
            disableColor_ = foreColor_;
        } else if (auto colour = AsColour(*value)) {
            disableColor_ = *colour;
        }
    } else if (key == "MouseIcon") {
        if (!value) return;
        if (std::holds_alternative<std::monostate>(*value)) return SetMouseIcon(std::nullopt);
        if (auto* data = std::get_if<BytesValue>(&*value)) SetMouseIcon(data->bytes);
    } else if (key == "MousePointer") {
        if (!value) {
            SetMousePointer(0);
        } else if (auto* number = std::get_if<std::int32_t>(&*value)) {
            SetMousePointer(*number);
        }
    } else if (key == "Picture") {
        if (!value) return;
        if (std::holds_alternative<std::monostate>(*value)) return SetPicture(std::nullopt);
        if (auto* data = std::get_if<BytesValue>(&*value)) {
            if (auto picture = ButtonPicture::FromBmp(data->bytes)) SetPicture(std::move(picture));
        }
    } else if (key == "UseMnemonic") {
        if (!value) return SetUseMnemonic(false);
        if (auto flag = AsBool(*value)) SetUseMnemonic(*flag);
    }
}

void CommandButton::LoadProperties(const PropertyBag& bag) {
    {
        GuardScope guard(*this);
        for (const char* key : kButtonPropertyKeys) ApplyStoredValue(key, bag.Read(key));
    }
    // Enabled is loaded before the colours, so a button stored disabled would otherwise show
    // its caption in ForeColor until the next change of Enabled.
    captionColour_ = enabled_ ? foreColor_ : disableColor_;
}

PropertyBag CommandButton::SaveProperties() const {
    auto object = [](const auto& stored) -> PropertyValue {
        if (!stored) return std::monostate{};
        if constexpr (std::is_same_v<std::decay_t<decltype(*stored)>, ButtonPicture>) {
            return BytesValue{stored->bmp};
        } else {
            return BytesValue{*stored};
        }
    };
    PropertyBag bag;
    bag.Write("Accelerator", accelerator_);
    bag.Write("BackColor", ColourValue{backColor_});
    bag.Write("Caption", caption_);
    bag.Write("Enabled", enabled_);
    bag.Write("Font", font_);
    // The surface's ForeColor: the caption shows DisableColor while disabled, and saving that
    // would lose the enabled colour.
    bag.Write("ForeColor", ColourValue{foreColor_});
    bag.Write("DisableColor", ColourValue{disableColor_});
    bag.Write("MouseIcon", object(mouseIcon_));
    bag.Write("MousePointer", static_cast<std::int32_t>(mousePointer_));
    bag.Write("Picture", object(picture_));
    bag.Write("UseMnemonic", useMnemonic_);
    return bag;
}

}  // namespace zentra
