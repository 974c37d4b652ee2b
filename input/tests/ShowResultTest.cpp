#include <gtest/gtest.h>

#include "common/display/MemoryRichTextBox.h"
#include "engine/ResultRendering.h"
#include "input/ShowResult.h"

namespace zentra {
namespace {

TEST(ShowResult, FillsAndEnablesOrClearsAndDisablesThePane) {
    MemoryRichTextBox pane;
    ShowResult(pane, "4 = 2^2");
    EXPECT_TRUE(pane.Enabled());
    EXPECT_EQ(pane.TextRTF(), RenderResultRtf("4 = 2^2"));
    EXPECT_EQ(pane.Text(), "4 = 22");
    ShowResult(pane, "");
    EXPECT_FALSE(pane.Enabled());
    EXPECT_EQ(pane.Text(), "");
}

}  // namespace
}  // namespace zentra
