// libFuzzer target: the stored "Mode" as start-up reads it. Any program can write the settings key,
// so any type and bytes may stand there, in the user's part, the machine's part or both. The mode
// read must agree with an independent reading (the user's value first; its text by type; linear
// only when the leading number rounds to 1), and writing that mode back must read back the same.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/fuzz/ReferenceLeadingNumber.h"
#include "window/Settings.h"

namespace {

using zentra::DisplayMode;
using zentra::RegistryRoot;

constexpr std::uint32_t kTypes[] = {zentra::kRegSz,     zentra::kRegExpandSz, zentra::kRegBinary,
                                    zentra::kRegDword,  zentra::kRegMultiSz,  0 /* REG_NONE */,
                                    11 /* REG_QWORD */, 0xFFFFFFFFu};

// The value's text, read apart from the registry code: a DWORD as its signed decimal (no value when
// shorter than four bytes), string types without one trailing NUL, other types as their bytes.
std::string ReferenceText(const zentra::RegistryValue& value) {
    const auto& data = value.data;
    if (value.type == zentra::kRegDword) {
        if (data.size() < 4) return {};
        const std::int32_t number = static_cast<std::int32_t>(
            static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
            static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24);
        return std::to_string(number);
    }
    std::string text(data.begin(), data.end());
    const bool stringType = value.type == zentra::kRegSz || value.type == zentra::kRegExpandSz ||
                            value.type == zentra::kRegMultiSz;
    if (stringType && !text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

DisplayMode ReferenceMode(const zentra::RegistryValue& value) {
    const double number = zentra::fuzz::ReferenceLeadingNumber(ReferenceText(value));
    // Rounded half to even, as a 16-bit integer conversion does.
    const double whole = std::floor(number);
    const double fraction = number - whole;
    double rounded = fraction > 0.5 ? whole + 1 : whole;
    if (fraction == 0.5) rounded = std::fmod(whole, 2.0) == 0 ? whole : whole + 1;
    return rounded == 1.0 ? DisplayMode::Linear : DisplayMode::Tabular;
}

[[noreturn]] void Fail(const char* what, std::size_t size) {
    std::fprintf(stderr, "stored mode: %s (input of %zu bytes)\n", what, size);
    std::abort();
}

}  // namespace

// Input: one byte of layout (bits 0-2 the value's type, bit 3 a user value, bit 4 a machine value,
// bit 5 the machine's part refuses writes), one byte that splits the rest between the two values,
// then the values' bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t layout = data[0];
    const std::vector<std::uint8_t> bytes(data + 2, data + size);
    const std::size_t split = bytes.empty() ? 0 : data[1] % (bytes.size() + 1);
    const std::uint32_t type = kTypes[layout & 7];

    zentra::MemoryRegistry registry;
    zentra::Settings settings(registry, "Fuzz Company");
    const zentra::RegistryValue user{type,
                                     {bytes.begin(), bytes.begin() + static_cast<long>(split)}};
    const zentra::RegistryValue machine{type,
                                        {bytes.begin() + static_cast<long>(split), bytes.end()}};
    const std::string name(zentra::Settings::kMode);
    if (layout & 8) registry.SetValue(RegistryRoot::CurrentUser, settings.KeyPath(), name, user);
    if (layout & 16)
        registry.SetValue(RegistryRoot::LocalMachine, settings.KeyPath(), name, machine);
    if (layout & 32) registry.RefuseWrites(RegistryRoot::LocalMachine);

    DisplayMode expected = DisplayMode::Tabular;
    if (layout & 8) {
        expected = ReferenceMode(user);
    } else if (layout & 16) {
        expected = ReferenceMode(machine);
    }
    const DisplayMode read = settings.ReadMode();
    if (read != expected) Fail("the mode read differs from the reference", size);

    // Shut-down writes the mode back; the next start must find the same.
    const DisplayMode other =
        read == DisplayMode::Linear ? DisplayMode::Tabular : DisplayMode::Linear;
    settings.WriteMode(other);
    if (settings.ReadMode() != other) Fail("a written mode does not read back", size);
    settings.WriteMode(read);
    if (settings.ReadMode() != read) Fail("the first mode does not read back", size);
    return 0;
}
