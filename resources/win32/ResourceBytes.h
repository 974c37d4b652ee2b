// The bytes of a resource found in this program's file:
// https://learn.microsoft.com/windows/win32/api/libloaderapi/nf-libloaderapi-loadresource
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

namespace zentra {

// Empty when the resource is missing or cannot be loaded. Resources stay mapped for the life of
// the module, so the span never dangles.
inline std::span<const std::uint8_t> ResourceBytes(HMODULE module, HRSRC info) {
    if (info == nullptr) return {};
    HGLOBAL handle = LoadResource(module, info);
    if (handle == nullptr) return {};
    const void* data = LockResource(handle);
    if (data == nullptr) return {};
    return {static_cast<const std::uint8_t*>(data), SizeofResource(module, info)};
}

}  // namespace zentra
