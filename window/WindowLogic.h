// The main window's logic: the router between the command sources (keypad, menus, keyboard, DDE,
// clipboard codes) and the units that do the work. Every source names a `Command`; `Execute` runs
// it with the method that does it, on the active view (TabularView or LinearView) for the keys and
// the Edit menu. The display mode is held here; the Mode menu's check marks show it. The frame
// around an operation, the slide, the settings and the help topics are here too. The host forwards
// its events here and implements the ports; nothing in this class touches the platform.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/display/Grid.h"
#include "common/numbers/Fixed.h"
#include "engine/Operations.h"
#include "engine/PrimeTable.h"
#include "window/ClipboardScript.h"
#include "window/Commands.h"
#include "window/GridOperations.h"
#include "window/LinearView.h"
#include "window/OkImage.h"
#include "window/OutsidePrograms.h"
#include "window/Ports.h"
#include "window/Settings.h"
#include "window/Slide.h"
#include "window/TabularView.h"
#include "window/View.h"
#include "window/WindowHelp.h"

namespace zentra {

inline constexpr std::string_view kWindowCaption = "Quorvel";
// The program's title: names the help file, the bug report's subject and the settings.
inline constexpr std::string_view kAppTitle = "Zentra!";
inline constexpr int kFirstWidthPixels = 341;
inline constexpr int kFirstHeightPixels = 250;

// What start-up learns about the program: its command line, its folder and the strings of its
// version information.
struct ProgramInfo {
    std::string commandLine;
    std::string folder;
    int major = 1;
    int minor = 0;
    int revision = 0;
    std::string company;
    std::string trademark;
    std::string comments;  // the maker's web address
    std::string legalNotice;
    std::string productName;  // the support mail address ("mailto:...")
};

class WindowLogic final : private GridEvents, private ViewHost {
  public:
    // `primes` and every port are borrowed and must outlive this object. Registers itself as the
    // grid's event receiver.
    WindowLogic(const PrimeTable& primes, const WindowPorts& ports);
    ~WindowLogic() override;
    WindowLogic(const WindowLogic&) = delete;
    WindowLogic& operator=(const WindowLogic&) = delete;

    // Start-up, in order: settings key, command line, outside programs, About text, first size,
    // the stored mode (without the slide) and the view that gets the focus. `outside` names the
    // other programs and addresses; without a calculator path the calculator is searched for.
    void Load(const ProgramInfo& program, OutsideConfig outside = {});
    // The first activation: the display gets the focus and the linear view its demonstration
    // expression.
    void FirstActivate();
    // The display gets the focus when it is enabled: when the keypad panel receives the focus.
    void Activate();
    // Shut-down: closes the help viewer and the calculator if this program started them, and
    // saves the mode. Runs once: the end of the session may come before the window's close.
    void Unload();

    // The linear view's panel was resized, and its text changed.
    void LayOutLinearView() { linear_.LayOut(); }
    void OnExpressionChanged() { linear_.OnTextChanged(); }
    // A tick of the slide's 10 ms timer.
    void OnSlideTick() { slide_.Tick(); }

    // The About panel's OK image: its mouse events, in pixels of the image (`width` and `height`
    // its size). A click after a left release over it slides the display back; the right button
    // opens What's This.
    void OnOkMouseDown(int button);
    void OnOkMouseMove(int x, int y, int width, int height) {
        ok_.OnMouseMove(x, y, width, height);
    }
    void OnOkMouseUp(int button) { ok_.OnMouseUp(button); }
    void OnOkClick();

    // Runs one command; false when the command is not this window's (the host's own, or not
    // offered yet). Menus, keyboard, DDE, clipboard codes and keypad all end here.
    bool Execute(Command command);

    // Keypad: Click (and DblClick, which acts as one more Click) of key `index` of `array`.
    void OnKeyClick(KeyArray array, int index);
    void OnKeyDoubleClick(KeyArray array, int index) { OnKeyClick(array, index); }

    // Menus: opening applies the enabling rule; a command runs the item's action. Returns false
    // for items whose action this class does not hold (Help, Calculator, Mode).
    void OnMenuOpen(Menu menu);
    bool OnMenuCommand(MenuItem item);

    // Key preview and menu shortcuts: every WM_KEYDOWN / WM_SYSKEYDOWN of the window and its
    // children, before the focused control sees it. `keyCode` is the virtual-key code, `shift` the
    // KeyShift bits. True when the key was used and must not reach the focused control.
    bool OnKeyDown(int keyCode, int shift);
    // A typed character the key preview left alone (WM_CHAR); true when it is used up: it
    // pressed a key, or input is closed (nothing may then press an access key either).
    bool OnKeyPress(char typed);
    // Over the About panel and while a slide runs no key, character or access key acts on the
    // display; DDE executes still do.
    bool InputClosed() const { return slide_.Running() || slide_.AboutShown(); }

    // F1 on a control: its topic in the help window (the contents where it has none).
    void OnHelpKey(Surface surface, KeyArray array = KeyArray::Digit, int index = 0);
    // F1 on a highlighted menu item (nullopt: a drop-down menu itself or an unknown item).
    void OnMenuHelp(std::optional<MenuItem> item);
    // A tick of the calculator poll.
    void OnCalcTimer();

    // The grid's double-click (also reported through the grid's events).
    void OnGridDoubleClick();
    // A mouse button went down on `surface` (for Surface::Key also `array` and `index`; for
    // Surface::Window `x`, `y` are client pixels). Button 2 (right) opens the What's This popup.
    void OnMouseDown(Surface surface, int button, int x = 0, int y = 0,
                     KeyArray array = KeyArray::Digit, int index = 0);

    // DDE execute string; false refuses it (negative acknowledgement).
    bool OnDdeExecute(std::string_view command);

    // A failure that the host stopped at one of its entries: the work it interrupted is given up,
    // the window is freed again and the result pane says so, with a beep.
    void OnInternalFault(std::string_view what);

    // Clipboard and Undo.
    void Copy();
    void Paste();
    void Undo();
    // Hands the current line's number to another window through the clipboard (0: nothing).
    void PasteLineInto(std::uintptr_t window);

    // The two column widths of the grid (also run by the host's display-panel layout).
    void UpdateGridColumns();

    // Re-entry guard for code that changes the display or the window's size: while raised, the
    // grid's cell rules and the host's window layout are skipped.
    class GuardScope {
      public:
        explicit GuardScope(WindowLogic& window) : scope_(window.guard_) {}

      private:
        EventGuard::Scope scope_;
    };
    bool EventGuardRaised() const { return guard_.Raised(); }

    int UndoLevel() const { return tabular_.UndoLevel(); }
    const std::vector<Fixed>& UndoNumbers() const { return tabular_.UndoNumbers(); }
    bool FactorizationStale() const { return operations_.FactorizationStale(); }
    const GridOperations& Engine() const { return operations_; }
    int WhatsThisTopic() const { return help_.WhatsThisTopic(); }
    const OutsidePrograms& Outside() const { return outside_; }
    // Tabular until the start-up has set the mode.
    DisplayMode Mode() const { return mode_.value_or(DisplayMode::Tabular); }
    const Slide& SlideState() const { return slide_; }
    const OkImage& OkImageState() const { return ok_; }
    bool ExpressionMode() const { return expressionMode_; }
    const std::string& AboutText() const { return aboutText_; }

  private:
    // GridEvents: the grid control reports its cell changes, double-clicks and mouse presses
    // straight to the window.
    void OnLeaveCell() override { tabular_.OnLeaveCell(); }
    void OnEnterCell() override { tabular_.OnEnterCell(); }
    void OnDblClick() override { OnGridDoubleClick(); }
    void OnMouseDown(int button, int shift, int x, int y) override;
    // ViewHost.
    void FocusDisplay() override;
    void SetBusy(bool busy) override;

    // The view the keys and the Edit menu act on: the mode's.
    View& Active();
    bool Linear() const { return mode_ == DisplayMode::Linear; }
    // Switches to `mode` unless it is the mode already: check marks, the keys the view takes, and
    // the slide (none while the event guard is raised: the new view is simply the active one).
    void SwitchMode(DisplayMode mode);

    // A control key, in either mode with the grid's cursor on the number column first (the
    // operations read that column), and the display keeping the focus.
    void PressControlKey(void (View::*key)());
    // The operation frame: the pending line finished, then with at least one number line: busy,
    // undo level 0, the operation, not busy.
    void RunOperation(OperationIndex operation);
    // Enter on the grid, also in linear mode, where the Enter key would rewrite the line instead.
    void PressEnter();
    void RunCode(ScriptCode code);
    void PasteIntoLine();
    void StartCalculator();

    const WindowPorts ports_;
    HeldResultPane resultPane_;
    GridOperations operations_;
    OutsidePrograms outside_;
    Slide slide_;
    OkImage ok_;
    WindowHelp help_;
    EventGuard guard_;
    TabularView tabular_;
    LinearView linear_;
    std::optional<DisplayMode> mode_;
    std::optional<Settings> settings_;
    std::string aboutText_;
    bool expressionMode_ = false;
    bool unloaded_ = false;
    bool busy_ = false;
};

}  // namespace zentra
