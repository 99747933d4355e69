#pragma once

// UTF-8 (the core's text) to and from UTF-16 (the Windows API's).

#include <string>
#include <string_view>

namespace bt::win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

} // namespace bt::win32
