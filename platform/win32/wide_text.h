#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

// The core's texts are UTF-8; the wide Win32 API takes UTF-16. Invalid UTF-8 becomes U+FFFD
// instead of an empty text, so a box never goes blank for one bad byte.
std::wstring to_wide(std::string_view utf8);
std::string to_utf8(std::wstring_view utf16);

}  // namespace platform::win32
