// libFuzzer target: the push button's stored-properties text. Whatever a design file holds,
// reading never fails or reads past the text, what was read writes back to a text that reads as
// the same properties, and loading them into a button does no harm.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "controls/CommandButton.h"
#include "controls/PropertyBag.h"
#include "controls/tests/ButtonFakes.h"

namespace {

void Expect(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "property store: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto copy = std::make_unique<char[]>(size);
    if (size > 0) std::memcpy(copy.get(), data, size);
    const std::string_view text(copy.get(), size);

    const zentra::PropertyBag bag = zentra::ReadPropertyText(text);
    Expect(zentra::ReadPropertyText(zentra::WritePropertyText(bag)) == bag,
           "a read bag does not survive writing and reading");
    const auto sections = zentra::ReadPropertySections(text);
    const auto again = zentra::ReadPropertySections(zentra::WritePropertySections(sections));
    Expect(again.size() == sections.size(), "sections lost or gained by writing and reading");
    for (std::size_t i = 0; i < sections.size(); ++i) {
        Expect(again[i].name == sections[i].name && again[i].properties == sections[i].properties,
               "a section does not survive writing and reading");
    }

    zentra::testing::FakeButtonHost host;
    zentra::testing::FakeTimer timer;
    zentra::CommandButton button(host, timer);
    button.LoadProperties(bag);
    button.OnResize(36, 28);
    zentra::testing::RecordingCanvas canvas;
    button.Draw(canvas);
    return 0;
}
