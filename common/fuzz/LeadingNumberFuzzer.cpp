// libFuzzer target: the leading-number rule agrees with an independent reading of it, bit for bit,
// and never reads past the text (the input is copied into a buffer of exactly its size).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "common/fuzz/ReferenceLeadingNumber.h"
#include "common/numbers/LeadingNumber.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto copy = std::make_unique<char[]>(size);
    if (size > 0) std::memcpy(copy.get(), data, size);
    const std::string_view text(copy.get(), size);
    const double value = zentra::LeadingNumber(text);
    const double expected = zentra::fuzz::ReferenceLeadingNumber(text);
    if (std::memcmp(&value, &expected, sizeof value) != 0) {
        std::fprintf(stderr, "leading number of [%.*s]: %.17g, the reference reads %.17g\n",
                     static_cast<int>(size), copy.get(), value, expected);
        std::abort();
    }
    (void)zentra::LeadingFixed(text);
    return 0;
}
