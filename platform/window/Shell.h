// Other programs for the window's logic: their top-level windows, starting them, the shell's
// handlers for addresses; and the window timers.
#pragma once

#include <windows.h>

#include <string>

#include "window/Ports.h"

namespace zentra::win32 {

class Shell final : public ShellPort {
  public:
    std::uintptr_t FindTopWindow(const std::string& className,
                                 const std::string& title) const override;
    void BringToTop(std::uintptr_t window) override;
    void RestoreIfMinimized(std::uintptr_t window) override;
    void AskToClose(std::uintptr_t window) override;
    bool StartProgram(const std::string& commandLine) override;
    std::intptr_t ShellOpen(const std::string& file, int showCommand) override;
};

// A timer of `owner` with a fixed interval; its ticks arrive as WM_TIMER with `id`.
class WindowTimer final : public TimerPort {
  public:
    // `owner` must outlive this object.
    WindowTimer(HWND owner, UINT_PTR id, UINT intervalMs)
        : owner_(owner), id_(id), intervalMs_(intervalMs) {}
    ~WindowTimer() override { SetEnabled(false); }
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;

    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override;
    UINT_PTR Id() const { return id_; }

  private:
    HWND owner_;
    UINT_PTR id_;
    UINT intervalMs_;
    bool enabled_ = false;
};

}  // namespace zentra::win32
