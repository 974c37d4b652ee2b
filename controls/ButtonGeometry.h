// Where the push button draws its frame, face, caption and picture for the raised and pressed
// looks.
#pragma once

#include <array>

#include "controls/ButtonTypes.h"

namespace zentra {

// A frame line in twips of the control, from its start point up to (not including) its end point.
struct FrameLineTwips {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    Colour colour = 0;
    friend bool operator==(const FrameLineTwips&, const FrameLineTwips&) = default;
};

struct ButtonGeometry {
    std::array<FrameLineTwips, 8> frame{};  // outer ring first, then the inner ring
    TwipRect face;                          // in the control
    TwipRect caption;                       // in the face
    TwipRect picture;                       // in the face
};

// Outer, caption and picture sizes in twips; `down` gives the pressed look.
ButtonGeometry ComputeButtonGeometry(int outerWidth, int outerHeight, int captionWidth,
                                     int captionHeight, int pictureWidth, int pictureHeight,
                                     bool down, PixelScale scale);

}  // namespace zentra
