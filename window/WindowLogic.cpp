#include "window/WindowLogic.h"

#include <cctype>
#include <utility>

#include "common/numbers/Common.h"
#include "common/system/Paths.h"
#include "engine/ResultRendering.h"
#include "input/ShowResult.h"
#include "window/ClipboardScript.h"
#include "window/WindowLayout.h"

namespace zentra {
namespace {

constexpr int kRightButton = 2;
constexpr int kFirstExpressionKey = 5;  // "^", "!", "(", ")" follow

// The failure's own words, kept to characters that the result pane shows as they are.
std::string InternalFaultText(std::string_view what) {
    constexpr std::size_t kMaxDetail = 60;
    std::string detail;
    for (char c : what) {
        if (detail.size() == kMaxDetail) break;
        const bool plain = std::isalnum(static_cast<unsigned char>(c)) != 0 ||
                           std::string_view(" .,:;_-()'").find(c) != std::string_view::npos;
        if (plain) detail += c;
    }
    return detail.empty() ? "[Internal error]" : "[Internal error: " + detail + "]";
}

// Trademark and version, the comments, the legal notice: one line each. (Appended piece by piece:
// GCC 12 misreads a chain of string additions as an overlapping copy.)
std::string ComposeAboutText(const ProgramInfo& program, const std::string& version) {
    std::string text = program.trademark;
    text.append(" ").append(version).append("\r\n");
    text.append(program.comments).append("\r\n").append(program.legalNotice);
    return text;
}

constexpr DisplayView SlideViewOf(DisplayMode mode) {
    return mode == DisplayMode::Linear ? DisplayView::Linear : DisplayView::Grid;
}

}  // namespace

WindowLogic::WindowLogic(const PrimeTable& primes, const WindowPorts& ports)
    : ports_(ports),
      resultPane_(ports.result, slide_),
      operations_(primes, ports.grid, resultPane_),
      outside_(ports.shell, ports.calcTimer),
      slide_(ports.stage, DisplayView::Grid),
      ok_(ports.okImage),
      help_(ports.keys, ports.window, ports.help),
      tabular_(ports.grid, resultPane_, operations_, ports.metrics, *this, guard_),
      linear_(ports.expression, resultPane_, ports.metrics.VerticalScrollBarWidth()) {
    ports_.grid.SetEvents(this);
}

WindowLogic::~WindowLogic() {
    ports_.grid.SetEvents(nullptr);
}

// ---- Start-up -------------------------------------------------------------------------------

void WindowLogic::Load(const ProgramInfo& program, OutsideConfig outside) {
    ports_.window.SetCaption(std::string(kWindowCaption));
    settings_.emplace(ports_.registry, program.company);
    const std::string version = VersionString(program.major, program.minor, program.revision);
    settings_->WriteStart(program.folder, version);

    // A program left in linear mode starts with the Mode menu as "/E" gives it: else there
    // would be no way back to the tabular mode.
    const DisplayMode mode = settings_->ReadMode();
    expressionMode_ = ExpressionModeRequested(program.commandLine) || mode == DisplayMode::Linear;
    ports_.menus.ShowModeMenu(expressionMode_);
    if (!expressionMode_) {
        for (int i = kFirstExpressionKey; i < KeyCount(KeyArray::Oper); ++i) {
            ports_.keys.Key(KeyArray::Oper, i).SetCaption("");
        }
    }
    if (outside.calcPath.empty()) outside.calcPath = FindProgramFile(ports_.files, "calc.exe");
    outside_.Configure(std::move(outside));
    aboutText_ = ComposeAboutText(program, version);
    linear_.Box().SetText("");
    {
        GuardScope guard(*this);
        const int dpi = ports_.metrics.DotsPerInch();
        ports_.window.SetOuterSize(win32::ScalePixels(kFirstWidthPixels, dpi),
                                   win32::ScalePixels(kFirstHeightPixels, dpi));
    }
    {
        // No mode is set yet, so the switch sets up the keys of either mode; the guard keeps it
        // from sliding.
        GuardScope guard(*this);
        mode_.reset();
        SwitchMode(mode);
    }
}

void WindowLogic::FirstActivate() {
    FocusDisplay();
    linear_.Preset();
}

void WindowLogic::Activate() {
    FocusDisplay();
}

void WindowLogic::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    outside_.CloseStartedPrograms(kWindowCaption);
    if (settings_) settings_->WriteMode(Mode());
}

void WindowLogic::SwitchMode(DisplayMode mode) {
    if (mode_ == mode) return;
    mode_ = mode;
    ports_.menus.Item(MenuItem::ViewModeTabular).SetChecked(mode == DisplayMode::Tabular);
    ports_.menus.Item(MenuItem::ViewModeLinear).SetChecked(mode == DisplayMode::Linear);
    Active().ShowKeys(ports_.keys);
    if (guard_.Raised()) {
        slide_.SetActive(SlideViewOf(mode));
    } else {
        slide_.SwitchTo(SlideViewOf(mode));
    }
}

View& WindowLogic::Active() {
    if (Linear()) return linear_;
    return tabular_;
}

// The display of the current mode gets the focus when it is enabled (the linear view's panel
// passes it on to its text box).
void WindowLogic::FocusDisplay() {
    if (slide_.Active() == DisplayView::Linear) {
        linear_.Focus();
    } else {
        tabular_.Focus();
    }
}

// ---- Commands -------------------------------------------------------------------------------

void WindowLogic::OnKeyClick(KeyArray array, int index) {
    if (const auto command = CommandOfKey(array, index)) Execute(*command);
}

bool WindowLogic::Execute(Command command) {
    if (const auto digit = DigitOf(command)) {
        if (!Active().Digit(*digit)) ports_.beep.Beep();
        return true;
    }
    if (const std::string_view text = OperatorOf(command); !text.empty()) {
        if (!Active().Operator(text)) ports_.beep.Beep();
        return true;
    }
    switch (command) {
        case Command::Clear:
            PressControlKey(&View::Clear);
            return true;
        case Command::Delete:
            PressControlKey(&View::Delete);
            return true;
        case Command::Back:
            PressControlKey(&View::Back);
            return true;
        case Command::Enter:
            PressControlKey(&View::Enter);
            return true;
        case Command::Factorization:
            RunOperation(kFactorization);
            return true;
        case Command::Lcm:
            RunOperation(kLcm);
            return true;
        case Command::Gcd:
            RunOperation(kGcd);
            return true;
        case Command::Cancellation:
            RunOperation(kCancellation);
            return true;
        case Command::Product:
            RunOperation(kProduct);
            return true;
        case Command::Copy:
            Copy();
            return true;
        case Command::Paste:
            Paste();
            return true;
        case Command::Undo:
            Undo();
            return true;
        case Command::WhatsThis:
            help_.ShowWhatsThis();
            return true;
        case Command::Calculator:
            StartCalculator();
            return true;
        case Command::HelpTopics:
            outside_.ShowHelpTopics(kWindowCaption);
            return true;
        case Command::HelpWeb:
            outside_.OpenWebPage();
            return true;
        case Command::HelpMail:
            outside_.SendBugReport(kAppTitle);
            return true;
        case Command::About:
            slide_.ToggleAbout();
            return true;
        case Command::ModeTabular:
            SwitchMode(DisplayMode::Tabular);
            return true;
        case Command::ModeLinear:
            SwitchMode(DisplayMode::Linear);
            return true;
        case Command::Minimize:
            ports_.window.Minimize();
            return true;
        case Command::Restore:
            ports_.window.Restore();
            return true;
        case Command::Exit:
            ports_.window.Unload();
            return true;
        default:
            return false;
    }
}

void WindowLogic::PressControlKey(void (View::*key)()) {
    tabular_.SelectNumberColumn();
    (Active().*key)();
    FocusDisplay();
}

void WindowLogic::RunOperation(OperationIndex operation) {
    PressEnter();
    if (!tabular_.HasNumberLines()) return;
    SetBusy(true);
    tabular_.SetUndoLevel(0);
    switch (operation) {
        case kFactorization:
            operations_.Factorize();
            break;
        case kLcm:
        case kGcd:
        case kProduct:
            operations_.Combine(operation);
            break;
        case kCancellation:
            operations_.Combine(kGcd);
            tabular_.SnapshotNumbers();
            if (operations_.CancelByGcd()) tabular_.SetUndoLevel(2);
            break;
    }
    SetBusy(false);
}

void WindowLogic::PressEnter() {
    if (Linear()) {
        tabular_.FinishLine();
    } else {
        PressControlKey(&View::Enter);
    }
}

void WindowLogic::OnInternalFault(std::string_view what) {
    if (busy_) SetBusy(false);
    // A failure that comes back at once (a timer's handler fails on every tick) is shown and
    // sounded once, for as long as the pane still shows it.
    const std::string text = InternalFaultText(what);
    if (resultPane_.TextRTF() == RenderResultRtf(text)) return;
    ShowResult(resultPane_, text);
    ports_.beep.Beep();
}

void WindowLogic::SetBusy(bool busy) {
    busy_ = busy;
    ports_.window.SetBusy(busy);
}

void WindowLogic::UpdateGridColumns() {
    tabular_.UpdateColumns();
}

void WindowLogic::OnGridDoubleClick() {
    tabular_.OnDoubleClick();
}

void WindowLogic::StartCalculator() {
    if (!outside_.CalculatorAvailable()) return;
    FocusDisplay();
    tabular_.SelectNumberColumn();
    PasteLineInto(outside_.FindOrStartCalculator());
}

void WindowLogic::OnCalcTimer() {
    PasteLineInto(outside_.OnCalcTick());
}

void WindowLogic::PasteLineInto(std::uintptr_t window) {
    if (window == 0) return;
    ports_.clipboard.SetText(tabular_.CurrentNumber());
    ports_.window.PasteIntoWindow(window);
}

// ---- Menus ----------------------------------------------------------------------------------

void WindowLogic::OnMenuOpen(Menu menu) {
    MenuPort& menus = ports_.menus;
    if (menu == Menu::Actions) {
        const bool hasNumbers = tabular_.HasNumbers();
        menus.Item(MenuItem::ActionsCalculator).SetEnabled(outside_.CalculatorAvailable());
        for (MenuItem item : {MenuItem::ActionsFactorization, MenuItem::ActionsLcm,
                              MenuItem::ActionsGcd, MenuItem::ActionsCancellation}) {
            menus.Item(item).SetEnabled(hasNumbers);
        }
        menus.Item(MenuItem::ActionsExit).SetEnabled(true);
        return;
    }
    // Copy takes the result when the pane is the active control, else the display's text.
    const bool paneActive = ports_.window.ResultPaneActive();
    const bool paneHasResult = !ports_.result.TextRTF().empty();
    const EditOffer offer = Active().Offer(ports_.clipboard.Text());
    menus.Item(MenuItem::EditUndo).SetEnabled(offer.undo);
    menus.Item(MenuItem::EditCopy).SetEnabled(paneActive ? paneHasResult : offer.copy);
    menus.Item(MenuItem::EditPaste).SetEnabled(offer.paste);
    menus.Item(MenuItem::EditDelete).SetEnabled(offer.del);
    menus.Item(MenuItem::EditClear).SetEnabled(offer.clear);
}

bool WindowLogic::OnMenuCommand(MenuItem item) {
    const auto command = CommandOfMenuItem(item);
    return command && Execute(*command);
}

// ---- Keyboard -------------------------------------------------------------------------------

bool WindowLogic::OnKeyDown(int keyCode, int shift) {
    // Keys typed a moment ago are still flashing: their Clicks come first.
    ports_.keys.FinishPresses();
    for (const Shortcut& shortcut : Shortcuts()) {
        if (shortcut.key != keyCode || shortcut.shift != shift) continue;
        // Over the About panel and during a slide the keypad and the menus that act on the
        // display are disabled, and so are their shortcuts; the program can still be closed.
        if (InputClosed() && shortcut.command != Command::Exit) return true;
        if (!shortcut.press) return Execute(shortcut.command);
        const auto key = KeyOfCommand(shortcut.command);
        // In linear mode the function keys are hidden: "*" and "/" reach the operator keys
        // through their access keys instead.
        if (!key || (key->array == KeyArray::Func && Linear())) return false;
        ports_.keys.Key(key->array, key->index).ClickDraw();
        return true;
    }
    // Nor does the hidden display's focused control see the key meanwhile; the menu bar keeps its
    // Alt keys.
    return InputClosed() && (shift & kAltDown) == 0;
}

bool WindowLogic::OnKeyPress(char typed) {
    if (InputClosed()) return true;
    if (mode_ != DisplayMode::Tabular) return false;
    for (const TypedKey& binding : TypedKeys()) {
        if (binding.typed != typed) continue;
        const auto key = KeyOfCommand(binding.command);
        if (!key) return false;
        ports_.keys.Key(key->array, key->index).ClickDraw();
        return true;
    }
    return false;
}

// ---- Mouse ----------------------------------------------------------------------------------

void WindowLogic::OnMouseDown(Surface surface, int button, int x, int y, KeyArray array,
                              int index) {
    if (button != kRightButton) return;
    if (help_.PickWhatsThis(surface, x, y, array, index)) ports_.window.ShowPopupMenu();
}

void WindowLogic::OnOkMouseDown(int button) {
    if (ok_.OnMouseDown(button) == OkOutcome::ShowWhatsThis) {
        OnMouseDown(Surface::OkImage, kRightButton);
    }
}

void WindowLogic::OnOkClick() {
    // The image is enabled only while the panel shows, between slides.
    if (ok_.OnClick() == OkOutcome::Close && slide_.AboutShown()) slide_.ToggleAbout();
}

void WindowLogic::OnHelpKey(Surface surface, KeyArray array, int index) {
    help_.ShowTopicOf(surface, array, index);
}

void WindowLogic::OnMenuHelp(std::optional<MenuItem> item) {
    help_.ShowTopicOfMenu(item);
}

void WindowLogic::OnMouseDown(int button, int, int, int) {
    OnMouseDown(Surface::Grid, button);
}

// ---- DDE ------------------------------------------------------------------------------------

bool WindowLogic::OnDdeExecute(std::string_view command) {
    // Every string of the table is acknowledged, also when its action finds nothing to do.
    const auto action = CommandOfDde(command);
    if (!action) return false;
    Execute(*action);
    return true;
}

// ---- Clipboard and Undo ---------------------------------------------------------------------

void WindowLogic::Copy() {
    if (ports_.window.ResultPaneActive()) {
        const std::string rtf = ports_.result.TextRTF();
        if (!rtf.empty()) ports_.clipboard.SetRtf(rtf);
        return;
    }
    const std::string text = Active().CopyText();
    if (!text.empty()) ports_.clipboard.SetText(text);
}

void WindowLogic::RunCode(ScriptCode code) {
    if (const auto command = CommandOfScriptCode(code)) Execute(*command);
}

void WindowLogic::Paste() {
    if (Linear()) {
        PasteIntoLine();
        return;
    }
    FocusDisplay();
    tabular_.SelectNumberColumn();
    const ClipboardScript script = ParseClipboardScript(ports_.clipboard.Text());
    if (!script.worthPasting) return;
    RunCode(script.leadingCode);
    tabular_.SelectNumberColumn();
    for (const ScriptNumber& number : script.numbers) tabular_.EnterNumber(std::to_string(number));
    if (script.overlong) ports_.beep.Beep();
    RunCode(script.trailingCode);
}

// A script is a calculation for the display: it runs in tabular mode, which slides in. Other text
// goes into the line; the hidden grid stays as it is.
void WindowLogic::PasteIntoLine() {
    const std::string text = ports_.clipboard.Text();
    if (ParseClipboardScript(text).HasCode()) {
        SwitchMode(DisplayMode::Tabular);
        Paste();
        return;
    }
    FocusDisplay();
    if (!linear_.Editor().Paste(text)) ports_.beep.Beep();
}

void WindowLogic::Undo() {
    // Each view keeps its own: the grid's level waits for the tabular mode.
    Active().Undo();
}

}  // namespace zentra
