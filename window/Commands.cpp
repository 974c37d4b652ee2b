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

constexpr int kContentsTopic = 100;

constexpr MenuBinding kMenuBindings[] = {
    {MenuItem::ActionsCalculator, Command::Calculator, 113},
    {MenuItem::ActionsFactorization, Command::Factorization, 105},
    {MenuItem::ActionsLcm, Command::Lcm, 106},
    {MenuItem::ActionsGcd, Command::Gcd, 107},
    {MenuItem::ActionsCancellation, Command::Cancellation, 108},
    {MenuItem::ActionsExit, Command::Exit, kContentsTopic},
    {MenuItem::EditUndo, Command::Undo, 114},
    {MenuItem::EditCopy, Command::Copy, kContentsTopic},
    {MenuItem::EditPaste, Command::Paste, 204},
    {MenuItem::EditDelete, Command::Delete, 110},
    {MenuItem::EditClear, Command::Clear, 109},
    {MenuItem::ViewModeTabular, Command::ModeTabular, kContentsTopic},
    {MenuItem::ViewModeLinear, Command::ModeLinear, kContentsTopic},
    {MenuItem::HelpTopics, Command::HelpTopics, 201},
    {MenuItem::HelpWeb, Command::HelpWeb, kContentsTopic},
    {MenuItem::HelpMail, Command::HelpMail, kContentsTopic},
    {MenuItem::HelpAbout, Command::About, kContentsTopic},
    {MenuItem::PopupWhat, Command::WhatsThis, 201},
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

// The first command of each keypad array; a key's command is that plus its index.
constexpr Command FirstCommandOf(KeyArray array) {
    switch (array) {
        case KeyArray::Digit:
            return Command::Digit0;
        case KeyArray::Oper:
            return Command::Point;
        case KeyArray::Cntrl:
            return Command::Clear;
        case KeyArray::Func:
            return Command::Factorization;
    }
    return Command::Digit0;
}

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

int HelpTopicOfMenuItem(std::optional<MenuItem> item) {
    for (const MenuBinding& binding : kMenuBindings) {
        if (item && binding.item == *item) return binding.helpTopic;
    }
    return kContentsTopic;
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
    if (index < 0 || index >= KeyCount(array)) return std::nullopt;
    return static_cast<Command>(static_cast<int>(FirstCommandOf(array)) + index);
}

std::optional<KeyRef> KeyOfCommand(Command command) {
    for (KeyArray array : {KeyArray::Digit, KeyArray::Oper, KeyArray::Cntrl, KeyArray::Func}) {
        const int index = static_cast<int>(command) - static_cast<int>(FirstCommandOf(array));
        if (index >= 0 && index < KeyCount(array)) return KeyRef{array, index};
    }
    return std::nullopt;
}

}  // namespace zentra
