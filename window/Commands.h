// Every action of the main window by one name, and the tables that map the menu, the keyboard, DDE
// execute strings, clipboard codes and the keypad's keys onto those names. The router runs each
// name with the method that does it. A new command is one enum value, one case in the router and
// one row in each table that reaches it.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "window/ClipboardScript.h"
#include "window/Ports.h"

namespace zentra {

enum class Command : int {
    // The keypad's editing keys: digits, the operator characters, the control keys.
    Digit0,
    Digit9 = Digit0 + 9,
    Point,
    Divide,
    Multiply,
    Minus,
    Plus,
    Power,
    Factorial,
    OpenBracket,
    CloseBracket,
    Clear,
    Delete,
    Back,
    Enter,
    // The operations.
    Factorization,
    Lcm,
    Gcd,
    Cancellation,
    Product,
    Copy,
    Paste,
    Undo,
    ModeTabular,
    ModeLinear,
    Calculator,
    HelpTopics,
    HelpWeb,
    HelpMail,
    About,
    WhatsThis,
    Minimize,
    Restore,
    Exit,
};

constexpr Command DigitCommand(int digit) {
    return static_cast<Command>(static_cast<int>(Command::Digit0) + digit);
}
// The digit a digit key's command types; nullopt for every other command.
constexpr std::optional<int> DigitOf(Command command) {
    if (command < Command::Digit0 || command > Command::Digit9) return std::nullopt;
    return static_cast<int>(command) - static_cast<int>(Command::Digit0);
}
// The text an operator key's command types ("^" for Power); empty for every other command.
std::string_view OperatorOf(Command command);

// Modifier bits of a key-down event.
enum KeyShift : int { kShiftDown = 1, kCtrlDown = 2, kAltDown = 4 };

// One keyboard binding. `press`: the key shows the command's keypad key pressed (its Click runs
// the command a moment later); otherwise the command runs at once.
struct Shortcut {
    int key;  // virtual-key code
    int shift;
    Command command;
    bool press;
};

// A typed character (WM_CHAR) that, in tabular mode, shows the command's keypad key pressed.
struct TypedKey {
    char typed;
    Command command;
};

struct DdeVerb {
    std::string_view text;
    Command command;
};

struct MenuBinding {
    MenuItem item;
    Command command;
};

struct KeyRef {
    KeyArray array;
    int index;
};

// The keyboard: key preview and menu shortcuts in one table, searched in order.
std::span<const Shortcut> Shortcuts();
// The typed characters of the keyboard, from whatever key types them.
std::span<const TypedKey> TypedKeys();
// The DDE execute strings, compared exactly and with letter case.
std::span<const DdeVerb> DdeVerbs();
// The menu items that run a command.
std::span<const MenuBinding> MenuBindings();

std::optional<Command> CommandOfMenuItem(MenuItem item);
std::optional<Command> CommandOfDde(std::string_view text);
std::optional<Command> CommandOfScriptCode(ScriptCode code);
// The command a keypad key's Click runs, and the key that shows a command being pressed.
std::optional<Command> CommandOfKey(KeyArray array, int index);
std::optional<KeyRef> KeyOfCommand(Command command);

}  // namespace zentra
