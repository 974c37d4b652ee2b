#include <cstddef>

#include "resources/design/KeypadDesignBytes.h"

extern const unsigned char kKeypadDesignData[];
extern const std::size_t kKeypadDesignDataSize;

namespace zentra {

std::span<const std::uint8_t> KeypadDesignBytes() {
    return {kKeypadDesignData, kKeypadDesignDataSize};
}

}  // namespace zentra
