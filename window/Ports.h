// The ports between the main window's logic and its host: one small interface per kind of control
// or service. The Win32 host implements them with real windows; the tests with recording fakes.
// The core borrows every port; the host owns them and keeps them alive while the core runs.
#pragma once

#include <cstdint>
#include <string>

#include "common/display/Grid.h"
#include "common/display/RichTextBox.h"
#include "common/system/Paths.h"
#include "common/system/Registry.h"
#include "window/WindowLayout.h"

namespace zentra {

// The four keypad arrays. Key indexes run from 0 to KeyCount(array) - 1.
enum class KeyArray : int { Digit, Oper, Cntrl, Func };

constexpr int KeyCount(KeyArray array) {
    switch (array) {
        case KeyArray::Digit:
            return 10;
        case KeyArray::Oper:
            return 9;
        case KeyArray::Cntrl:
            return 4;
        case KeyArray::Func:
            return 5;
    }
    return 0;
}

// Control key indexes of the Cntrl array.
enum ControlKey : int { kClear = 0, kDel = 1, kBack = 2, kEnter = 3 };

// One push button of the keypad.
class KeyPort {
  public:
    virtual ~KeyPort() = default;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    // Caption colour (0x00BBGGRR or a system colour 0x800000nn) and font face.
    virtual std::uint32_t ForeColor() const = 0;
    virtual void SetForeColor(std::uint32_t colour) = 0;
    virtual void SetFontName(const std::string& name) = 0;
    // Shows the key pressed (when enabled); its Click reaches the core about 20 ms later through
    // WindowLogic::OnKeyClick. Does nothing on a disabled key.
    virtual void ClickDraw() = 0;
    // The key's help topics as the keypad's design stores them (0: none): F1 over the key shows
    // the context topic, What's This the other.
    virtual int HelpContextId() const = 0;
    virtual int WhatsThisHelpId() const = 0;
};

class KeypadPort {
  public:
    virtual ~KeypadPort() = default;
    virtual KeyPort& Key(KeyArray array, int index) = 0;
    // Raises now the Click of every press whose flash is still running, so that the input being
    // handled acts after the presses that came before it (the keys stay drawn pressed).
    virtual void FinishPresses() = 0;
};

// Menu items the core reads or changes. Help items and the popup's What's This belong here too so
// that the host can report their commands by the same id.
enum class MenuItem : int {
    ActionsCalculator,
    ActionsFactorization,
    ActionsLcm,
    ActionsGcd,
    ActionsCancellation,
    ActionsExit,
    EditUndo,
    EditCopy,
    EditPaste,
    EditDelete,
    EditClear,
    ViewModeTabular,
    ViewModeLinear,
    HelpTopics,
    HelpWeb,
    HelpMail,
    HelpAbout,
    PopupWhat,
};
inline constexpr int kMenuItemCount = static_cast<int>(MenuItem::PopupWhat) + 1;

// The drop-down menus whose opening applies an enabling rule.
enum class Menu : int { Actions, Edit };

class MenuItemPort {
  public:
    virtual ~MenuItemPort() = default;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Checked() const = 0;
    virtual void SetChecked(bool checked) = 0;
};

class MenuPort {
  public:
    virtual ~MenuPort() = default;
    virtual MenuItemPort& Item(MenuItem item) = 0;
    // The Mode menu is on the menu bar only when the expression mode was asked for.
    virtual void ShowModeMenu(bool shown) = 0;
};

// A rectangle in client pixels of the main window, bounds included.
struct ClientRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The main window itself.
class WindowPort {
  public:
    virtual ~WindowPort() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    // Outer size in screen pixels.
    virtual void SetOuterSize(int widthPixels, int heightPixels) = 0;
    // True: wait cursor and the window disabled; false: normal cursor, enabled again.
    virtual void SetBusy(bool busy) = 0;
    // Exit: closes (unloads) the window, which ends the program.
    virtual void Unload() = 0;
    virtual void Minimize() = 0;
    virtual void Restore() = 0;
    // True when the result pane is the window's active (focused) control.
    virtual bool ResultPaneActive() const = 0;
    // The result pane's rectangle in the window's client pixels.
    virtual ClientRect ResultPaneRect() const = 0;
    // Shows the context menu (its only item: What's This) at the mouse position.
    virtual void ShowPopupMenu() = 0;
    // Shows another top-level window normally, brings it to the top of the z-order without moving
    // it and queues the keystroke Ctrl+V to the foreground window. `window` is its handle.
    virtual void PasteIntoWindow(std::uintptr_t window) = 0;
};

// Screen metrics and text measurement.
class MetricsPort {
  public:
    virtual ~MetricsPort() = default;
    virtual int TwipsPerPixelX() const = 0;
    // The window's resolution in dots per inch: the layout's pixel numbers are for 96.
    virtual int DotsPerInch() const { return win32::kDesignDpi; }
    // SM_CXVSCROLL, in pixels.
    virtual int VerticalScrollBarWidth() const = 0;
    // Width of `text` in the display panel's font, in twips.
    virtual int DisplayTextWidth(const std::string& text) const = 0;
};

class ClipboardPort {
  public:
    virtual ~ClipboardPort() = default;
    // Plain text (CF_TEXT); "" when the clipboard holds none.
    virtual std::string Text() const = 0;
    virtual bool HasText() const = 0;
    // Each Set replaces the clipboard's whole content.
    virtual void SetText(const std::string& text) = 0;
    // The registered "Rich Text Format".
    virtual void SetRtf(const std::string& rtf) = 0;
};

class BeepPort {
  public:
    virtual ~BeepPort() = default;
    virtual void Beep() = 0;
};

class HelpPort {
  public:
    virtual ~HelpPort() = default;
    // The help file's What's This popup for a topic number.
    virtual void ShowWhatsThis(int topic) = 0;
    // The topic in the help window (F1).
    virtual void ShowTopic(int topic) = 0;
};

// A window timer of the main window; its interval is fixed when the host creates it.
class TimerPort {
  public:
    virtual ~TimerPort() = default;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

// Other programs: their top-level windows, starting them, and the shell's handlers for files and
// addresses. Window handles are opaque; 0 is no window.
class ShellPort {
  public:
    virtual ~ShellPort() = default;
    // An empty class or title matches any.
    virtual std::uintptr_t FindTopWindow(const std::string& className,
                                         const std::string& title) const = 0;
    // Top of the window order, neither moved nor sized.
    virtual void BringToTop(std::uintptr_t window) = 0;
    // A minimized window comes back in its normal place; any other is left as it is.
    virtual void RestoreIfMinimized(std::uintptr_t window) = 0;
    // Asks the window to close (WM_CLOSE); its program decides what follows.
    virtual void AskToClose(std::uintptr_t window) = 0;
    // Starts a command line with normal focus; false when the start failed.
    virtual bool StartProgram(const std::string& commandLine) = 0;
    // ShellExecute's "open" verb without parameters or directory; returns its result (above 32:
    // success).
    virtual std::intptr_t ShellOpen(const std::string& file, int showCommand) = 0;
};

class ExpressionBoxPort;
class OkImagePort;
class SlideStage;

// Everything the main window's logic works with.
struct WindowPorts {
    Grid& grid;
    RichTextBox& result;
    WindowPort& window;
    KeypadPort& keys;
    MenuPort& menus;
    MetricsPort& metrics;
    ClipboardPort& clipboard;
    BeepPort& beep;
    HelpPort& help;
    ShellPort& shell;
    TimerPort& calcTimer;
    ExpressionBoxPort& expression;
    SlideStage& stage;
    RegistryPort& registry;
    FileSearchPort& files;
    OkImagePort& okImage;
};

}  // namespace zentra
