#include "window/OkImage.h"

namespace zentra {
namespace {

constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;

bool Inside(int value, int size) {
    return value >= 0 && value <= size;
}

}  // namespace

void OkImage::Rise() {
    image_.MoveBy(-kSinkPixels, -kSinkPixels);
}

OkOutcome OkImage::OnMouseDown(int button) {
    if (button == kRightButton) {
        if (state_ == OkPress::Pressed) {
            Rise();
            state_ = OkPress::Idle;
        }
        return OkOutcome::ShowWhatsThis;
    }
    if (button == kLeftButton && state_ != OkPress::Pressed) {
        image_.MoveBy(kSinkPixels, kSinkPixels);
        state_ = OkPress::Pressed;
    }
    return OkOutcome::None;
}

void OkImage::OnMouseMove(int x, int y, int width, int height) {
    if (state_ != OkPress::Pressed || (Inside(x, width) && Inside(y, height))) return;
    Rise();
    state_ = OkPress::Idle;
}

void OkImage::OnMouseUp(int button) {
    if (state_ != OkPress::Pressed) {
        state_ = OkPress::Idle;
        return;
    }
    Rise();
    state_ = button == kLeftButton ? OkPress::Released : OkPress::Idle;
}

OkOutcome OkImage::OnClick() {
    return state_ == OkPress::Released ? OkOutcome::Close : OkOutcome::None;
}

}  // namespace zentra
