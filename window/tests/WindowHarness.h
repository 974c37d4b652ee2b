// The main window on in-memory controls, its keys clicking through a manual clock: the fixture of
// the window's tests and of its fuzzer. The caller loads the window (after seeding the registry,
// if it wants a stored mode).
#pragma once

#include "engine/PrimeTable.h"
#include "window/WindowLogic.h"
#include "window/tests/Fakes.h"

namespace zentra::testing {

struct WindowHarness {
    explicit WindowHarness(const PrimeTable& primes)
        : window(primes, {grid, result, host, keys, menus, metrics, clipboard, beep, help, shell,
                          calcTimer, expression, stage, registry, files, okImage}) {
        stage.tick = [this] { window.OnSlideTick(); };
        expression.onChange = [this] { window.OnExpressionChanged(); };
        for (int a = 0; a < 4; ++a) {
            const auto array = static_cast<KeyArray>(a);
            for (int i = 0; i < KeyCount(array); ++i) {
                FakeKey& key = keys.At(array, i);
                key.clock = &clock;
                key.click = [this, array, i] { window.OnKeyClick(array, i); };
            }
        }
    }
    WindowHarness(const WindowHarness&) = delete;
    WindowHarness& operator=(const WindowHarness&) = delete;

    ManualClock clock;
    MemoryGrid grid;
    MemoryRichTextBox result;
    FakeWindow host;
    FakeKeypad keys;
    FakeMenus menus;
    FakeMetrics metrics;
    FakeClipboard clipboard;
    FakeBeep beep;
    FakeHelp help;
    FakeShell shell;
    FakeTimer calcTimer;
    FakeExpressionBox expression;
    FakeStage stage{clock};
    MemoryRegistry registry;
    FakeFileSearch files;
    FakeOkImage okImage;
    WindowLogic window;
};

}  // namespace zentra::testing
