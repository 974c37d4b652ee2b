// libFuzzer target: the normaliser never crashes, never changes the value of what it accepts
// and marks a fault inside the line as typed; the keypad's line editing keeps the caret and
// selection inside the line.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/display/MemoryRichTextBox.h"
#include "input/ExpressionNormalizer.h"
#include "input/LinearLineEditor.h"
#include "input/MemoryTextBox.h"
#include "input/tests/ExactValue.h"

namespace {

using zentra::testing::Evaluate;
using zentra::testing::ValueKind;

// The exact evaluator's big numbers are slow on long texts; values are checked on short ones.
constexpr std::size_t kMaxEvaluatedLength = 160;

[[noreturn]] void Fault(const char* what, const std::string& input, const std::string& output) {
    std::fprintf(stderr, "%s\n  input:  %s\n  output: %s\n", what, input.c_str(), output.c_str());
    std::abort();
}

void CheckNormalize(const std::string& input) {
    zentra::ExpressionNormalizer normalizer;
    const zentra::NormalizeResult result = normalizer.Normalize(input);
    if (!result.Succeeded()) {
        const zentra::NormalizeFailure& failure = *result.failure;
        if (failure.position < 1) Fault("failure without a position", input, "");
        // The mark lies on the line as typed, never on a blank alone.
        const int size = static_cast<int>(input.size());
        if (failure.selStart < 0 || failure.selLength < 1 ||
            failure.selStart + failure.selLength > size ||
            input[static_cast<std::size_t>(failure.selStart)] == ' ' ||
            input[static_cast<std::size_t>(failure.selStart + failure.selLength - 1)] == ' ') {
            Fault("mark outside the typed line", input, failure.message);
        }
        return;
    }
    const std::string& output = result.text;
    if (output.size() > static_cast<std::size_t>(zentra::kMaxExpressionLength)) {
        Fault("output too long", input, output);
    }
    if (output.find(' ') != std::string::npos) Fault("blank left in output", input, output);
    const zentra::NormalizeResult again = normalizer.Normalize(output);
    if (input.size() > kMaxEvaluatedLength) return;
    const auto before = Evaluate(input);
    if (before.kind != ValueKind::kValue) return;
    const auto after = Evaluate(output);
    if (after.kind == ValueKind::kTooLarge) return;
    if (after.kind != ValueKind::kValue || !(after.value == before.value)) {
        Fault("value changed", input, output);
    }
    if (!again.Succeeded()) Fault("output refused on a second run", input, output);
    const auto twice = Evaluate(again.text);
    if (twice.kind == ValueKind::kValue && !(twice.value == before.value)) {
        Fault("second run changed the value", output, again.text);
    }
}

void PressControlKey(zentra::LinearLineEditor& editor, int key) {
    switch (key) {
        case 0:
            editor.Clear();
            break;
        case 1:
            editor.Del();
            break;
        case 2:
            editor.Back();
            break;
        default:
            editor.Equals();
            break;
    }
}

// Every byte is one keypad action or caret move on a line that starts empty.
void CheckEditing(const std::uint8_t* data, std::size_t size) {
    zentra::MemoryTextBox line;
    zentra::MemoryRichTextBox pane;
    zentra::LinearLineEditor editor(line, pane);
    for (std::size_t i = 0; i < size; ++i) {
        const int argument = data[i] >> 3;
        const int length = static_cast<int>(line.Text().size());
        switch (data[i] & 7) {
            case 0:
                editor.Digit(argument % 10);
                break;
            case 1:
                editor.Operator(zentra::OperatorCaption(argument % 9));
                break;
            case 2:
                PressControlKey(editor, argument % 4);
                break;
            case 3:
                zentra::EditLinearLine(line, zentra::kBackKey);
                break;
            case 4:
                zentra::EditLinearLine(line, zentra::kDelKey);
                break;
            case 5:
                line.SetSelStart(argument % (length + 2) - 1);
                break;
            case 6:
                line.SetSelLength(argument - 2);
                break;
            default:
                zentra::EditLinearLine(line, std::string(1, static_cast<char>(argument + 32)));
        }
        const int now = static_cast<int>(line.Text().size());
        if (now > zentra::kMaxExpressionLength || line.SelStart() < 0 || line.SelStart() > now ||
            line.SelLength() < 0 || line.SelStart() + line.SelLength() > now) {
            Fault("caret or selection outside the line", line.Text(), "");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckNormalize(std::string(reinterpret_cast<const char*>(data), size));
    CheckEditing(data, size);
    return 0;
}
