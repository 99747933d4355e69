#pragma once

// UTF-8 (the core's text) to and from UTF-16 (the Windows API's), and the system's words for an
// error code.

#include <string>
#include <string_view>

namespace bt::win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);
// FormatMessage's text for a system error code, without its closing full stop.
std::string systemMessage(unsigned long error);

} // namespace bt::win32
