// The "Zentra.CommandButton" window class: a thin Win32 host for the push-button core.
//
// Ownership: the owner keeps the CommandButtonWindow (unique_ptr from Create) and must outlive
// its callbacks. Teardown: the destructor stops routing messages to the object, destroys the window
// (if its parent has not already done so), then frees the font and cursor it created.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "controls/ButtonPorts.h"
#include "controls/CommandButton.h"
#include "controls/KeypadDesign.h"
#include "platform/controls/WindowBase.h"

namespace zentra::win32 {

struct CommandButtonArgs {
    HWND parent = nullptr;
    int id = 0;  // the control id (GetDlgCtrlID)
    // Position and size in pixels of the parent's client area; a new button is 100 x 60.
    int x = 0;
    int y = 0;
    int width = 100;
    int height = 60;
    bool visible = true;
    // Stored properties to load (the eleven keys); without them the button starts new.
    const PropertyBag* properties = nullptr;
    std::string toolTip;  // empty: no tooltip
    // The key of the stored design it is, which names it for screen readers.
    std::string designArray;
    int designIndex = 0;
    DWORD helpContextId = 0;  // SetWindowContextHelpId
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    // Every mouse press, any button (X and Y in twips), after the pressed look is applied.
    std::function<void(const ButtonMouse&)> onMouseDown;
};

// Arguments for a key of the stored keypad design: its position and size as pixels at 96 dpi (the
// design's twips were laid out there; the caller scales them to the screen), tooltip, help id and
// stored properties (`design` must outlive the Create call).
CommandButtonArgs ArgsFromDesign(const KeyDesign& design, HWND parent, int id);

class CommandButtonWindow final : private WindowBase,
                                  private ButtonHost,
                                  private ButtonTimer,
                                  private ButtonEvents {
  public:
    static constexpr const char* kClassName = "Zentra.CommandButton";

    // nullptr when the window cannot be created.
    static std::unique_ptr<CommandButtonWindow> Create(const CommandButtonArgs& args);
    // The button behind a window of the class, or nullptr.
    static CommandButtonWindow* FromHwnd(HWND hwnd);
    // Flashes the first visible, enabled child button of `parent` whose Accelerator holds `key`
    // (ASCII letters compared without case); false when none does, or when `parent` or a window
    // it lies in is disabled.
    static bool PressAccessKey(HWND parent, char key);

    ~CommandButtonWindow() override;

    using WindowBase::Hwnd;
    CommandButton& Button() { return button_; }
    const CommandButton& Button() const { return button_; }

    void ClickDraw() { button_.ClickDraw(); }
    bool Enabled() const { return button_.Enabled(); }
    void SetEnabled(bool enabled) { button_.SetEnabled(enabled); }
    void SetCaption(const std::string& caption) { button_.SetCaption(caption); }
    void SetVisible(bool visible);
    // The tooltip window is made when the mouse first moves over the key (or when asked for):
    // a popup window per key would cost the program's start more than everything else.
    void SetToolTip(const std::string& text);
    HWND ToolTipWindow() {
        CreateToolTip();
        return toolTip_;
    }
    // Draws the button into `dc` at its origin (what WM_PAINT and WM_PRINTCLIENT show).
    void PaintTo(HDC dc);
    // Takes the size `width` x `height` (pixels) with the caption's font at `dpi`, as the window
    // does when it moves to a screen of another resolution.
    void Rescale(int dpi, int width, int height);

  private:
    explicit CommandButtonWindow(const CommandButtonArgs& args);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A push button named by what it does; its default action clicks it.
    AccessibleItem AccessibleDescribe(long child) override;
    bool AccessibleDoDefault(long child) override;
    void OnMouseButton(const MouseButtonEvent& mouse);
    void OnCreate();
    bool OnSetCursor();
    // The caption's font: the stored face or a stand-in of its kind that has the caption's glyphs.
    HFONT FontFor(const ButtonFont& font, const std::string& caption);

    // ButtonHost
    PixelSize MeasureCaption(const std::string& text, const ButtonFont& font,
                             bool useMnemonic) override;
    void Invalidate() override;
    void SetAccessKeys(const std::string& keys) override;
    void SetInputEnabled(bool enabled) override;
    void SetPointer(std::int16_t mousePointer, const std::vector<std::uint8_t>* icon) override;
    void PropertyChanged(std::string_view key) override;
    // ButtonTimer
    void Start(int milliseconds) override;
    void Stop() override;
    // ButtonEvents
    void Click() override;
    void DblClick() override;
    void KeyDown(std::int16_t& keyCode, std::int16_t& shift) override;
    void KeyPress(std::int16_t& keyAscii) override;
    void KeyUp(std::int16_t& keyCode, std::int16_t& shift) override;
    void MouseDown(ButtonMouse& mouse) override;
    void MouseMove(ButtonMouse& mouse) override;
    void MouseUp(ButtonMouse& mouse) override;

    void CreateToolTip();
    HWND toolTip_ = nullptr;
    std::string toolTipText_;
    HFONT font_ = nullptr;
    ButtonFont fontSpec_;
    std::string fontCaption_;
    bool fontIsUnicode_ = false;
    HCURSOR customCursor_ = nullptr;
    const PropertyBag* initialProperties_;
    std::function<void()> onClick_;
    std::function<void()> onDblClick_;
    std::function<void(const ButtonMouse&)> onMouseDown_;
    std::string designArray_;
    int designIndex_;
    int dpi_;  // the caption's font is made for it
    CommandButton button_;
};

}  // namespace zentra::win32
