// The top-level window "Quorvel": owns every child window and routes their events.
#pragma once

#include <windows.h>

#include <memory>

#include "window/win32/Panel.h"

namespace zentra {

class MainFrame {
  public:
    MainFrame() = default;
    ~MainFrame();
    MainFrame(const MainFrame&) = delete;
    MainFrame& operator=(const MainFrame&) = delete;

    // Creates the window with its menu, panels and keypad and shows it.
    bool Create(HINSTANCE instance, int showCommand);
    HWND Hwnd() const { return hwnd_; }

    // Runs the message loop until the window is gone; returns the exit code.
    int Run();

  private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Key preview and the accelerator table; true when the message was used up.
    bool PreTranslate(MSG& msg);
    bool IsOwnWindow(HWND hwnd) const;

    void LayOutWindow();
    void LayOutDisplayPanel();
    void LayOutKeypad();

    HWND hwnd_ = nullptr;
    HACCEL accelerators_ = nullptr;
    Panel display_;
    Panel buttons_;
    HWND result_ = nullptr;
    bool busy_ = false;
};

}  // namespace zentra
