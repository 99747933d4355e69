#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace bt {

class Platform;

enum class FileState { Missing, Empty, HasContent };

// Whether the file has something to read. A file whose length cannot be read (missing, a bad
// name, any other error) counts as missing. Never fails.
FileState fileState(Platform& platform, std::string_view name);

// The file's content, at most maxBytes of it: a file that is not what the caller expects (binary,
// megabytes) is read no further than the caller's format could reach. Empty when unreadable.
std::string fileText(Platform& platform, std::string_view name, std::size_t maxBytes);

} // namespace bt
