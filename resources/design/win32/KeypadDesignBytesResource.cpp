// Reads the custom resource through the resource functions:
// https://learn.microsoft.com/windows/win32/api/winbase/nf-winbase-findresourcea
#include <windows.h>

#include "resources/design/KeypadDesignBytes.h"

namespace zentra {

std::span<const std::uint8_t> KeypadDesignBytes() {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, "KEYPAD", "DESIGN");
    if (info == nullptr) return {};
    HGLOBAL handle = LoadResource(module, info);
    if (handle == nullptr) return {};
    const void* data = LockResource(handle);
    if (data == nullptr) return {};
    return {static_cast<const std::uint8_t*>(data), SizeofResource(module, info)};
}

}  // namespace zentra
