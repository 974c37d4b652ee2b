#include <gtest/gtest.h>

#include <string>

#include "common/display/RtfRuns.h"
#include "engine/ResultRendering.h"
#include "input/ShowResult.h"
#include "platform/controls/ResultPane.h"
#include "platform/controls/tests/TestWindow.h"

namespace zentra::win32 {
namespace {

using test::Capture;
using test::PumpMessages;

std::string WindowText(HWND hwnd) {
    std::string text(static_cast<std::size_t>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0)) + 1,
                     '\0');
    text.resize(static_cast<std::size_t>(
        SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// A 300 x 24 pixel pane with its sunken edge, as the main window places it.
class ResultPaneTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { host_ = test::CreateHostWindow(400, 200); }
    static void TearDownTestSuite() { DestroyWindow(host_); }
    void SetUp() override {
        ResultPaneArgs args;
        args.parent = host_;
        args.id = 2;
        args.bounds = {0, 0, 300, 24};
        args.onMouseDown = [this](int button, int shift, int x, int y) {
            presses_ += std::to_string(button) + "/" + std::to_string(shift) + "@" +
                        std::to_string(x) + "," + std::to_string(y) + " ";
        };
        pane_ = ResultPane::Create(std::move(args));
        ASSERT_NE(pane_, nullptr);
        PumpMessages();
    }
    void TearDown() override { pane_.reset(); }
    void Show(std::string_view text) { ShowResult(*pane_, text); }

    // One host for the suite: Wine waits for the X server to map each new top-level window.
    static inline HWND host_ = nullptr;
    std::unique_ptr<ResultPane> pane_;
    std::string presses_;
};

TEST_F(ResultPaneTest, KeepsTheDocumentAndAnswersItsPlainText) {
    EXPECT_EQ(pane_->TextRTF(), "");
    EXPECT_FALSE(pane_->Enabled());
    Show("36 = 2^2 * 3^2");
    const std::string rtf = RenderResultRtf("36 = 2^2 * 3^2");
    EXPECT_EQ(pane_->TextRTF(), rtf);
    EXPECT_TRUE(pane_->Enabled());
    EXPECT_EQ(pane_->Text(), RtfPlainText(rtf));
    EXPECT_EQ(WindowText(pane_->Hwnd()), "36 = 22 . 32");
    EXPECT_EQ(test::ReadTextFromOtherProcess(pane_->Hwnd()), "36 = 22 . 32");

    Show("");
    EXPECT_EQ(pane_->TextRTF(), "");
    EXPECT_EQ(WindowText(pane_->Hwnd()), "");
    EXPECT_FALSE(pane_->Enabled());
    EXPECT_TRUE(pane_->PlacedRuns().empty());

    pane_->SetText("a{b}\\c");
    EXPECT_EQ(RtfPlainText(pane_->TextRTF()), "a{b}\\c");
    EXPECT_EQ(WindowText(pane_->Hwnd()), "a{b}\\c");
}

TEST_F(ResultPaneTest, ExponentsAndTheDotAreDrawnAboveTheBaseLine) {
    Show("36 = 2^2 * 3^2");
    const auto runs = pane_->PlacedRuns();
    ASSERT_EQ(runs.size(), 6u);  // "36 = 2", "2", " ", ".", " 3", "2"
    const Capture shot(pane_->Hwnd());
    // Text starts 2 pixels in from the client edge.
    const auto span = [&](std::size_t i) {
        const int end = i + 1 < runs.size() ? runs[i + 1].x : pane_->Layout().width;
        return std::pair{runs[i].x + 2, end + 2};
    };
    const auto [baseLeft, baseRight] = span(0);
    const auto [expLeft, expRight] = span(1);
    const auto [dotLeft, dotRight] = span(3);
    const int baseTop = shot.TopmostDark(baseLeft, baseRight);
    const int baseBottom = shot.BottommostDark(baseLeft, baseRight);
    const int expTop = shot.TopmostDark(expLeft, expRight);
    const int expBottom = shot.BottommostDark(expLeft, expRight);
    const int dotBottom = shot.BottommostDark(dotLeft, dotRight);
    ASSERT_GE(baseTop, 0);
    ASSERT_GE(expTop, 0);
    ASSERT_GE(dotBottom, 0);
    EXPECT_LE(expTop + 3, baseTop) << "exponent top " << expTop << ", base top " << baseTop;
    EXPECT_LE(expBottom + 3, baseBottom)
        << "exponent bottom " << expBottom << ", base " << baseBottom;
    EXPECT_LE(dotBottom + 3, baseBottom) << "dot bottom " << dotBottom << ", base " << baseBottom;
    EXPECT_LT(baseBottom, shot.Height());
    EXPECT_LT(shot.DarkestLuminance(), 80);
}

TEST_F(ResultPaneTest, DisabledPaneDrawsGreyText) {
    Show("36 = 2^2 * 3^2");
    pane_->SetEnabled(false);
    const Capture disabled(pane_->Hwnd());
    EXPECT_GE(disabled.DarkestLuminance(), 96);
    EXPECT_LT(disabled.DarkestLuminance(), 200);
    EXPECT_EQ(pane_->TextRTF(), RenderResultRtf("36 = 2^2 * 3^2"));
}

TEST_F(ResultPaneTest, LongResultsScrollSidewaysAndResetViewReturnsToTheStart) {
    Show("123456789012 = 2^2 * 3 * 7 * 11 * 13 * 17 * 19 * 23 * 29 * 31 * 37 * 41 * 43 * 47 * 53");
    RECT client;
    GetClientRect(pane_->Hwnd(), &client);
    const int maxScroll = pane_->Layout().width + 4 - client.right;
    ASSERT_GT(maxScroll, 0);
    SendMessageA(pane_->Hwnd(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(pane_->ScrollOffset(), 8);
    SendMessageA(pane_->Hwnd(), WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(pane_->ScrollOffset(), maxScroll);
    SendMessageA(pane_->Hwnd(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(pane_->ScrollOffset(), maxScroll);
    pane_->ResetView();
    EXPECT_EQ(pane_->ScrollOffset(), 0);
    Show("7");
    SendMessageA(pane_->Hwnd(), WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(pane_->ScrollOffset(), 0);

    // At 192 dpi the step and the text's inset are twice as many pixels.
    pane_->SetDpi(192);
    Show("123456789012 = 2^2 * 3 * 7 * 11 * 13 * 17 * 19 * 23 * 29 * 31 * 37 * 41 * 43 * 47 * 53");
    SendMessageA(pane_->Hwnd(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(pane_->ScrollOffset(), 16);
    SendMessageA(pane_->Hwnd(), WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(pane_->ScrollOffset(), pane_->Layout().width + 8 - client.right);
}

TEST_F(ResultPaneTest, MousePressesReachTheOwnerInTwips) {
    Show("7");
    SendMessageA(pane_->Hwnd(), WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, MAKELPARAM(10, 5));
    SendMessageA(pane_->Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 2));
    EXPECT_EQ(presses_, "2/2@150,75 1/0@15,30 ");
}

TEST_F(ResultPaneTest, PressesOnTheDisabledPaneGoToTheWindowBelow) {
    // The host sits at the screen's top-left corner, so client and screen points coincide.
    const POINT inside{20, 10};
    EXPECT_EQ(WindowFromPoint(inside), host_);
    Show("7");
    EXPECT_EQ(WindowFromPoint(inside), pane_->Hwnd());
}

}  // namespace
}  // namespace zentra::win32
