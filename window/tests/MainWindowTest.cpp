#include <gtest/gtest.h>

#include "engine/tests/EngineFixture.h"
#include "window/MainWindow.h"
#include "window/tests/Fakes.h"

namespace zentra {
namespace {

using namespace zentra::testing;

struct Harness {
    Harness() { window.Load(); }
    MemoryGrid grid;
    MemoryRichTextBox result;
    FakeWindow host;
    FakeKeypad keys;
    FakeMenus menus;
    FakeMetrics metrics;
    FakeClipboard clipboard;
    FakeBeep beep;
    FakeHelp help;
    MainWindow window{TestPrimes(),
                      {grid, result, host, keys, menus, metrics, clipboard, beep, help}};
};

TEST(MainWindow_Load, SetsCaptionSizeAndTabularMode) {
    Harness h;
    EXPECT_EQ(h.host.caption, "Quorvel");
    EXPECT_EQ(h.host.width, 341);
    EXPECT_EQ(h.host.height, 250);
    EXPECT_TRUE(h.menus.At(MenuItem::ViewModeTabular).checked);
    EXPECT_FALSE(h.window.EventGuardRaised());
}

}  // namespace
}  // namespace zentra
