// The main window: https://learn.microsoft.com/windows/win32/winmsg/using-windows
#include "platform/window/MainWindow.h"

#include "platform/controls/HostSupport.h"
#include "platform/window/ResourceIds.h"
#include "resources/design/KeypadDesignBytes.h"
#include "window/WindowLayout.h"

namespace zentra::win32 {
namespace {

constexpr const char* kClassName = "Zentra.Main";
constexpr int kGridId = 10;
constexpr int kResultId = 11;
constexpr int kExpressionId = 12;
constexpr UINT_PTR kSlideTimerId = 2;
constexpr int kRowPaddingPixels = 5;
constexpr UINT_PTR kCalcTimerId = 1;

void MoveChild(HWND child, const LayoutRect& rect) {
    if (child == nullptr) return;
    SetWindowPos(child, nullptr, rect.left, rect.top, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

MainWindow::~MainWindow() {
    if (win32::CurrentFaultReceiver() == this) win32::SetFaultReceiver(nullptr);
    // The logic borrows the controls and the window: stop it before anything else goes.
    logic_.reset();
    dde_.Stop();
    DestroyOwnWindow();
    if (popupMenus_ != nullptr) DestroyMenu(popupMenus_);
}

StartFailure MainWindow::Create(HINSTANCE instance, int showCommand) {
    SetFaultReceiver(this);
    WindowClass windowClass;
    windowClass.name = kClassName;
    windowClass.icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_ZENTRA));
    windowClass.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    popupMenus_ = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_POPUPMENU));
    HMENU bar = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINMENU));
    WindowCreation creation;
    creation.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    creation.at = {CW_USEDEFAULT, CW_USEDEFAULT};
    creation.size = {kFirstWidthPixels, kFirstHeightPixels};
    creation.menu = bar;
    if (!CreateWindowFor(windowClass, creation)) return StartFailure::Window;
    menus_ = std::make_unique<Menus>(Hwnd(), bar, GetSubMenu(popupMenus_, 0));
    clipboard_ = std::make_unique<Clipboard>(Hwnd());
    help_ = std::make_unique<WhatsThisHelp>(Hwnd());
    calcTimer_ = std::make_unique<WindowTimer>(Hwnd(), kCalcTimerId, kCalcPollMs);
    if (!CreateChildren()) return StartFailure::Window;
    // The children were made for the screen's resolution; a window that opened on a screen of
    // another one (each screen has its own) takes that one before the logic sizes it.
    AdoptDpi(WindowDpi(Hwnd()));

    const WindowPorts ports{*grid_,      *result_,  *this,  keypad_, *menus_,     metrics_,
                            *clipboard_, beep_,     *help_, shell_,  *calcTimer_, linear_,
                            *this,       registry_, files_, about_};
    logic_ = std::make_unique<WindowLogic>(primes_, ports);
    ProgramInfo program = win32::ReadProgramInfo();
    if (program.company.empty()) program.company = ZENTRA_COMPANY;
    // The calculator is looked up by the start-up itself.
    logic_->Load(program, {{}, help_->HelpFilePath(), program.comments, program.productName});
    about_.SetText(logic_->AboutText());
    // Start-up sized the window under the event guard; the first layout runs as it is shown.
    LayOutWindow();
    const bool ddeStarted = dde_.Start("Zentra!", "Zentra", [this](std::string_view command) {
        if (seam_ != nullptr) {
            if (const auto answer = seam_->OnExecute(command, Hwnd())) return *answer;
        }
        return logic_ && logic_->OnDdeExecute(command);
    });
    if (!ddeStarted) return StartFailure::Dde;
    ShowWindow(Hwnd(), showCommand);
    UpdateWindow(Hwnd());
    return StartFailure::None;
}

bool MainWindow::CreateChildren() {
    Panel::Args display;
    display.parent = Hwnd();
    display.exStyle = WS_EX_CLIENTEDGE;
    display.onResize = [this] { LayOutDisplayPanel(); };
    if (!display_.Create(display)) return false;

    Panel::Args buttons;
    buttons.parent = Hwnd();
    buttons.onResize = [this] { keypad_.LayOut(); };
    // The keypad panel passes the focus on to the display.
    buttons.onFocus = [this] {
        if (logic_) logic_->Activate();
    };
    if (!buttons_.Create(buttons)) return false;

    win32::GridControlArgs gridArgs;
    gridArgs.parent = display_.Hwnd();
    gridArgs.id = kGridId;
    grid_ = win32::GridControl::Create(gridArgs);

    LinearPanel::Events linearEvents;
    linearEvents.onResize = [this] {
        if (logic_) logic_->LayOutLinearView();
    };
    linearEvents.onChange = [this] {
        if (logic_) logic_->OnExpressionChanged();
    };
    if (!linear_.Create(display_.Hwnd(), kExpressionId, linearEvents)) return false;
    if (!CreateAboutPanel()) return false;

    win32::ResultPaneArgs resultArgs;
    resultArgs.parent = Hwnd();
    resultArgs.id = kResultId;
    resultArgs.onMouseDown = [this](int button, int, int, int) {
        if (logic_) logic_->OnMouseDown(Surface::ResultPane, button);
    };
    result_ = win32::ResultPane::Create(resultArgs);
    if (!grid_ || !result_) return false;

    Keypad::Events keyEvents;
    keyEvents.onClick = [this](KeyArray array, int index) {
        if (logic_) logic_->OnKeyClick(array, index);
    };
    keyEvents.onDblClick = [this](KeyArray array, int index) {
        if (logic_) logic_->OnKeyDoubleClick(array, index);
    };
    keyEvents.onMouseDown = [this](KeyArray array, int index, const ButtonMouse& mouse) {
        if (logic_) logic_->OnMouseDown(Surface::Key, mouse.button, 0, 0, array, index);
    };
    return keypad_.Create(buttons_.Hwnd(), LoadKeypadDesign(KeypadDesignBytes()), keyEvents,
                          metrics_.DotsPerInch());
}

// The About panel's parts report their mouse to the logic; the panel's picture becomes the display
// panel's background.
bool MainWindow::CreateAboutPanel() {
    win32::AboutPanel::Events events;
    events.onLabelMouseDown = [this](int button) {
        if (logic_) logic_->OnMouseDown(Surface::AboutLabel, button);
    };
    events.onOkMouseDown = [this](int button) {
        if (logic_) logic_->OnOkMouseDown(button);
    };
    events.onOkMouseMove = [this](int x, int y, int width, int height) {
        if (logic_) logic_->OnOkMouseMove(x, y, width, height);
    };
    events.onOkMouseUp = [this](int button) {
        if (logic_) logic_->OnOkMouseUp(button);
    };
    events.onOkClick = [this] {
        if (logic_) logic_->OnOkClick();
    };
    if (!about_.Create(display_.Hwnd(), std::move(events), metrics_.DotsPerInch())) return false;
    display_.SetBackground(about_.Background());
    return true;
}

int MainWindow::Run() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // The key preview runs the logic outside any window procedure: it gets the same guard,
        // and a key whose handling failed is used up.
        if (win32::GuardEntry([&] { return PreTranslate(msg); }, [] { return true; })) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

bool MainWindow::IsOwnWindow(HWND hwnd) const {
    return hwnd != nullptr && Hwnd() != nullptr && (hwnd == Hwnd() || IsChild(Hwnd(), hwnd));
}

bool MainWindow::PreTranslate(MSG& msg) {
    if (!logic_ || !IsOwnWindow(msg.hwnd)) return false;
    switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (msg.wParam == VK_F1 && KeyboardShiftState() == 0) {
                ShowHelpForControl();
                return true;
            }
            // Key preview: the window sees every key before the focused control.
            return logic_->OnKeyDown(static_cast<int>(msg.wParam), KeyboardShiftState());
        case WM_CHAR:
            // Typed characters of the keyboard map, then the access keys of the visible keys
            // (the operator keys of the expression mode).
            if (logic_->OnKeyPress(static_cast<char>(msg.wParam))) return true;
            return CommandButtonWindow::PressAccessKey(buttons_.Hwnd(),
                                                       static_cast<char>(msg.wParam));
        default:
            break;
    }
    const auto mouse = DecodeMouseButton(msg.message, msg.wParam, msg.lParam);
    return mouse && mouse->action == MouseAction::Down && PreviewMouseDown(msg.hwnd, *mouse);
}

// The display panel and the window itself report their mouse presses here; the grid, the result
// pane and the keys report their own through their events.
bool MainWindow::PreviewMouseDown(HWND target, const MouseButtonEvent& mouse) {
    // A click, on a key or on the grid, acts after the keys typed before it.
    keypad_.FinishPresses();
    if (target == display_.Hwnd()) {
        logic_->OnMouseDown(Surface::DisplayPanel, mouse.button);
    } else if (target == Hwnd()) {
        logic_->OnMouseDown(Surface::Window, mouse.button, mouse.at.x, mouse.at.y);
    }
    return false;
}

void MainWindow::LayOutWindow() {
    if (IsIconic(Hwnd()) || !logic_ || logic_->EventGuardRaised()) return;
    WindowLogic::GuardScope guard(*logic_);
    const int dpi = metrics_.DotsPerInch();
    const int rowPixels = ScalePixels(kRowPaddingPixels, dpi) + metrics_.WindowFontBracketHeight();
    grid_->SetRowHeightMin(rowPixels * metrics_.TwipsPerPixelY());
    RECT client{};
    GetClientRect(Hwnd(), &client);
    const WindowPanels panels =
        win32::LayOutWindow(client.right - client.left, keypad_.KeyHeight(), dpi);
    MoveChild(display_.Hwnd(), panels.display);
    MoveChild(result_->Hwnd(), panels.result);
    MoveChild(buttons_.Hwnd(), panels.buttons);
}

// The view of the current mode fills the panel; the other waits just outside its left edge. While
// the About panel shows, both wait there: a view put back over it would hide its OK image and
// leave the keypad and menus disabled.
void MainWindow::LayOutDisplayPanel() {
    if (!grid_) return;
    const int w = OuterSize(display_.Hwnd()).cx;
    const SIZE inner = display_.ClientSize();
    const bool linear = logic_ && logic_->Mode() == DisplayMode::Linear;
    const bool aboutShown =
        logic_ && logic_->SlideState().AboutShown() && !logic_->SlideState().Running();
    MoveChild(linear_.PanelHwnd(), {linear && !aboutShown ? 0 : -w, 0, inner.cx, inner.cy});
    MoveChild(grid_->Hwnd(), {linear || aboutShown ? -w : 0, 0, inner.cx, inner.cy});
    if (logic_) logic_->UpdateGridColumns();
    about_.LayOut(w, inner);
}

void MainWindow::AdoptDpi(int dpi) {
    if (dpi <= 0 || dpi == metrics_.DotsPerInch() || !grid_ || !result_) return;
    metrics_.SetDpi(dpi);
    keypad_.SetDpi(dpi);
    about_.SetDpi(dpi);
    display_.SetBackground(about_.Background());
    SendMessageA(grid_->Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(metrics_.WindowFont()), FALSE);
    grid_->SetDpi(dpi);
    result_->SetDpi(dpi);
    linear_.SetDpi(dpi);
}

void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    const int old = metrics_.DotsPerInch();
    AdoptDpi(dpi);
    // A running slide goes on from the same share of its way.
    const Slide* slide = logic_ ? &logic_->SlideState() : nullptr;
    const bool sliding = slide != nullptr && slide->Running();
    const int slideLeft = sliding ? ViewLeft(slide->Active()) : 0;
    WindowBase::OnDpiChanged(dpi, suggested);
    // The same size sends no WM_SIZE: the layout runs here either way.
    LayOutWindow();
    keypad_.LayOut();
    LayOutDisplayPanel();
    if (sliding && old > 0) MoveView(slide->Active(), slideLeft * metrics_.DotsPerInch() / old);
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainWindow::OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (IsOwnWindow(focus)) focusBeforeDeactivate_ = focus;
        return;
    }
    if (!activatedOnce_) {
        activatedOnce_ = true;
        if (logic_) logic_->FirstActivate();
    } else if (focusBeforeDeactivate_ != nullptr && IsWindow(focusBeforeDeactivate_)) {
        SetFocus(focusBeforeDeactivate_);
    }
}

void MainWindow::ShowHelpForControl() {
    POINT at{};
    GetCursorPos(&at);
    KeyArray array = KeyArray::Digit;
    int index = 0;
    if (keypad_.Find(WindowFromPoint(at), array, index)) {
        logic_->OnHelpKey(Surface::Key, array, index);
        return;
    }
    HWND focus = GetFocus();
    if (focus == grid_->Hwnd()) {
        logic_->OnHelpKey(Surface::Grid);
    } else if (focus == result_->Hwnd()) {
        logic_->OnHelpKey(Surface::ResultPane);
    } else if (focus == display_.Hwnd()) {
        logic_->OnHelpKey(Surface::DisplayPanel);
    } else {
        logic_->OnHelpKey(Surface::Window);
    }
}

// F1 inside an open menu arrives here with the highlighted item's command id. F1 on a control is
// the key preview's: Wine also sends WM_HELP for it, before the key is fetched, and a second
// request would name whatever the opening help window covers by then.
void MainWindow::OnHelp(const HELPINFO& info) {
    if (info.iContextType != HELPINFO_MENUITEM) return;
    const auto item = Menus::FromCommand(info.iCtrlId);
    // When the help window is open, Wine follows the highlighted item's request with one for no
    // item some 20 ms later (as the help window takes the activation): that one would replace the
    // item's topic with the contents. No one asks for a menu's own topic that fast.
    constexpr DWORD kEchoMs = 250;
    const DWORD now = GetTickCount();
    if (!item && menuItemHelpTick_ && now - *menuItemHelpTick_ < kEchoMs) return;
    menuItemHelpTick_ = item ? std::optional<DWORD>(now) : std::nullopt;
    logic_->OnMenuHelp(item);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (seam_ != nullptr) {
        if (const auto result = seam_->OnMessage(message, wParam, lParam, grid_.get())) {
            return *result;
        }
    }
    switch (message) {
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) LayOutWindow();
            return 0;
        case WM_ACTIVATE:
            OnActivate(wParam);
            return 0;
        case WM_INITMENUPOPUP:
            if (logic_ && HIWORD(lParam) == 0) {
                if (auto menu = menus_->FromSubmenu(reinterpret_cast<HMENU>(wParam))) {
                    logic_->OnMenuOpen(*menu);
                }
            }
            return 0;
        case WM_COMMAND:
            if (logic_ && lParam == 0) {
                if (auto item = Menus::FromCommand(LOWORD(wParam))) logic_->OnMenuCommand(*item);
                return 0;
            }
            break;
        case WM_TIMER:
            if (logic_ && wParam == kCalcTimerId) logic_->OnCalcTimer();
            if (logic_ && wParam == kSlideTimerId) logic_->OnSlideTick();
            return 0;
        case WM_HELP:
            if (logic_ && lParam != 0) OnHelp(*reinterpret_cast<const HELPINFO*>(lParam));
            return TRUE;
        case WM_SETCURSOR:
            if (busy_) {
                SetCursor(LoadCursor(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // Log-off or shut-down: the process may end without a WM_CLOSE, so the shut-down
            // runs now (a close that follows finds it done).
            if (wParam != FALSE && logic_) logic_->Unload();
            return 0;
        case WM_CLOSE:
            // Shut-down: closes what the program started and saves the mode while the window
            // still stands.
            if (logic_) logic_->Unload();
            DestroyWithoutHiding();
            return 0;
        case WM_DESTROY:
            // No DDE conversation or slide tick may reach the logic once the window is going.
            dde_.Stop();
            KillTimer(Hwnd(), kSlideTimerId);
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

// Wine hides a top-level window only after the window manager has confirmed the window's state,
// and waits 2 s for that when no window manager runs (Xvfb). A window that is destroyed without
// being hidden first goes at once; what lay under it is drawn again.
void MainWindow::DestroyWithoutHiding() {
    RECT area{};
    GetWindowRect(Hwnd(), &area);
    SetWindowLongPtrA(Hwnd(), GWL_STYLE, GetWindowLongPtrA(Hwnd(), GWL_STYLE) & ~WS_VISIBLE);
    DestroyWindow(Hwnd());
    RedrawWindow(nullptr, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// ---- WindowPort ---------------------------------------------------------------------------------

void MainWindow::SetCaption(const std::string& caption) {
    SetWindowTextA(Hwnd(), caption.c_str());
}

void MainWindow::SetOuterSize(int widthPixels, int heightPixels) {
    SetWindowPos(Hwnd(), nullptr, 0, 0, widthPixels, heightPixels,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::SetBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy) {
        focusBeforeBusy_ = GetFocus();
        EnableWindow(Hwnd(), FALSE);
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        return;
    }
    EnableWindow(Hwnd(), TRUE);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    // Disabling the window took the focus away; give it back where it was.
    if (GetFocus() == nullptr && focusBeforeBusy_ != nullptr && IsWindow(focusBeforeBusy_) &&
        GetActiveWindow() == Hwnd()) {
        SetFocus(focusBeforeBusy_);
    }
}

void MainWindow::Unload() {
    // Closed from the message loop, after the handler that asked for it has returned (it may be
    // a DDE transaction or a key of the window's own).
    PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
}

void MainWindow::Minimize() {
    ShowWindow(Hwnd(), SW_MINIMIZE);
}

void MainWindow::Restore() {
    ShowWindow(Hwnd(), SW_RESTORE);
}

bool MainWindow::ResultPaneActive() const {
    return GetFocus() == result_->Hwnd();
}

ClientRect MainWindow::ResultPaneRect() const {
    const RECT rect = RectIn(result_->Hwnd(), Hwnd());
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void MainWindow::ShowPopupMenu() {
    POINT at{};
    GetCursorPos(&at);
    TrackPopupMenu(GetSubMenu(popupMenus_, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0,
                   Hwnd(), nullptr);
}

void MainWindow::PasteIntoWindow(std::uintptr_t window) {
    HWND target = reinterpret_cast<HWND>(window);
    ShowWindow(target, SW_SHOWNORMAL);
    SetWindowPos(target, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // The keystroke goes to the foreground window: make it the target's, and give the switch a
    // moment (it is asynchronous under some window managers).
    SetForegroundWindow(target);
    for (int wait = 0; wait < 50 && GetForegroundWindow() != target; ++wait) Sleep(10);
    INPUT keys[4] = {};
    for (INPUT& key : keys) key.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_CONTROL;
    keys[1].ki.wVk = 'V';
    keys[2].ki.wVk = 'V';
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_CONTROL;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, keys, sizeof(INPUT));
}

// ---- SlideStage ---------------------------------------------------------------------------------

HWND MainWindow::ViewHwnd(DisplayView view) const {
    return view == DisplayView::Linear ? linear_.PanelHwnd() : grid_->Hwnd();
}

int MainWindow::ViewLeft(DisplayView view) const {
    return RectIn(ViewHwnd(view), display_.Hwnd()).left;
}

int MainWindow::ViewWidth(DisplayView view) const {
    return OuterSize(ViewHwnd(view)).cx;
}

int MainWindow::StepPixels() const {
    return ScalePixels(kSlideStepPixels, metrics_.DotsPerInch());
}

void MainWindow::MoveView(DisplayView view, int left) {
    SetWindowPos(ViewHwnd(view), nullptr, left, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::FocusView(DisplayView view) {
    if (view == DisplayView::Linear) {
        linear_.SetFocus();
    } else if (IsWindowEnabled(grid_->Hwnd())) {
        SetFocus(grid_->Hwnd());
    }
}

void MainWindow::SetWindowEnabled(bool enabled) {
    if ((IsWindowEnabled(Hwnd()) != FALSE) != enabled) EnableWindow(Hwnd(), enabled ? TRUE : FALSE);
}

void MainWindow::SetControlsEnabled(bool enabled) {
    EnableWindow(buttons_.Hwnd(), enabled ? TRUE : FALSE);
    // An empty result pane stays disabled, as showing an empty result leaves it.
    result_->SetEnabled(enabled && !result_->TextRTF().empty());
}

void MainWindow::SetMenusEnabled(bool enabled) {
    menus_->EnableDropDowns(enabled);
}

void MainWindow::StartTimer() {
    SetTimer(Hwnd(), kSlideTimerId, kSlideIntervalMs, nullptr);
}

void MainWindow::StopTimer() {
    KillTimer(Hwnd(), kSlideTimerId);
    // The slide's end: screen readers hear that the display panel's views changed places.
    NotifyAccessible(EVENT_OBJECT_REORDER, display_.Hwnd(), CHILDID_SELF);
}

void MainWindow::OnInternalFault(const std::string& what) {
    if (logic_) {
        logic_->OnInternalFault(what);
    } else {
        MessageBeep(MB_ICONHAND);
    }
}

}  // namespace zentra::win32
