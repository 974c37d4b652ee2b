// The prime table resource bytes of the running program.
#pragma once

#include <cstdint>
#include <span>

namespace zentra {

// Windows: RCDATA 101 (language 1037) of the executable; elsewhere: the same bytes compiled in.
// Empty when the resource is missing.
std::span<const std::uint8_t> PrimeTableResourceBytes();

}  // namespace zentra
