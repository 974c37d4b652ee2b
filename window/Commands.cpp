#include "window/Commands.h"

#include <array>

namespace zentra {
namespace {

// Virtual-key codes of the keyboard table.
enum VirtualKey : int {
    kVkBack = 8,
    kVkReturn = 13,
    kVkEscape = 27,
    kVkInsert = 45,
    kVkDelete = 46,
    kVkC = 67,
    kVkG = 71,
    kVkL = 76,
    kVkN = 78,
    kVkV = 86,
    kVkX = 88,
    kVkZ = 90,
    kVkNumpad0 = 96,
    kVkF2 = 113,
    kVkF4 = 115,
};

constexpr Shortcut Press(int key, Command command) {
    return {key, 0, command, true};
}

constexpr auto kShortcuts = [] {
    std::array<Shortcut, 37> table{{
        {kVkF4, kAltDown, Command::Exit, false},
        {kVkX, kAltDown, Command::Exit, false},
        {kVkBack, kAltDown, Command::Undo, false},
        {kVkInsert, kShiftDown, Command::Paste, false},
        {kVkInsert, kCtrlDown, Command::Copy, false},
        // The menu shortcuts.
        {kVkF2, 0, Command::Calculator, false},
        {kVkF4, kCtrlDown, Command::Exit, false},
        {kVkZ, kCtrlDown, Command::Undo, false},
        {kVkC, kCtrlDown, Command::Copy, false},
        {kVkV, kCtrlDown, Command::Paste, false},
        {kVkL, kCtrlDown, Command::Lcm, false},
        {kVkG, kCtrlDown, Command::Gcd, false},
        {kVkN, kCtrlDown, Command::Clear, false},
        {kVkDelete, 0, Command::Delete, false},
        // Keys that press their keypad key visibly; Esc is the cancel key of Clear.
        Press(kVkReturn, Command::Enter),
        Press(kVkBack, Command::Back),
        Press(kVkEscape, Command::Clear),
    }};
    std::size_t next = 17;
    for (int digit = 0; digit <= 9; ++digit) {
        table[next++] = Press(kVkNumpad0 + digit, DigitCommand(digit));
        table[next++] = Press('0' + digit, DigitCommand(digit));
    }
    return table;
}();

// The function keys' tooltips promise "*" and "/", typed on the main keyboard or the numeric
// keypad; in tabular mode the operator keys that carry those access keys are hidden.
constexpr TypedKey kTypedKeys[] = {
    {'*', Command::Factorization},
    {'/', Command::Cancellation},
};

constexpr DdeVerb kDdeVerbs[] = {
    {"0", Command::Digit0},        {"1", DigitCommand(1)},          {"2", DigitCommand(2)},
    {"3", DigitCommand(3)},        {"4", DigitCommand(4)},          {"5", DigitCommand(5)},
    {"6", DigitCommand(6)},        {"7", DigitCommand(7)},          {"8", DigitCommand(8)},
    {"9", Command::Digit9},        {"Enter", Command::Enter},       {"Copy", Command::Copy},
    {"Paste", Command::Paste},     {"Delete", Command::Delete},     {"Clear", Command::Clear},
    {"*", Command::Factorization}, {"LCM", Command::Lcm},           {"GCD", Command::Gcd},
    {"/", Command::Cancellation},  {"Minimize", Command::Minimize}, {"Restore", Command::Restore},
    {"Exit", Command::Exit},
};

constexpr MenuBinding kMenuBindings[] = {
    {MenuItem::ActionsCalculator, Command::Calculator},
    {MenuItem::ActionsFactorization, Command::Factorization},
    {MenuItem::ActionsLcm, Command::Lcm},
    {MenuItem::ActionsGcd, Command::Gcd},
    {MenuItem::ActionsCancellation, Command::Cancellation},
    {MenuItem::ActionsExit, Command::Exit},
    {MenuItem::EditUndo, Command::Undo},
    {MenuItem::EditCopy, Command::Copy},
    {MenuItem::EditPaste, Command::Paste},
    {MenuItem::EditDelete, Command::Delete},
    {MenuItem::EditClear, Command::Clear},
    {MenuItem::ViewModeTabular, Command::ModeTabular},
    {MenuItem::ViewModeLinear, Command::ModeLinear},
    {MenuItem::HelpTopics, Command::HelpTopics},
    {MenuItem::HelpWeb, Command::HelpWeb},
    {MenuItem::HelpMail, Command::HelpMail},
    {MenuItem::HelpAbout, Command::About},
    {MenuItem::PopupWhat, Command::WhatsThis},
};

struct ScriptBinding {
    ScriptCode code;
    Command command;
};

constexpr ScriptBinding kScriptBindings[] = {
    {ScriptCode::Factorization, Command::Factorization},
    {ScriptCode::Lcm, Command::Lcm},
    {ScriptCode::Gcd, Command::Gcd},
    {ScriptCode::Cancellation, Command::Cancellation},
    {ScriptCode::Clear, Command::Clear},
};

// The keypad: each array's keys in index order.
constexpr Command kDigitKeys[] = {
    Command::Digit0, DigitCommand(1), DigitCommand(2), DigitCommand(3), DigitCommand(4),
    DigitCommand(5), DigitCommand(6), DigitCommand(7), DigitCommand(8), Command::Digit9,
};
constexpr Command kOperatorKeys[] = {
    Command::Point, Command::Divide,    Command::Multiply,    Command::Minus,        Command::Plus,
    Command::Power, Command::Factorial, Command::OpenBracket, Command::CloseBracket,
};
constexpr Command kControlKeys[] = {Command::Clear, Command::Delete, Command::Back, Command::Enter};
constexpr Command kFunctionKeys[] = {Command::Factorization, Command::Lcm, Command::Gcd,
                                     Command::Cancellation, Command::Product};

std::span<const Command> KeysOf(KeyArray array) {
    switch (array) {
        case KeyArray::Digit:
            return kDigitKeys;
        case KeyArray::Oper:
            return kOperatorKeys;
        case KeyArray::Cntrl:
            return kControlKeys;
        case KeyArray::Func:
            return kFunctionKeys;
    }
    return {};
}

struct OperatorText {
    Command command;
    std::string_view text;
};

constexpr OperatorText kOperatorTexts[] = {
    {Command::Point, "."},     {Command::Divide, "/"},      {Command::Multiply, "*"},
    {Command::Minus, "-"},     {Command::Plus, "+"},        {Command::Power, "^"},
    {Command::Factorial, "!"}, {Command::OpenBracket, "("}, {Command::CloseBracket, ")"},
};

}  // namespace

std::span<const Shortcut> Shortcuts() {
    return kShortcuts;
}

std::span<const TypedKey> TypedKeys() {
    return kTypedKeys;
}

std::span<const DdeVerb> DdeVerbs() {
    return kDdeVerbs;
}

std::span<const MenuBinding> MenuBindings() {
    return kMenuBindings;
}

std::optional<Command> CommandOfMenuItem(MenuItem item) {
    for (const MenuBinding& binding : kMenuBindings) {
        if (binding.item == item) return binding.command;
    }
    return std::nullopt;
}

std::optional<Command> CommandOfDde(std::string_view text) {
    for (const DdeVerb& verb : kDdeVerbs) {
        if (verb.text == text) return verb.command;
    }
    return std::nullopt;
}

std::optional<Command> CommandOfScriptCode(ScriptCode code) {
    for (const ScriptBinding& binding : kScriptBindings) {
        if (binding.code == code) return binding.command;
    }
    return std::nullopt;
}

std::optional<Command> CommandOfKey(KeyArray array, int index) {
    const std::span<const Command> keys = KeysOf(array);
    if (index < 0 || index >= static_cast<int>(keys.size())) return std::nullopt;
    return keys[static_cast<std::size_t>(index)];
}

std::optional<KeyRef> KeyOfCommand(Command command) {
    for (KeyArray array : {KeyArray::Digit, KeyArray::Oper, KeyArray::Cntrl, KeyArray::Func}) {
        const std::span<const Command> keys = KeysOf(array);
        for (std::size_t index = 0; index < keys.size(); ++index) {
            if (keys[index] == command) return KeyRef{array, static_cast<int>(index)};
        }
    }
    return std::nullopt;
}

std::string_view OperatorOf(Command command) {
    for (const OperatorText& op : kOperatorTexts) {
        if (op.command == command) return op.text;
    }
    return {};
}

}  // namespace zentra
