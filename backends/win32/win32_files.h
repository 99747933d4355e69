#pragma once

// The program's files ("binds", "data") on Windows, relative to the working directory.

#include "base/platform.h"

namespace bt::win32 {

std::int64_t fileLength(std::string_view name);
std::optional<std::string> readFile(std::string_view name, std::size_t maxBytes);
// A temporary file in the same folder, flushed to disk, then moved over the old one in one step.
FileWriteResult replaceFile(std::string_view name, std::string_view contents);

} // namespace bt::win32
