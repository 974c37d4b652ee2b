// Little-endian byte writers for the build tools that draw the program's pictures and icon.
#pragma once

#include <cstdint>
#include <vector>

namespace zentra::art {

inline void Put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

inline void Put32(std::vector<std::uint8_t>& out, unsigned value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

}  // namespace zentra::art
