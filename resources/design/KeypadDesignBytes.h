// The stored keypad design of the running program (see controls/KeypadDesign.h for its form).
#pragma once

#include <cstdint>
#include <span>

namespace zentra {

// Windows: resource KEYPAD of type DESIGN in the executable; elsewhere: the same text compiled
// in. Empty when the resource is missing.
std::span<const std::uint8_t> KeypadDesignBytes();

}  // namespace zentra
