// The About panel's OK image: it sinks two pixels while pressed, lets go without closing when the
// pointer is dragged off or the right button is pressed, and closes the panel with a click after a
// left-button release over it.
#pragma once

namespace zentra {

// The picture control the OK image is shown by.
class OkImagePort {
  public:
    virtual ~OkImagePort() = default;
    // Moves the picture by whole pixels.
    virtual void MoveBy(int dxPixels, int dyPixels) = 0;
};

enum class OkPress : int { Idle = 0, Pressed = 1, Released = 2 };

// What the window does after a mouse event of the image.
enum class OkOutcome : int { None, ShowWhatsThis, Close };

class OkImage {
  public:
    static constexpr int kSinkPixels = 2;

    // `image` is borrowed.
    explicit OkImage(OkImagePort& image) : image_(image) {}

    // `button`: 1 left, 2 right, 4 middle. Coordinates in pixels of the image; `width` and
    // `height` its size.
    OkOutcome OnMouseDown(int button);
    void OnMouseMove(int x, int y, int width, int height);
    void OnMouseUp(int button);
    OkOutcome OnClick();

    OkPress State() const { return state_; }

  private:
    void Rise();

    OkImagePort& image_;
    OkPress state_ = OkPress::Idle;
};

}  // namespace zentra
