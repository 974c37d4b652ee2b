#include "controls/ButtonGeometry.h"

#include <algorithm>

namespace zentra {
namespace {

struct FrameColours {
    Colour outerNear, outerFar, innerNear, innerFar;
};

constexpr FrameColours kRaised{syscolour::kHighlight3D, syscolour::kDarkShadow3D,
                               syscolour::kLight3D, syscolour::kButtonShadow};
constexpr FrameColours kPressed{syscolour::kDarkShadow3D, syscolour::kHighlight3D,
                                syscolour::kButtonShadow, syscolour::kLight3D};

}  // namespace

ButtonGeometry ComputeButtonGeometry(int outerWidth, int outerHeight, int captionWidth,
                                     int captionHeight, int pictureWidth, int pictureHeight,
                                     bool down, PixelScale scale) {
    const int px = scale.twipsPerPixelX;
    const int py = scale.twipsPerPixelY;
    const int fx = px * scale.frameLinePixels;  // one ring's thickness
    const int fy = py * scale.frameLinePixels;
    const FrameColours c = down ? kPressed : kRaised;
    const int right = outerWidth - fx;  // outer far edges
    const int bottom = outerHeight - fy;
    const int innerRight = outerWidth - 2 * fx;
    const int innerBottom = outerHeight - 2 * fy;

    ButtonGeometry g;
    g.frame = {{
        {0, 0, 0, bottom, c.outerNear},
        {0, 0, right, 0, c.outerNear},
        {0, bottom, right, bottom, c.outerFar},
        {right, 0, right, outerHeight, c.outerFar},  // reaches the bottom-right corner pixel
        {fx, fy, fx, innerBottom, c.innerNear},
        {fx, fy, innerRight, fy, c.innerNear},
        {fx, innerBottom, innerRight, innerBottom, c.innerFar},
        {innerRight, fy, innerRight, bottom, c.innerFar},
    }};
    g.face = {2 * fx, 2 * fy, outerWidth - 4 * fx, outerHeight - 4 * fy};

    const int dx = down ? px : 0;
    const int dy = down ? py : 0;
    const int faceWidth = g.face.width;
    const int faceHeight = g.face.height;
    // The caption sinks after its clamp horizontally, the picture before it on both axes.
    g.caption = {std::max(RoundHalfEven((faceWidth - captionWidth) / 2.0), 0) + dx,
                 std::max(RoundHalfEven((faceHeight - captionHeight) / 2.0 + dy), 0),
                 std::min(faceWidth, captionWidth), std::min(faceHeight, captionHeight)};
    g.picture = {std::max(RoundHalfEven((faceWidth - pictureWidth) / 2.0 + dx), 0),
                 std::max(RoundHalfEven((faceHeight - pictureHeight) / 2.0 + dy), 0),
                 std::min(faceWidth, pictureWidth), std::min(faceHeight, pictureHeight)};
    return g;
}

}  // namespace zentra
