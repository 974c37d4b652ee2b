#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/OutsidePrograms.h"
#include "window/tests/Fakes.h"

namespace zentra {
namespace {

using testing::FakeShell;
using testing::FakeTimer;

constexpr const char* kStartViewer =
    "start winhlp32.exe \"C:\\Program Files\\Zentra\\Zentra!.hlp\"";

struct Outside {
    Outside() {
        outside.Configure({"C:\\calc.exe", "C:\\Program Files\\Zentra\\Zentra!.hlp",
                           "https://web.example/", "mailto:help@web.example"});
    }
    std::string Log() const {
        std::string text;
        for (const std::string& call : shell.log) text += (text.empty() ? "" : "|") + call;
        return text;
    }
    FakeShell shell;
    FakeTimer timer;
    OutsidePrograms outside{shell, timer};
};

// The help window is looked up by its Help Topics caption, then by its own; only when neither is
// there does the viewer start, and a failed start is remembered so shut-down leaves others alone.
TEST(OutsidePrograms_Help, RaisesTheHelpWindowOrStartsTheViewer) {
    struct Case {
        std::vector<FakeShell::Window> windows;
        bool startSucceeds;
        const char* log;
        bool helpStarted;
    };
    const Case cases[] = {
        {{}, true, kStartViewer, true},
        {{}, false, kStartViewer, false},
        {{{"", "Quorvel Help", 5}}, true, "top 5", false},
        {{{"", "Quorvel Help", 5, true}}, true, "restore 5|top 5", false},
        {{{"", "Quorvel Help", 5}, {"", "Help Topics: Quorvel Help", 6}}, true, "top 6", false},
        {{{"", "Other Help", 5}}, true, kStartViewer, true},
    };
    for (const Case& c : cases) {
        Outside o;
        o.shell.windows = c.windows;
        o.shell.startSucceeds = c.startSucceeds;
        o.outside.ShowHelpTopics("Quorvel");
        EXPECT_EQ(o.Log(), c.log);
        EXPECT_EQ(o.outside.HelpStarted(), c.helpStarted) << c.log;
    }
    // The second Help Topics finds the viewer the first one started.
    Outside o;
    o.outside.ShowHelpTopics("Quorvel");
    o.shell.windows.push_back({"MS_WINDOC", "Quorvel Help", 9});
    o.outside.ShowHelpTopics("Quorvel");
    EXPECT_EQ(o.Log(), std::string(kStartViewer) + "|top 9");
}

TEST(OutsidePrograms_Shell, OpensTheWebPageAndTheReportMailHidden) {
    Outside o;
    o.outside.OpenWebPage();
    o.outside.SendBugReport("Zentra!");
    EXPECT_EQ(o.Log(),
              "open https://web.example/ 0|"
              "open mailto:help@web.example?subject=Zentra!%20Bug%20Report 0");
    EXPECT_EQ(PercentEncode("a&b=c#d%e+f\xE9"), "a%26b%3Dc%23d%25e%2Bf%E9");
}

// Shut-down asks only what this program started to close, and only with WM_CLOSE.
TEST(OutsidePrograms_ShutDown, ClosesOnlyTheProgramsItStarted) {
    struct Case {
        bool startHelp;
        bool startCalc;
        const char* closes;
    };
    const Case cases[] = {
        {false, false, ""},
        {true, false, "close 6"},
        {false, true, "close 8"},
        {true, true, "close 6|close 8"},
    };
    for (const Case& c : cases) {
        Outside o;
        if (c.startHelp) o.outside.ShowHelpTopics("Quorvel");
        if (c.startCalc) {
            o.outside.FindOrStartCalculator();
            o.shell.windows.push_back({"SciCalc", "Calculator", 8});
            o.outside.OnCalcTick();
        } else {
            o.shell.windows.push_back({"SciCalc", "Calculator", 8});  // the user's own
        }
        o.shell.windows.push_back({"MS_WINDOC", "Quorvel Help", 6});
        o.shell.log.clear();
        o.outside.CloseStartedPrograms("Quorvel");
        EXPECT_EQ(o.Log(), c.closes) << c.startHelp << c.startCalc;
    }
}

// F2 again while the started calculator is still coming up does not start a second one.
TEST(OutsidePrograms_Calculator, StartsOneCalculatorWhilePolling) {
    Outside o;
    EXPECT_EQ(o.outside.FindOrStartCalculator(), 0u);
    o.outside.OnCalcTick();
    EXPECT_EQ(o.outside.FindOrStartCalculator(), 0u);
    EXPECT_EQ(o.Log(), "open C:\\calc.exe 1");
    EXPECT_EQ(o.outside.CalcElapsed(), kCalcPollMs);
}

}  // namespace
}  // namespace zentra
