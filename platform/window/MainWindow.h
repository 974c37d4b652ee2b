// The top-level window "Quorvel": owns every child window and the window's logic, implements the
// window port and routes the children's events, DDE and the keyboard to the logic.
//
// Teardown order: the logic goes first (it borrows every port), then the DDE server, then the
// controls; the window itself is destroyed by WM_CLOSE before any of that.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "engine/PrimeTable.h"
#include "platform/controls/GridControl.h"
#include "platform/controls/ResultPane.h"
#include "platform/controls/WindowBase.h"
#include "platform/window/AboutPanel.h"
#include "platform/window/Clipboard.h"
#include "platform/window/DdeServer.h"
#include "platform/window/Keypad.h"
#include "platform/window/LinearPanel.h"
#include "platform/window/Menus.h"
#include "platform/window/Metrics.h"
#include "platform/window/Panel.h"
#include "platform/window/RegistrySettings.h"
#include "platform/window/Services.h"
#include "platform/window/Shell.h"
#include "platform/window/WindowSeam.h"
#include "window/Ports.h"
#include "window/StartFailure.h"
#include "window/WindowLogic.h"

namespace zentra::win32 {

class MainWindow final : public WindowPort,
                         public SlideStage,
                         public win32::FaultReceiver,
                         private win32::WindowBase {
  public:
    // `primes` must outlive this object.
    explicit MainWindow(const PrimeTable& primes) : primes_(primes) {}
    ~MainWindow() override;

    // Creates the window with its menu, panels, keypad and logic, runs the start-up and shows it;
    // StartFailure::None when the window stands.
    StartFailure Create(HINSTANCE instance, int showCommand);
    using WindowBase::Hwnd;

    // Runs the message loop until the window is gone; returns the exit code.
    int Run();
    // A test build's hook (borrowed), installed before Create; none by default.
    void SetSeam(WindowSeam* seam) { seam_ = seam; }

    // WindowPort.
    void SetCaption(const std::string& caption) override;
    void SetOuterSize(int widthPixels, int heightPixels) override;
    void SetBusy(bool busy) override;
    void Unload() override;
    void Minimize() override;
    void Restore() override;
    bool ResultPaneActive() const override;
    ClientRect ResultPaneRect() const override;
    void ShowPopupMenu() override;
    void PasteIntoWindow(std::uintptr_t window) override;

    // SlideStage: the display's two views in the display panel, in pixels.
    int ViewLeft(DisplayView view) const override;
    int ViewWidth(DisplayView view) const override;
    int StepPixels() const override;
    void MoveView(DisplayView view, int left) override;
    void FocusView(DisplayView view) override;
    void SetWindowEnabled(bool enabled) override;
    void SetControlsEnabled(bool enabled) override;
    void SetMenusEnabled(bool enabled) override;
    void SetOkEnabled(bool enabled) override { about_.SetOkEnabled(enabled); }
    void StartTimer() override;
    void StopTimer() override;

    // FaultReceiver: a failure stopped at one of the window's entries from the system.
    void OnInternalFault(const std::string& what) override;

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool CreateChildren();
    bool CreateAboutPanel();
    // Key preview (which also holds the menu shortcuts), access keys and mouse presses for What's
    // This; true when the message was used up.
    bool PreTranslate(MSG& msg);
    bool PreviewMouseDown(HWND target, const MouseButtonEvent& mouse);
    bool IsOwnWindow(HWND hwnd) const;
    void OnActivate(WPARAM wParam);
    // F1: the key under the pointer (keys take no focus), else the focused control.
    void ShowHelpForControl();
    void OnHelp(const HELPINFO& info);
    void DestroyWithoutHiding();

    void LayOutWindow();
    // The window moved to a screen of another resolution: fonts, keys and pictures follow it, the
    // window takes the rectangle the system suggests and everything is laid out again for `dpi`.
    void OnDpiChanged(int dpi, const RECT& suggested) override;
    // Fonts, keys and pictures for `dpi`; the caller lays the window out again.
    void AdoptDpi(int dpi);
    void LayOutDisplayPanel();
    HWND ViewHwnd(DisplayView view) const;

    const PrimeTable& primes_;
    HMENU popupMenus_ = nullptr;
    bool busy_ = false;
    bool activatedOnce_ = false;
    // When F1 last asked for a highlighted menu item's topic (GetTickCount).
    std::optional<DWORD> menuItemHelpTick_;
    HWND focusBeforeBusy_ = nullptr;
    HWND focusBeforeDeactivate_ = nullptr;

    Metrics metrics_;
    SystemBeep beep_;
    Shell shell_;
    std::unique_ptr<WindowTimer> calcTimer_;
    Panel display_;
    Panel buttons_;
    std::unique_ptr<win32::GridControl> grid_;
    LinearPanel linear_;
    win32::AboutPanel about_;
    win32::SystemRegistry registry_;
    win32::SystemFileSearch files_;
    std::unique_ptr<win32::ResultPane> result_;
    Keypad keypad_;
    std::unique_ptr<Menus> menus_;
    std::unique_ptr<Clipboard> clipboard_;
    std::unique_ptr<WhatsThisHelp> help_;
    DdeServer dde_;
    std::unique_ptr<WindowLogic> logic_;
    WindowSeam* seam_ = nullptr;
};

}  // namespace zentra::win32
