#include <gtest/gtest.h>

#include "window/Slide.h"
#include "window/tests/Fakes.h"

namespace zentra {
namespace {

using testing::ManualClock;

// The display panel of a 341 x 250 window at 96 dpi: views 319 pixels wide.
constexpr int kViewWidth = 319;

struct SlideHarness {
    SlideHarness() {
        stage.tick = [this] { slide.Tick(); };
    }
    // Runs the clock until the slide stops (or a limit that a broken slide would hit).
    void RunOut() {
        for (int i = 0; i < 1000 && slide.Running(); ++i) clock.Advance(kSlideIntervalMs);
    }
    int Left(DisplayView view) const { return stage.left[static_cast<int>(view)]; }

    ManualClock clock;
    testing::FakeStage stage{clock, kViewWidth};
    Slide slide{stage, DisplayView::Grid};
};

TEST(Slide_ModeSwitch, SwapsTheViewsInTicksOfSixPixels) {
    SlideHarness h;
    h.slide.SwitchTo(DisplayView::Linear);
    EXPECT_TRUE(h.slide.ModeSwitchPending());
    EXPECT_FALSE(h.stage.controlsEnabled) << "keypad and result pane wait for the slide";
    h.clock.Advance(10);
    EXPECT_EQ(h.Left(DisplayView::Grid), -6);
    EXPECT_FALSE(h.stage.windowEnabled) << "the window is disabled while the slide runs";
    h.RunOut();
    // Out: 54 steps reach -324 <= -319, the 55th tick swaps; in: 54 steps (the last one clamped
    // at 0), the 110th tick ends.
    EXPECT_EQ(h.stage.ticks, 110);
    EXPECT_EQ(h.stage.timerStarts, 1);
    EXPECT_FALSE(h.slide.ModeSwitchPending());
    EXPECT_EQ(h.slide.Active(), DisplayView::Linear);
    EXPECT_EQ(h.Left(DisplayView::Linear), 0);
    EXPECT_EQ(h.Left(DisplayView::Grid), -kViewWidth);
    EXPECT_TRUE(h.stage.windowEnabled);
    EXPECT_TRUE(h.stage.controlsEnabled);
    EXPECT_FALSE(h.stage.okEnabled);
    ASSERT_FALSE(h.stage.focus.empty());
    EXPECT_EQ(h.stage.focus.back(), DisplayView::Linear);
    EXPECT_FALSE(h.slide.AboutShown());
}

TEST(Slide_ModeSwitch, ASecondSwitchDuringTheSlideEndsWithItsView) {
    struct Case {
        int ticksBeforeSecond;  // 20: the grid is going out; 80: the linear view is coming in
        const char* label;
    };
    for (const Case c : {Case{20, "while going out"}, Case{80, "while coming in"}}) {
        SCOPED_TRACE(c.label);
        SlideHarness h;
        h.slide.SwitchTo(DisplayView::Linear);
        for (int i = 0; i < c.ticksBeforeSecond; ++i) h.clock.Advance(kSlideIntervalMs);
        h.slide.SwitchTo(DisplayView::Grid);
        h.RunOut();
        EXPECT_FALSE(h.slide.Running());
        EXPECT_EQ(h.stage.timerStarts, 1);
        EXPECT_EQ(h.slide.Active(), DisplayView::Grid);
        EXPECT_EQ(h.Left(DisplayView::Grid), 0);
        EXPECT_EQ(h.Left(DisplayView::Linear), -kViewWidth);
        EXPECT_TRUE(h.stage.windowEnabled);
        EXPECT_TRUE(h.stage.controlsEnabled);
        EXPECT_FALSE(h.stage.okEnabled) << "no About panel is left showing";
        EXPECT_FALSE(h.slide.AboutShown());
    }
}

TEST(Slide_About, GoesOutAndStaysUntilToggledBack) {
    SlideHarness h;
    h.slide.ToggleAbout();
    h.RunOut();
    EXPECT_EQ(h.stage.ticks, 55);
    EXPECT_TRUE(h.slide.AboutShown());
    EXPECT_EQ(h.Left(DisplayView::Grid), -324);
    EXPECT_TRUE(h.stage.windowEnabled);
    EXPECT_FALSE(h.stage.controlsEnabled);
    EXPECT_TRUE(h.stage.okEnabled);
    h.slide.ToggleAbout();
    h.RunOut();
    EXPECT_EQ(h.stage.ticks, 55 + 55);
    EXPECT_FALSE(h.slide.AboutShown());
    EXPECT_EQ(h.Left(DisplayView::Grid), 0);
    EXPECT_TRUE(h.stage.controlsEnabled);
    EXPECT_FALSE(h.stage.okEnabled);
}

// At 144 dpi the stage steps 9 pixels: 36 steps pass 319 pixels, the 37th tick ends.
TEST(Slide_About, MovesByTheStagesStep) {
    SlideHarness h;
    h.stage.step = 9;
    h.slide.ToggleAbout();
    h.clock.Advance(kSlideIntervalMs);
    EXPECT_EQ(h.Left(DisplayView::Grid), -9);
    h.RunOut();
    EXPECT_EQ(h.Left(DisplayView::Grid), -324);
    EXPECT_EQ(h.stage.ticks, 37);
}

}  // namespace
}  // namespace zentra
