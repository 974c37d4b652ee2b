#include "window/WindowLogic.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <utility>

#include "common/numbers/Common.h"
#include "common/numbers/LeadingNumber.h"
#include "common/system/Paths.h"
#include "engine/ResultRendering.h"
#include "input/ShowResult.h"
#include "window/ClipboardScript.h"

namespace zentra {
namespace {

// What's This topics of the window's parts.
constexpr int kGridTopic = 101;
constexpr int kDisplayPanelTopic = 102;
constexpr int kResultPaneTopic = 103;

constexpr int kRightButton = 2;
constexpr std::size_t kMaxLineDigits = 12;

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

// The value of a cell by the leading-number rule; 0 for text that is no number.
double CellValue(const std::string& text) {
    return LeadingNumber(text);
}

// Trademark and version, the comments, the legal notice: one line each. (Appended piece by piece:
// GCC 12 misreads a chain of string additions as an overlapping copy.)
std::string ComposeAboutText(const ProgramInfo& program, const std::string& version) {
    std::string text = program.trademark;
    text.append(" ").append(version).append("\r\n");
    text.append(program.comments).append("\r\n").append(program.legalNotice);
    return text;
}

bool IsValidIndex(KeyArray array, int index) {
    return index >= 0 && index < KeyCount(array);
}

}  // namespace

WindowLogic::WindowLogic(const PrimeTable& primes, const WindowPorts& ports)
    : ports_(ports),
      resultPane_(ports.result, slide_),
      operations_(primes, ports.grid, resultPane_),
      outside_(ports.shell, ports.calcTimer),
      slide_(ports.stage, DisplayView::Grid),
      ok_(ports.okImage),
      modes_(ports.menus, ports.keys, slide_),
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
        for (int i = 5; i < KeyCount(KeyArray::Oper); ++i) {
            ports_.keys.Key(KeyArray::Oper, i).SetCaption("");
        }
    }
    if (outside.calcPath.empty()) outside.calcPath = FindProgramFile(ports_.files, "calc.exe");
    outside_.Configure(std::move(outside));
    aboutText_ = ComposeAboutText(program, version);
    linear_.Box().SetText("");
    {
        GuardScope guard(*this);
        ports_.window.SetOuterSize(kFirstWidthPixels, kFirstHeightPixels);
    }
    {
        // Neither item is checked yet, so the switch sets up the keys of either mode; the guard
        // keeps it from sliding.
        GuardScope guard(*this);
        ports_.menus.Item(MenuItem::ViewModeTabular).SetChecked(false);
        ports_.menus.Item(MenuItem::ViewModeLinear).SetChecked(false);
        modes_.SwitchTo(mode, false);
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
    if (settings_) settings_->WriteMode(modes_.Mode());
}

void WindowLogic::SwitchMode(DisplayMode mode) {
    modes_.SwitchTo(mode, eventGuard_ == 0);
}

// Moves the cursor to the number column. Only a real change of cell raises the grid's cell
// events: re-selecting the current cell must not run the row rule (which would append the new line
// while its number is still being typed).
void WindowLogic::SelectNumberColumn() {
    if (ports_.grid.Col() != 0) ports_.grid.SetCol(0);
}

// The display of the current mode gets the focus when it is enabled (the linear view's panel
// passes it on to its text box).
void WindowLogic::FocusDisplay() {
    if (slide_.Active() == DisplayView::Linear) {
        if (linear_.Box().Enabled()) linear_.Box().SetFocus();
    } else if (ports_.grid.Enabled()) {
        ports_.grid.SetFocus();
    }
}

// ---- Keypad ---------------------------------------------------------------------------------

void WindowLogic::OnKeyClick(KeyArray array, int index) {
    if (const auto command = CommandOfKey(array, index)) Execute(*command);
}

bool WindowLogic::Execute(Command command) {
    const int code = static_cast<int>(command);
    if (command >= Command::Digit0 && command <= Command::Digit9) {
        DigitClick(code - static_cast<int>(Command::Digit0));
        return true;
    }
    if (command >= Command::Point && command <= Command::CloseBracket) {
        OperatorClick(code - static_cast<int>(Command::Point));
        return true;
    }
    if (command >= Command::Clear && command <= Command::Enter) {
        ControlClick(code - static_cast<int>(Command::Clear));
        return true;
    }
    if (command >= Command::Factorization && command <= Command::Product) {
        RunOperation(code - static_cast<int>(Command::Factorization));
        return true;
    }
    switch (command) {
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
            ShowWhatsThis();
            return true;
        case Command::Calculator:
            Calculator();
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

void WindowLogic::DigitClick(int digit) {
    if (Linear()) {
        if (!linear_.Editor().Digit(digit)) ports_.beep.Beep();
        return;
    }
    Grid& grid = ports_.grid;
    FocusDisplay();
    SelectNumberColumn();
    ShowCurrentLine();
    const std::string line = grid.TextMatrix(grid.Row(), 0);
    if (line.size() >= kMaxLineDigits) {
        ports_.beep.Beep();
        return;
    }
    // The number the line reads as with the digit appended: "0" then "5" gives "5".
    std::string typed = line;
    typed.push_back(static_cast<char>('0' + digit));
    const auto value = LeadingFixed(typed);
    grid.SetTextMatrix(grid.Row(), 0, value ? value->ToString() : typed);
    grid.SetTextMatrix(grid.Row(), 1, "");
    operations_.SetFactorizationStale(true);
    undoLevel_ = 0;
}

// Scrolls the view as little as possible so that the whole current line shows.
void WindowLogic::ShowCurrentLine() {
    Grid& grid = ports_.grid;
    const int row = grid.Row();
    if (grid.RowIsVisible(row)) return;
    if (row < grid.TopRow()) {
        grid.SetTopRow(row);
        return;
    }
    const int visibleRows = std::max(1, grid.Height() / std::max(1, grid.RowHeight(0)));
    grid.SetTopRow(row - visibleRows + 1);
    if (!grid.RowIsVisible(row)) grid.SetTopRow(row);
}

// The operator keys are shown and enabled in linear mode only; they always edit the linear line.
void WindowLogic::OperatorClick(int index) {
    if (!linear_.Editor().Operator(index)) ports_.beep.Beep();
}

void WindowLogic::ControlClick(int index) {
    Grid& grid = ports_.grid;
    SelectNumberColumn();
    if (Linear()) {
        linear_.Editor().Control(index);
        FocusDisplay();
        return;
    }
    switch (index) {
        case kClear:
            SnapshotNumbers();
            undoLevel_ = 1;
            grid.Clear();
            {
                // An emptied grid leaves the cell rules nothing to do; shrinking it may report
                // a cell that no longer exists.
                GuardScope guard(*this);
                grid.SetRows(1);
                grid.SetRow(0);
            }
            UpdateGridColumns();
            operations_.SetFactorizationStale(true);
            ShowResult(resultPane_, "");
            break;
        case kDel:
            SnapshotNumbers();
            undoLevel_ = 1;
            if (grid.Row() == grid.Rows() - 1) {
                grid.SetTextMatrix(grid.Row(), 0, "");
                grid.SetTextMatrix(grid.Row(), 1, "");
            } else {
                grid.RemoveItem(grid.Row());
                grid.SetRow(std::min(grid.Row(), grid.Rows() - 1));
                UpdateGridColumns();
            }
            operations_.SetFactorizationStale(true);
            break;
        case kBack: {
            const std::string line = grid.TextMatrix(grid.Row(), 0);
            if (!line.empty()) {
                grid.SetTextMatrix(grid.Row(), 0, line.substr(0, line.size() - 1));
                grid.SetTextMatrix(grid.Row(), 1, "");
                operations_.SetFactorizationStale(true);
                undoLevel_ = 0;
            }
            break;
        }
        case kEnter:
            OnLeaveCell();
            if (grid.Row() < grid.Rows() - 1) grid.SetRow(grid.Row() + 1);
            break;
        default:
            break;
    }
    ShowCurrentLine();
    FocusDisplay();
}

void WindowLogic::RunOperation(int operationIndex) {
    PressEnter();
    if (ports_.grid.Rows() < 2) return;
    SetBusy(true);
    undoLevel_ = 0;
    switch (operationIndex) {
        case kFactorization:
            operations_.Factorize();
            break;
        case kLcm:
        case kGcd:
        case kProduct:
            operations_.Combine(static_cast<OperationIndex>(operationIndex));
            break;
        case kCancellation:
            operations_.Combine(kGcd);
            SnapshotNumbers();
            if (operations_.CancelByGcd()) undoLevel_ = 2;
            break;
        default:
            break;
    }
    SetBusy(false);
}

// An operation first finishes the grid's pending line; in linear mode too, where the Enter key
// would rewrite the expression instead.
void WindowLogic::PressEnter() {
    if (!Linear()) {
        ControlClick(kEnter);
        return;
    }
    SelectNumberColumn();
    OnLeaveCell();
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

// ---- Tabular view ---------------------------------------------------------------------------

void WindowLogic::OnLeaveCell() {
    if (eventGuard_ >= 1) return;
    GuardScope guard(*this);
    Grid& grid = ports_.grid;
    const int row = grid.Row();
    const int last = grid.Rows() - 1;
    if (row > last) return;
    const bool positive = CellValue(grid.TextMatrix(row, 0)) > 0;
    if (row == last && positive) {
        grid.AddItem("\t");
        UpdateGridColumns();
    } else if (row < last && !positive) {
        grid.RemoveItem(row);
        UpdateGridColumns();
        operations_.SetFactorizationStale(true);
        undoLevel_ = 0;
        grid.SetRow(grid.Rows() - 1);
    } else if (row == last) {
        grid.SetTextMatrix(row, 0, "");
        grid.SetTextMatrix(row, 1, "");
    }
}

void WindowLogic::OnEnterCell() {
    if (eventGuard_ >= 1) return;
    GuardScope guard(*this);
    Grid& grid = ports_.grid;
    if (grid.Col() != 0 && grid.TextMatrix(grid.Row(), 1).empty()) grid.SetCol(0);
    grid.SetRow(std::min(grid.Row(), grid.Rows() - 1));
}

void WindowLogic::UpdateGridColumns() {
    Grid& grid = ports_.grid;
    const int twipsPerPixel = ports_.metrics.TwipsPerPixelX();
    const int numberWidth =
        ports_.metrics.DisplayTextWidth(std::string(kMaxLineDigits, '9')) + 6 * twipsPerPixel;
    grid.SetColWidth(0, numberWidth);
    const bool scrollBar = static_cast<long long>(grid.RowHeight(0)) * grid.Rows() > grid.Height();
    const int scrollWidth = scrollBar ? ports_.metrics.VerticalScrollBarWidth() * twipsPerPixel : 0;
    grid.SetColWidth(1, std::max(0, grid.Width() - numberWidth - scrollWidth));
}

void WindowLogic::OnGridDoubleClick() {
    const Grid& grid = ports_.grid;
    if (grid.Col() != 1) return;
    ShowResult(resultPane_, grid.TextMatrix(grid.Row(), 0) + " " + grid.TextMatrix(grid.Row(), 1));
}

void WindowLogic::Calculator() {
    if (!outside_.CalculatorAvailable()) return;
    FocusDisplay();
    SelectNumberColumn();
    PasteLineInto(outside_.FindOrStartCalculator());
}

void WindowLogic::OnCalcTimer() {
    PasteLineInto(outside_.OnCalcTick());
}

void WindowLogic::PasteLineInto(std::uintptr_t window) {
    if (window == 0) return;
    ports_.clipboard.SetText(ports_.grid.TextMatrix(ports_.grid.Row(), 0));
    ports_.window.PasteIntoWindow(window);
}

// ---- Menus ----------------------------------------------------------------------------------

void WindowLogic::OnMenuOpen(Menu menu) {
    const Grid& grid = ports_.grid;
    MenuPort& menus = ports_.menus;
    const bool hasNumbers = CellValue(grid.TextMatrix(0, 0)) > 0;
    if (menu == Menu::Actions) {
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
    if (Linear()) {
        EnableEditItemsForLine(paneActive ? paneHasResult : !linear_.Box().Text().empty());
        return;
    }
    menus.Item(MenuItem::EditUndo).SetEnabled(undoLevel_ >= 1);
    menus.Item(MenuItem::EditCopy)
        .SetEnabled(paneActive ? paneHasResult : !grid.TextMatrix(grid.Row(), grid.Col()).empty());
    menus.Item(MenuItem::EditPaste)
        .SetEnabled(ParseClipboardScript(ports_.clipboard.Text()).worthPasting);
    menus.Item(MenuItem::EditDelete).SetEnabled(CellValue(grid.TextMatrix(grid.Row(), 0)) > 0);
    menus.Item(MenuItem::EditClear).SetEnabled(hasNumbers);
}

// In linear mode the Edit menu acts on the line, which is all the user sees.
void WindowLogic::EnableEditItemsForLine(bool canCopy) {
    MenuPort& menus = ports_.menus;
    const TextBox& box = linear_.Box();
    const std::string line = box.Text();
    const int length = static_cast<int>(line.size());
    menus.Item(MenuItem::EditUndo).SetEnabled(linear_.Editor().CanUndo());
    menus.Item(MenuItem::EditCopy).SetEnabled(canCopy);
    const std::string clipboard = ports_.clipboard.Text();
    menus.Item(MenuItem::EditPaste)
        .SetEnabled(ParseClipboardScript(clipboard).HasCode() || !PastableText(clipboard).empty());
    // Del takes the selection, or the character after the caret.
    menus.Item(MenuItem::EditDelete).SetEnabled(box.SelLength() > 0 || box.SelStart() < length);
    menus.Item(MenuItem::EditClear).SetEnabled(length > 0);
}

bool WindowLogic::OnMenuCommand(MenuItem item) {
    const auto command = CommandOfMenuItem(item);
    return command && Execute(*command);
}

void WindowLogic::ShowWhatsThis() {
    if (whatsThisTopic_ != 0) ports_.help.ShowWhatsThis(whatsThisTopic_);
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
    if (!ports_.menus.Item(MenuItem::ViewModeTabular).Checked()) return false;
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

int WindowLogic::TopicOf(Surface surface, int x, int y, KeyArray array, int index) const {
    switch (surface) {
        case Surface::Key:
            return IsValidIndex(array, index) ? ports_.keys.Key(array, index).WhatsThisHelpId() : 0;
        case Surface::Grid:
            return kGridTopic;
        case Surface::DisplayPanel:
        case Surface::AboutLabel:
        case Surface::OkImage:
            return kDisplayPanelTopic;
        case Surface::ResultPane:
            return kResultPaneTopic;
        case Surface::Window: {
            const ClientRect pane = ports_.window.ResultPaneRect();
            const bool onPane = IsBetween(x, pane.left, pane.right, true) &&
                                IsBetween(y, pane.top, pane.bottom, true);
            return onPane ? kResultPaneTopic : 0;
        }
    }
    return 0;
}

void WindowLogic::OnMouseDown(Surface surface, int button, int x, int y, KeyArray array,
                              int index) {
    if (button != kRightButton) return;
    const int topic = TopicOf(surface, x, y, array, index);
    if (topic == 0) return;
    whatsThisTopic_ = topic;
    ports_.window.ShowPopupMenu();
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
    int topic = 0;
    if (surface == Surface::Key) {
        // A key's context topic, not its What's This topic: the two differ for some keys.
        if (IsValidIndex(array, index)) topic = ports_.keys.Key(array, index).HelpContextId();
    } else if (surface != Surface::Window) {
        topic = TopicOf(surface, 0, 0, array, index);
    }
    ports_.help.ShowTopic(topic != 0 ? topic : HelpTopicOfMenuItem(std::nullopt));
}

void WindowLogic::OnMenuHelp(std::optional<MenuItem> item) {
    ports_.help.ShowTopic(HelpTopicOfMenuItem(item));
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
    if (Linear()) {
        const std::string text = linear_.Editor().CopyText();
        if (!text.empty()) ports_.clipboard.SetText(text);
        return;
    }
    const Grid& grid = ports_.grid;
    const std::string cell = grid.TextMatrix(grid.Row(), grid.Col());
    if (!cell.empty()) ports_.clipboard.SetText(cell);
}

void WindowLogic::RunCode(ScriptCode code) {
    if (const auto command = CommandOfScriptCode(code)) Execute(*command);
}

void WindowLogic::Paste() {
    if (Linear()) {
        PasteIntoLine();
        return;
    }
    Grid& grid = ports_.grid;
    FocusDisplay();
    SelectNumberColumn();
    const ClipboardScript script = ParseClipboardScript(ports_.clipboard.Text());
    if (!script.worthPasting) return;
    RunCode(script.leadingCode);
    SelectNumberColumn();
    for (const ScriptNumber& number : script.numbers) {
        grid.SetTextMatrix(grid.Row(), 0, std::to_string(number));
        grid.SetTextMatrix(grid.Row(), 1, "");
        operations_.SetFactorizationStale(true);
        undoLevel_ = 0;
        ControlClick(kEnter);
    }
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

void WindowLogic::SnapshotNumbers() {
    const Grid& grid = ports_.grid;
    const int numbers = grid.Rows() - 1;
    if (numbers < 1) return;
    undoNumbers_.clear();
    undoNumbers_.reserve(static_cast<std::size_t>(numbers));
    for (int row = 0; row < numbers; ++row) {
        undoNumbers_.push_back(LeadingFixed(grid.TextMatrix(row, 0)).value_or(Fixed()));
    }
}

void WindowLogic::Undo() {
    // The grid's level waits for the tabular mode.
    if (Linear()) {
        linear_.Editor().Undo();
        return;
    }
    if (undoLevel_ == 0) return;
    Grid& grid = ports_.grid;
    SetBusy(true);
    const int count = static_cast<int>(undoNumbers_.size());
    // Append the missing rows first: the last row stays the (empty) new line.
    while (grid.Rows() - 1 < count) grid.AddItem("\t");
    for (int i = 0; i < count; ++i) {
        // A row whose number changes loses its result: the rows moved since the snapshot, and a
        // factorization left beside another number would be a wrong result on screen.
        const std::string number = undoNumbers_[static_cast<std::size_t>(i)].ToString();
        if (grid.TextMatrix(i, 0) == number) continue;
        grid.SetTextMatrix(i, 0, number);
        grid.SetTextMatrix(i, 1, "");
    }
    UpdateGridColumns();
    if (count > 0) operations_.SetFactorizationStale(true);
    if (undoLevel_ == 2) {
        // The cancelled numbers had their factorizations: so do the restored ones.
        PressEnter();
        if (grid.Rows() >= 2) operations_.Factorize();
    }
    undoLevel_ = 0;
    SetBusy(false);
}

}  // namespace zentra
