// Reads the custom resource through the resource functions:
// https://learn.microsoft.com/windows/win32/api/winbase/nf-winbase-findresourcea
#include <windows.h>

#include "resources/design/KeypadDesignBytes.h"
#include "resources/win32/ResourceBytes.h"

namespace zentra {

std::span<const std::uint8_t> KeypadDesignBytes() {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, "KEYPAD", "DESIGN");
    return ResourceBytes(module, info);
}

}  // namespace zentra
