#pragma once

#include <string>
#include <string_view>

namespace bt {

// A response body as text: valid UTF-8 stays as it is; anything else is read as Windows-1252, the
// code page the server's pages were written in, and converted to UTF-8.
std::string bodyToText(std::string_view bytes);

bool isValidUtf8(std::string_view bytes);

} // namespace bt
