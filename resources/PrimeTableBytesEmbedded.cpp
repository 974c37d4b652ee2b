#include <cstddef>

#include "resources/PrimeTableBytes.h"

extern const unsigned char kPrimeTableResourceData[];
extern const std::size_t kPrimeTableResourceSize;

namespace zentra {

std::span<const std::uint8_t> PrimeTableResourceBytes() {
    return {kPrimeTableResourceData, kPrimeTableResourceSize};
}

}  // namespace zentra
