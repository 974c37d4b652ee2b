// The window's commands that reach other programs: the help viewer, the web page, the bug-report
// mail and the outside calculator with its start-up poll, and closing what this program started.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "window/Ports.h"

namespace zentra {

struct OutsideConfig {
    std::string calcPath;      // "" when no calculator was found: the command does nothing
    std::string helpFilePath;  // the help file beside the program
    std::string webPage;       // the maker's web page (version resource "Comments")
    std::string mailAddress;   // "mailto:" address of the support mailbox ("ProductName")
};

inline constexpr int kCalcPollMs = 10;
inline constexpr int kCalcPatienceMs = 10'000;

// Text for a URL's query: bytes outside the characters a mail address query may carry are
// written as %XX ("Zentra! Bug Report" gives "Zentra!%20Bug%20Report").
std::string PercentEncode(std::string_view text);

class OutsidePrograms {
  public:
    // Both ports are borrowed; `calcTimer` ticks every kCalcPollMs while enabled.
    OutsidePrograms(ShellPort& shell, TimerPort& calcTimer)
        : shell_(shell), calcTimer_(calcTimer) {}

    void Configure(OutsideConfig config) { config_ = std::move(config); }
    bool CalculatorAvailable() const { return !config_.calcPath.empty(); }

    // Raises the help window of the window captioned `caption`, or starts the viewer.
    void ShowHelpTopics(std::string_view caption);
    void OpenWebPage();
    void SendBugReport(std::string_view appTitle);

    // The calculator window to hand the number to now; 0 when there is none yet (then the
    // calculator was started and the poll runs) or no calculator at all.
    std::uintptr_t FindOrStartCalculator();
    // One tick of the poll: the window of the started calculator once it appears, else 0.
    std::uintptr_t OnCalcTick();

    // Shut-down: asks the help viewer and the calculator this program started to close.
    void CloseStartedPrograms(std::string_view caption);

    bool HelpStarted() const { return helpStarted_; }
    bool CalcStarted() const { return calcStarted_; }
    int CalcElapsed() const { return calcElapsed_; }

  private:
    std::uintptr_t FindHelpWindow(std::string_view caption) const;
    void StopPoll();

    ShellPort& shell_;
    TimerPort& calcTimer_;
    OutsideConfig config_;
    int calcElapsed_ = 0;
    bool calcStarted_ = false;
    bool helpStarted_ = false;
};

}  // namespace zentra
