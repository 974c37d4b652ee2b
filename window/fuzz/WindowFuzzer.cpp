// libFuzzer target: what other programs can send the window — DDE execute strings of any bytes and
// any length, and clipboard texts followed by "Paste" — run on the window logic with in-memory
// controls. After every step the display must still be a list of lines: every row but the current
// one and the new last line holds a number of 1 to 12 digits. A paste of a plain script (no
// operation code) must enter exactly the script's numbers from the current row down.
//
// Input: records of one kind byte, a 16-bit length and that many bytes. Kind 0 is a DDE execute,
// kind 1 puts the bytes on the clipboard and sends "Paste", kind 2 lets 20 ms pass.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "engine/PrimeTable.h"
#include "window/ClipboardScript.h"
#include "window/WindowLogic.h"
#include "window/tests/WindowHarness.h"

namespace {

using namespace zentra;
using namespace zentra::testing;

const PrimeTable& Primes() {
    static const PrimeTable table = *PrimeTable::FromProgramResource(nullptr);
    return table;
}

struct Harness : WindowHarness {
    Harness() : WindowHarness(Primes()) { window.Load({}); }
};

[[noreturn]] void Fail(const char* what, int row, const std::string& text) {
    std::fprintf(stderr, "window: %s (row %d: [%s])\n", what, row, text.c_str());
    std::abort();
}

bool IsLineNumber(const std::string& text) {
    if (text.empty() || text.size() > 12 || text[0] == '0') return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

void CheckLines(const Harness& h) {
    const int rows = h.grid.Rows();
    if (rows < 1) Fail("the grid has no row", 0, "");
    for (int row = 0; row < rows; ++row) {
        const std::string text = h.grid.TextMatrix(row, 0);
        const bool typedLine = row == h.grid.Row() || row == rows - 1;
        if (typedLine ? !(text.empty() || text == "0" || IsLineNumber(text))
                      : !IsLineNumber(text)) {
            Fail("a line holds no number", row, text);
        }
    }
}

std::vector<std::string> Column0(const Harness& h) {
    std::vector<std::string> lines;
    for (int row = 0; row < h.grid.Rows(); ++row) lines.push_back(h.grid.TextMatrix(row, 0));
    return lines;
}

void PasteAndCheck(Harness& h, std::string_view text) {
    h.clipboard.text.assign(text);
    const ClipboardScript script = ParseClipboardScript(text);
    const bool plain = script.leadingCode == ScriptCode::None &&
                       script.trailingCode == ScriptCode::None && !script.numbers.empty();
    const int start = h.grid.Row();
    const std::vector<std::string> before = Column0(h);
    h.window.OnDdeExecute("Paste");
    if (!plain) return;
    const std::vector<std::string> after = Column0(h);
    const std::size_t first = static_cast<std::size_t>(start);
    for (std::size_t row = 0; row < first && row < before.size(); ++row) {
        // Rows above the paste stay, unless the row rule removed an emptied current row.
        if (row < after.size() && after[row] != before[row] && !before[row].empty()) {
            Fail("a row above the paste changed", static_cast<int>(row), after[row]);
        }
    }
    std::size_t at = first;
    if (first < before.size() && before[first].empty() && first + 1 < before.size()) return;
    for (ScriptNumber number : script.numbers) {
        if (at >= after.size() || after[at] != std::to_string(number)) {
            Fail("a pasted number is missing", static_cast<int>(at),
                 at < after.size() ? after[at] : "");
        }
        ++at;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Harness h;
    std::size_t pos = 0;
    while (pos + 3 <= size) {
        const int kind = data[pos] % 3;
        std::size_t length =
            static_cast<std::size_t>(data[pos + 1]) | static_cast<std::size_t>(data[pos + 2]) << 8;
        pos += 3;
        if (length > size - pos) length = size - pos;
        const std::string_view bytes(reinterpret_cast<const char*>(data) + pos, length);
        pos += length;
        if (kind == 0) h.window.OnDdeExecute(bytes);
        if (kind == 1) PasteAndCheck(h, bytes);
        h.clock.Advance(kind == 2 ? 20 : 0);
        CheckLines(h);
    }
    h.clock.Advance(1000);
    CheckLines(h);
    return 0;
}
