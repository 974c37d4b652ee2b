// Text inside the program is UTF-8; the system's W functions take UTF-16. These convert at that
// boundary, so that file names and registry values outside the ANSI code page come through whole.
#pragma once

#include <string>
#include <string_view>

namespace zentra::win32 {

// Invalid UTF-8 becomes U+FFFD; embedded NULs are kept.
std::wstring ToUtf16(std::string_view utf8);
// Unpaired surrogates become U+FFFD; embedded NULs are kept.
std::string ToUtf8(std::wstring_view utf16);

}  // namespace zentra::win32
