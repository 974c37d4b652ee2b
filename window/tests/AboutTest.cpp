#include <gtest/gtest.h>

#include <string>

#include "engine/tests/EngineFixture.h"
#include "window/tests/WindowHarness.h"

namespace zentra {
namespace {

using testing::WindowHarness;

struct AboutHarness : WindowHarness {
    AboutHarness() : WindowHarness(TestPrimes()) { window.Load({}); }

    // Window, keypad with result pane, menus, OK image; then the slide: 'S' shown, 'R' running,
    // '-' in place and still; and the grid's left edge.
    std::string States() const {
        std::string text;
        for (bool on :
             {stage.windowEnabled, stage.controlsEnabled, stage.menusEnabled, stage.okEnabled}) {
            text += on ? '1' : '0';
        }
        text +=
            window.SlideState().Running() ? 'R' : (window.SlideState().AboutShown() ? 'S' : '-');
        return text + ' ' + std::to_string(stage.left[0]);
    }
    void RunSlide() {
        for (int i = 0; i < 1000 && stage.timerOn; ++i) clock.Advance(kSlideIntervalMs);
    }
};

// Every step of the About panel's life, from the menu to the OK image's click: what is enabled,
// where the grid is and where the OK image sits.
TEST(About_Panel, SlidesOutShowsThePanelAndComesBackOnTheOkClick) {
    struct Step {
        const char* label;
        void (*act)(AboutHarness&);
        const char* states;
        int okOffset;
    };
    const Step steps[] = {
        {"in place", [](AboutHarness&) {}, "1110- 0", 0},
        {"Help > About",
         [](AboutHarness& h) { EXPECT_TRUE(h.window.OnMenuCommand(MenuItem::HelpAbout)); },
         "1010R 0", 0},
        {"first tick", [](AboutHarness& h) { h.clock.Advance(kSlideIntervalMs); }, "0010R -6", 0},
        {"slid out", [](AboutHarness& h) { h.RunSlide(); }, "1001S -318", 0},
        {"left press sinks the image", [](AboutHarness& h) { h.window.OnOkMouseDown(1); },
         "1001S -318", 2},
        {"dragged off releases it", [](AboutHarness& h) { h.window.OnOkMouseMove(-3, 5, 60, 24); },
         "1001S -318", 0},
        {"up and click after the drag keep the panel",
         [](AboutHarness& h) {
             h.window.OnOkMouseUp(1);
             h.window.OnOkClick();
         },
         "1001S -318", 0},
        {"right press on the pressed image releases it",
         [](AboutHarness& h) {
             h.window.OnOkMouseDown(1);
             h.window.OnOkMouseDown(2);
             h.window.OnOkMouseUp(2);
             h.window.OnOkClick();
         },
         "1001S -318", 0},
        {"left press, release and click slide the display back",
         [](AboutHarness& h) {
             h.window.OnOkMouseDown(1);
             h.window.OnOkMouseUp(1);
             h.window.OnOkClick();
         },
         "1001R -318", 0},
        {"sliding in", [](AboutHarness& h) { h.clock.Advance(kSlideIntervalMs); }, "0001R -312", 0},
        {"back in place", [](AboutHarness& h) { h.RunSlide(); }, "1110- 0", 0},
    };
    AboutHarness h;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.label);
        step.act(h);
        EXPECT_EQ(h.States(), step.states);
        EXPECT_EQ(h.okImage.x, step.okOffset);
        EXPECT_EQ(h.okImage.y, step.okOffset);
    }
    EXPECT_EQ(h.host.popups, 1) << "the right press opened What's This";
    h.window.OnMenuCommand(MenuItem::PopupWhat);
    EXPECT_EQ(h.help.topics, std::vector<int>{102});
    ASSERT_FALSE(h.stage.focus.empty());
    EXPECT_EQ(h.stage.focus.back(), DisplayView::Grid) << "the display has the focus again";
}

}  // namespace
}  // namespace zentra
