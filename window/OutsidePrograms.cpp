#include "window/OutsidePrograms.h"

namespace zentra {
namespace {

constexpr const char* kCalcClass = "SciCalc";
constexpr const char* kCalcTitle = "Calculator";
constexpr const char* kHelpViewer = "winhlp32.exe";
constexpr int kShowHidden = 0;
constexpr int kShowNormal = 1;
constexpr std::intptr_t kLastShellError = 32;

bool KeptInQuery(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    return std::string_view("-._~!$'()*,;:@/?").find(static_cast<char>(c)) !=
           std::string_view::npos;
}

}  // namespace

std::string PercentEncode(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (KeptInQuery(c)) {
            encoded += ch;
        } else {
            encoded += '%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 15];
        }
    }
    return encoded;
}

std::uintptr_t OutsidePrograms::FindHelpWindow(std::string_view caption) const {
    const std::string title = std::string(caption) + " Help";
    if (const auto topics = shell_.FindTopWindow("", "Help Topics: " + title)) return topics;
    return shell_.FindTopWindow("", title);
}

void OutsidePrograms::ShowHelpTopics(std::string_view caption) {
    if (const auto window = FindHelpWindow(caption)) {
        // A viewer minimized out of sight would not come to the front by its place alone.
        shell_.RestoreIfMinimized(window);
        shell_.BringToTop(window);
        return;
    }
    // Quoted: the program's folder may hold blanks ("Program Files").
    helpStarted_ =
        shell_.StartProgram(std::string(kHelpViewer) + " \"" + config_.helpFilePath + '"');
}

void OutsidePrograms::OpenWebPage() {
    shell_.ShellOpen(config_.webPage, kShowHidden);
}

void OutsidePrograms::SendBugReport(std::string_view appTitle) {
    const std::string subject = std::string(appTitle) + " Bug Report";
    shell_.ShellOpen(config_.mailAddress + "?subject=" + PercentEncode(subject), kShowHidden);
}

std::uintptr_t OutsidePrograms::FindOrStartCalculator() {
    if (!CalculatorAvailable()) return 0;
    if (const auto window = shell_.FindTopWindow(kCalcClass, "")) return window;
    // A second request while the started calculator is still coming up waits for that one.
    if (calcTimer_.Enabled()) return 0;
    if (shell_.ShellOpen(config_.calcPath, kShowNormal) > kLastShellError) {
        calcElapsed_ = 0;
        calcTimer_.SetEnabled(true);
    }
    return 0;
}

std::uintptr_t OutsidePrograms::OnCalcTick() {
    calcElapsed_ += kCalcPollMs;
    if (calcElapsed_ >= kCalcPatienceMs) {
        StopPoll();
        return 0;
    }
    const auto window = shell_.FindTopWindow(kCalcClass, "");
    if (window == 0) return 0;
    StopPoll();
    calcStarted_ = true;
    return window;
}

void OutsidePrograms::StopPoll() {
    calcTimer_.SetEnabled(false);
    calcElapsed_ = 0;
}

void OutsidePrograms::CloseStartedPrograms(std::string_view caption) {
    // WM_CLOSE only: the programs close their windows themselves (and may ask to save first).
    if (helpStarted_) {
        if (const auto window = FindHelpWindow(caption)) shell_.AskToClose(window);
    }
    if (calcStarted_) {
        if (const auto window = shell_.FindTopWindow(kCalcClass, kCalcTitle)) {
            shell_.AskToClose(window);
        }
    }
}

}  // namespace zentra
