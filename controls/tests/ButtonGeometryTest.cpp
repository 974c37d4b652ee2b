#include <gtest/gtest.h>

#include "controls/ButtonGeometry.h"

namespace zentra {
namespace {

constexpr Colour kHi = syscolour::kHighlight3D;
constexpr Colour kDark = syscolour::kDarkShadow3D;
constexpr Colour kLight = syscolour::kLight3D;
constexpr Colour kShadow = syscolour::kButtonShadow;

// A keypad key: 36 x 28 pixels at 15 twips per pixel.
TEST(ButtonGeometry_Frame, TwoRingsSwapColoursWhenPressed) {
    const std::array<FrameLineTwips, 8> raised{{
        {0, 0, 0, 405, kHi},
        {0, 0, 525, 0, kHi},
        {0, 405, 525, 405, kDark},
        {525, 0, 525, 420, kDark},
        {15, 15, 15, 390, kLight},
        {15, 15, 510, 15, kLight},
        {15, 390, 510, 390, kShadow},
        {510, 15, 510, 405, kShadow},
    }};
    auto pressed = raised;
    const Colour swapped[] = {kDark, kDark, kHi, kHi, kShadow, kShadow, kLight, kLight};
    for (std::size_t i = 0; i < pressed.size(); ++i) pressed[i].colour = swapped[i];

    EXPECT_EQ(ComputeButtonGeometry(540, 420, 0, 0, 0, 0, false, {}).frame, raised);
    EXPECT_EQ(ComputeButtonGeometry(540, 420, 0, 0, 0, 0, true, {}).frame, pressed);
    EXPECT_EQ(ComputeButtonGeometry(540, 420, 0, 0, 0, 0, true, {}).face,
              (TwipRect{30, 30, 480, 360}));
}

TEST(ButtonGeometry_Frame, FollowsTheScreenScale) {
    const PixelScale scale{12, 10};  // 120 x 144 dpi
    const auto g = ComputeButtonGeometry(120, 100, 0, 0, 0, 0, false, scale);
    EXPECT_EQ(g.frame[3], (FrameLineTwips{108, 0, 108, 100, kDark}));
    EXPECT_EQ(g.frame[7], (FrameLineTwips{96, 10, 96, 90, kShadow}));
    EXPECT_EQ(g.face, (TwipRect{24, 20, 72, 60}));

    // Two-pixel lines (144 dpi and up): each ring twice as thick, the face that much smaller.
    const auto thick = ComputeButtonGeometry(120, 100, 0, 0, 0, 0, false, {12, 10, 2});
    EXPECT_EQ(thick.frame[3], (FrameLineTwips{96, 0, 96, 100, kDark}));
    EXPECT_EQ(thick.frame[4], (FrameLineTwips{24, 20, 24, 60, kLight}));
    EXPECT_EQ(thick.frame[7], (FrameLineTwips{72, 20, 72, 80, kShadow}));
    EXPECT_EQ(thick.face, (TwipRect{48, 40, 24, 20}));
}

struct PlacementCase {
    const char* label;
    int width, height;  // outer, twips
    int itemWidth, itemHeight;
    bool down;
    TwipRect caption;
    TwipRect picture;
};

TEST(ButtonGeometry_Placement, CentresClampsAndSinksByOnePixel) {
    const PlacementCase cases[] = {
        // Face 480 x 360; (480 - 105) / 2 = 187.5 and (360 - 225) / 2 = 67.5 round to even.
        {"centred", 540, 420, 105, 225, false, {188, 68, 105, 225}, {188, 68, 105, 225}},
        {"sunk", 540, 420, 105, 225, true, {203, 82, 105, 225}, {202, 82, 105, 225}},
        {"even halves", 540, 420, 75, 195, false, {202, 82, 75, 195}, {202, 82, 75, 195}},
        // Wider and taller than the face: clipped to it from its left and top edges; the
        // caption sinks after the clamp, the picture before it.
        {"too big", 540, 420, 600, 450, false, {0, 0, 480, 360}, {0, 0, 480, 360}},
        {"too big sunk", 540, 420, 600, 450, true, {15, 0, 480, 360}, {0, 0, 480, 360}},
        {"slightly big sunk", 540, 420, 500, 380, true, {15, 5, 480, 360}, {5, 5, 480, 360}},
        {"new button", 1500, 900, 0, 0, false, {720, 420, 0, 0}, {720, 420, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const auto g = ComputeButtonGeometry(c.width, c.height, c.itemWidth, c.itemHeight,
                                             c.itemWidth, c.itemHeight, c.down, {});
        EXPECT_EQ(g.caption, c.caption);
        EXPECT_EQ(g.picture, c.picture);
    }
}

TEST(ButtonGeometry_Rounding, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, int> cases[] = {{0.5, 0},   {1.5, 2}, {2.5, 2}, {-0.5, 0},  {-1.5, -2},
                                            {-2.5, -2}, {2.4, 2}, {2.6, 3}, {-2.6, -3}, {7, 7}};
    for (auto [value, expected] : cases) EXPECT_EQ(RoundHalfEven(value), expected) << value;
}

}  // namespace
}  // namespace zentra
