#include <gtest/gtest.h>

#include "controls/CommandButton.h"
#include "controls/tests/ButtonFakes.h"

namespace zentra {
namespace {

using testing::CanvasCall;
using testing::FakeButtonHost;
using testing::FakeTimer;
using testing::RecordingCanvas;
using testing::RecordingEvents;

class CommandButtonTest : public ::testing::Test {
  protected:
    CommandButtonTest() {
        button.SetEvents(&events);
        button.OnResize(36, 28);
    }

    FakeButtonHost host;
    FakeTimer timer;
    RecordingEvents events;
    CommandButton button{host, timer};
};

struct MouseStep {
    char kind;  // d down, m move, u up, b double click, x cancelled
    std::int16_t button;
    int x, y;
};

struct MouseCase {
    const char* label;
    std::vector<MouseStep> steps;
    const char* pressedAfterEach;  // '1' pressed, '0' raised
    const char* events;
};

TEST_F(CommandButtonTest, Mouse_PressLeaveReleaseTable) {
    const MouseCase cases[] = {
        {"click", {{'d', 1, 10, 10}, {'u', 1, 10, 10}}, "10", "duC"},
        {"drag off pops up, no click",
         {{'d', 1, 10, 10}, {'m', 1, 37, 10}, {'u', 1, 37, 10}},
         "100",
         "dmu"},
        {"edge is still inside (inclusive box)",
         {{'d', 1, 10, 10}, {'m', 1, 36, 28}, {'m', 1, 0, 0}},
         "111",
         "dmm"},
        {"release on the last pixel clicks", {{'d', 1, 10, 10}, {'u', 1, 35, 27}}, "10", "duC"},
        {"release one pixel past the right edge: pressed look, no click",
         {{'d', 1, 10, 10}, {'m', 1, 36, 10}, {'u', 1, 36, 10}},
         "110",
         "dmu"},
        {"release one pixel past the bottom edge: pressed look, no click",
         {{'d', 1, 10, 10}, {'m', 1, 10, 28}, {'u', 1, 10, 28}},
         "110",
         "dmu"},
        {"above the top pops up", {{'d', 1, 10, 10}, {'m', 1, 10, -1}}, "10", "dm"},
        {"back inside stays raised but the host still clicks",
         {{'d', 1, 10, 10}, {'m', 1, -5, 10}, {'m', 1, 10, 10}, {'u', 1, 10, 10}},
         "1000",
         "dmmuC"},
        {"right button: no look, no click", {{'d', 2, 10, 10}, {'u', 2, 10, 10}}, "00", "du"},
        {"middle button", {{'d', 4, 10, 10}, {'u', 4, 10, 10}}, "00", "du"},
        {"right release raises a left press",
         {{'d', 1, 10, 10}, {'d', 2, 10, 10}, {'u', 2, 10, 10}, {'u', 1, 10, 10}},
         "1100",
         "ddu"
         "u"},
        {"double click: Click then DblClick, no second Click",
         {{'d', 1, 5, 5}, {'u', 1, 5, 5}, {'b', 1, 5, 5}, {'u', 1, 5, 5}},
         "1000",
         "duCDu"},
        {"capture taken away", {{'d', 1, 5, 5}, {'x', 0, 0, 0}, {'u', 1, 5, 5}}, "100", "du"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        FakeButtonHost caseHost;
        FakeTimer caseTimer;
        RecordingEvents caseEvents;
        CommandButton b(caseHost, caseTimer);
        b.SetEvents(&caseEvents);
        b.OnResize(36, 28);
        std::string pressed;
        for (const auto& s : c.steps) {
            switch (s.kind) {
                case 'd':
                    b.OnMouseDown(s.button, 0, s.x, s.y);
                    break;
                case 'm':
                    b.OnMouseMove(s.button, 0, s.x, s.y);
                    break;
                case 'u':
                    b.OnMouseUp(s.button, 0, s.x, s.y);
                    break;
                case 'b':
                    b.OnDoubleClick();
                    break;
                case 'x':
                    b.OnMouseCancelled();
                    break;
            }
            pressed += b.Pressed() ? '1' : '0';
        }
        EXPECT_EQ(pressed, c.pressedAfterEach);
        EXPECT_EQ(caseEvents.log, c.events);
    }
}

TEST_F(CommandButtonTest, Mouse_EventsCarryTwipsAndSeeTheLookAlreadyApplied) {
    struct LookCheck : RecordingEvents {
        const CommandButton* button = nullptr;
        std::string looks;
        void MouseDown(ButtonMouse& m) override {
            looks += button->Pressed() ? 'P' : 'R';
            RecordingEvents::MouseDown(m);
        }
        void MouseUp(ButtonMouse& m) override {
            looks += button->Pressed() ? 'P' : 'R';
            RecordingEvents::MouseUp(m);
        }
    } look;
    look.button = &button;
    button.SetEvents(&look);
    button.OnMouseDown(1, 2, 3, 4);
    EXPECT_EQ(look.last.x, 45.0f);
    EXPECT_EQ(look.last.y, 60.0f);
    EXPECT_EQ(look.last.shift, 2);
    button.OnMouseUp(1, 0, 3, 4);
    EXPECT_EQ(look.looks, "PR");
}

TEST_F(CommandButtonTest, Flash_ClickDrawPressesThenClicksOnceOnExpiry) {
    button.ClickDraw();
    EXPECT_TRUE(button.Pressed());
    EXPECT_TRUE(timer.running);
    EXPECT_EQ(timer.interval, 20);
    EXPECT_EQ(events.log, "");

    // A second press within the flash clicks the first one at once and flashes anew: typed keys
    // are never merged.
    button.ClickDraw();
    EXPECT_EQ(events.log, "C");
    EXPECT_EQ(timer.starts, 2);
    EXPECT_TRUE(button.Pressed());

    button.OnTimer();
    EXPECT_FALSE(button.Pressed());
    EXPECT_FALSE(timer.running);
    EXPECT_EQ(events.log, "CC");

    button.OnTimer();  // a stale tick after the stop
    EXPECT_EQ(events.log, "CC");

    button.OnAccessKey();
    EXPECT_TRUE(button.Pressed());
    button.OnTimer();
    EXPECT_EQ(events.log, "CCC");
    EXPECT_EQ(timer.starts, 3);

    // Input after a press finishes its Click first; the flash itself runs on.
    button.ClickDraw();
    button.FinishClick();
    button.FinishClick();
    EXPECT_EQ(events.log, "CCCC");
    EXPECT_TRUE(button.Pressed());
    button.OnTimer();
    EXPECT_FALSE(button.Pressed());
    EXPECT_EQ(events.log, "CCCC");
}

TEST_F(CommandButtonTest, Disabled_IgnoresFlashMouseAndAccessKeys) {
    button.SetForeColor(0x0000FF);
    button.SetDisableColor(0x808080);
    button.SetEnabled(false);
    EXPECT_FALSE(host.inputEnabled);
    EXPECT_EQ(button.ForeColor(), 0x808080u);

    button.ClickDraw();
    button.OnAccessKey();
    button.OnMouseDown(1, 0, 5, 5);
    button.OnMouseUp(1, 0, 5, 5);
    EXPECT_FALSE(button.Pressed());
    EXPECT_EQ(timer.starts, 0);
    EXPECT_EQ(events.log, "");

    button.SetEnabled(true);
    EXPECT_EQ(button.ForeColor(), 0x0000FFu);
    EXPECT_TRUE(host.inputEnabled);
}

TEST_F(CommandButtonTest, Disabled_ColourChangesOnlyWithEnabled) {
    button.SetForeColor(0x0000FF);
    button.SetEnabled(false);
    EXPECT_EQ(button.ForeColor(), 0u);  // DisableColor starts black
    button.SetDisableColor(0x00FF00);   // takes effect at the next change of Enabled
    EXPECT_EQ(button.ForeColor(), 0u);
    host.changed.clear();
    button.SetEnabled(false);
    EXPECT_TRUE(host.changed.empty());
    button.SetEnabled(true);
    button.SetEnabled(false);
    EXPECT_EQ(button.ForeColor(), 0x00FF00u);
}

TEST_F(CommandButtonTest, Properties_MarkChangesAndRedrawRaised) {
    button.SetCaption("7");
    host.changed.clear();
    const int measures = host.measures;
    button.SetCaption("7");
    EXPECT_TRUE(host.changed.empty());
    EXPECT_EQ(host.measures, measures);

    button.OnMouseDown(1, 0, 5, 5);
    ASSERT_TRUE(button.Pressed());
    button.SetUseMnemonic(false);  // re-measured, but not a redrawing property
    EXPECT_TRUE(button.Pressed());
    button.SetCaption("8");  // a redrawing property draws the key raised
    EXPECT_FALSE(button.Pressed());

    button.SetAccelerator("8");
    EXPECT_EQ(host.accessKeys, "8");
    EXPECT_TRUE(button.SetMousePointer(11));
    EXPECT_FALSE(button.SetMousePointer(40000));
    EXPECT_EQ(button.MousePointer(), 11);
    EXPECT_EQ(host.pointer, 11);
    EXPECT_EQ(host.changed,
              (std::vector<std::string>{"UseMnemonic", "Caption", "Accelerator", "MousePointer"}));
}

TEST_F(CommandButtonTest, Keys_PassThroughByReference) {
    events.replaceKey = 0;
    std::int16_t code = 65;
    std::int16_t shift = 1;
    button.OnKeyDown(code, shift);
    EXPECT_EQ(code, 0);
    std::int16_t ascii = 'a';
    button.OnKeyPress(ascii);
    EXPECT_EQ(ascii, 0);
    button.OnKeyUp(code, shift);
    EXPECT_EQ(events.log, "kpK");
}

TEST_F(CommandButtonTest, Draw_RaisedAndPressedPixels) {
    button.SetCaption("7");  // 7 x 15 px on a 32 x 24 px face
    button.SetBackColor(0x00C0C0C0);
    button.SetForeColor(0x00FF0000);
    RecordingCanvas raised;
    button.Draw(raised);
    ASSERT_EQ(raised.calls.size(), 10u);
    EXPECT_EQ(raised.calls[0].what, "fill");
    EXPECT_EQ(raised.calls[0].rect, (PixelRect{2, 2, 32, 24}));
    EXPECT_EQ(raised.calls[0].colour, 0x00C0C0C0u);
    // (32 - 7) / 2 = 12.5 px = 187.5 twips, which rounds to 188 twips: pixel 12 of the face.
    const CanvasCall text = raised.calls[1];
    EXPECT_EQ(text.text, "7");
    EXPECT_EQ(text.colour, 0x00FF0000u);
    EXPECT_EQ(text.x1, 2 + 12);
    EXPECT_EQ(text.y1, 2 + 4);
    const auto lines = raised.Of("line");
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ((std::array{lines[3].x1, lines[3].y1, lines[3].x2, lines[3].y2}),
              (std::array{35, 0, 35, 28}));
    EXPECT_EQ(lines[0].colour, syscolour::kHighlight3D);
    EXPECT_EQ(lines[7].colour, syscolour::kButtonShadow);

    button.ClickDraw();
    RecordingCanvas pressed;
    button.Draw(pressed);
    const auto sunk = pressed.Of("text");
    ASSERT_EQ(sunk.size(), 1u);
    EXPECT_EQ(sunk[0].x1, text.x1 + 1);
    EXPECT_EQ(sunk[0].y1, text.y1 + 1);
    EXPECT_EQ(pressed.Of("line")[0].colour, syscolour::kDarkShadow3D);
}

TEST_F(CommandButtonTest, Draw_WideCaptionIsClippedToTheFace) {
    button.SetCaption("a very long caption");  // 133 px
    RecordingCanvas canvas;
    button.Draw(canvas);
    const auto text = canvas.Of("text");
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].x1, 2);
    EXPECT_EQ(text[0].rect, (PixelRect{2, 6, 32, 15}));
}

TEST_F(CommandButtonTest, Draw_PictureUnderCaption) {
    // A 4 x 2 pixel, 24-bit bitmap.
    std::vector<std::uint8_t> bmp(54 + 2 * 12, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[10] = 54;
    bmp[14] = 40;
    bmp[18] = 4;
    bmp[22] = 2;
    bmp[26] = 1;
    bmp[28] = 24;
    auto picture = ButtonPicture::FromBmp(bmp);
    ASSERT_TRUE(picture.has_value());
    button.SetPicture(picture);
    button.SetCaption("x");
    RecordingCanvas canvas;
    button.Draw(canvas);
    ASSERT_GE(canvas.calls.size(), 3u);
    EXPECT_EQ(canvas.calls[1].what, "picture");
    EXPECT_EQ(canvas.calls[1].x1, 2 + 14);
    EXPECT_EQ(canvas.calls[1].y1, 2 + 11);
    EXPECT_EQ(canvas.calls[2].what, "text");

    bmp.pop_back();  // pixel data cut short
    EXPECT_FALSE(ButtonPicture::FromBmp(bmp).has_value());
}

TEST_F(CommandButtonTest, Load_DefaultsForAnEmptyStore) {
    button.SetForeColor(0x00123456);
    button.SetCaption("old");
    button.SetUseMnemonic(true);
    button.LoadProperties(PropertyBag{});
    EXPECT_EQ(button.Accelerator(), "");
    EXPECT_EQ(button.BackColor(), syscolour::kButtonFace);
    EXPECT_EQ(button.Caption(), "");
    EXPECT_TRUE(button.Enabled());
    EXPECT_EQ(button.Font(), ButtonFont{});
    EXPECT_EQ(button.ForeColor(), 0x00123456u);
    EXPECT_EQ(button.DisableColor(), 0x00123456u);
    EXPECT_FALSE(button.MouseIcon().has_value());
    EXPECT_EQ(button.MousePointer(), 0);
    EXPECT_FALSE(button.Picture().has_value());
    EXPECT_FALSE(button.UseMnemonic());
}

TEST_F(CommandButtonTest, Load_SkipsUnusableValuesAndDrawsNothing) {
    button.SetCaption("keep");
    button.SetMousePointer(3);
    PropertyBag bag;
    bag.Write("Caption", std::int32_t{5});
    bag.Write("Enabled", std::string("yes"));
    bag.Write("Font", ColourValue{1});
    bag.Write("MousePointer", std::int32_t{70000});
    bag.Write("Picture", BytesValue{{1, 2, 3}});
    bag.Write("BackColor", ColourValue{0x00FFFFFF});
    bag.Write("UseMnemonic", true);
    const int measures = host.measures;
    button.LoadProperties(bag);
    EXPECT_EQ(host.measures, measures);  // the redraw guard held while loading
    EXPECT_EQ(button.Caption(), "keep");
    EXPECT_TRUE(button.Enabled());
    EXPECT_EQ(button.MousePointer(), 3);
    EXPECT_FALSE(button.Picture().has_value());
    EXPECT_EQ(button.BackColor(), 0x00FFFFFFu);
    EXPECT_TRUE(button.UseMnemonic());
    button.Refresh(false);  // the guard is down again
    EXPECT_GT(host.measures, measures);
}

TEST_F(CommandButtonTest, Save_AllElevenKeysInOrderAndRoundTrip) {
    button.SetCaption("&Clear");
    button.SetAccelerator("c");
    button.SetFont({"Arial", 900, 700, 0});
    button.SetForeColor(0x00000080);
    button.SetDisableColor(0x80000011);
    button.SetMouseIcon(std::vector<std::uint8_t>{0, 0, 2, 0});
    button.SetMousePointer(99);
    const PropertyBag saved = button.SaveProperties();
    EXPECT_EQ(saved.Keys(), (std::vector<std::string>(std::begin(kButtonPropertyKeys),
                                                      std::end(kButtonPropertyKeys))));
    EXPECT_EQ(saved.Read("Picture"), PropertyValue{});

    FakeButtonHost otherHost;
    FakeTimer otherTimer;
    CommandButton copy(otherHost, otherTimer);
    copy.LoadProperties(ReadPropertyText(WritePropertyText(saved)));
    EXPECT_EQ(copy.SaveProperties(), saved);
    EXPECT_EQ(otherHost.accessKeys, "c");
    EXPECT_TRUE(otherHost.hasIcon);
}

TEST_F(CommandButtonTest, Save_DisabledButtonKeepsItsForeColor) {
    button.SetForeColor(0x000000FF);
    button.SetDisableColor(0x00808080);
    button.SetEnabled(false);
    const PropertyBag saved = button.SaveProperties();
    EXPECT_EQ(saved.Read("ForeColor"), PropertyValue{ColourValue{0x000000FF}});

    FakeButtonHost otherHost;
    FakeTimer otherTimer;
    CommandButton copy(otherHost, otherTimer);
    copy.LoadProperties(saved);
    EXPECT_EQ(copy.ForeColor(), 0x00808080u);  // loaded disabled: shows DisableColor
    copy.SetEnabled(true);
    EXPECT_EQ(copy.ForeColor(), 0x000000FFu);
}

}  // namespace
}  // namespace zentra
