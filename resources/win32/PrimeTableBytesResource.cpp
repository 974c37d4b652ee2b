// Reads RCDATA 101 through the resource functions:
// https://learn.microsoft.com/windows/win32/api/winbase/nf-winbase-findresourceexa
#include <windows.h>

#include "resources/PrimeTableBytes.h"
#include "resources/win32/ResourceBytes.h"

namespace zentra {

std::span<const std::uint8_t> PrimeTableResourceBytes() {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceExA(module, MAKEINTRESOURCEA(10), MAKEINTRESOURCEA(101),
                                 MAKELANGID(LANG_HEBREW, SUBLANG_DEFAULT));
    return ResourceBytes(module, info);
}

}  // namespace zentra
