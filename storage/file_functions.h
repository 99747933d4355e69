#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace bt {

class Platform;

// 1 when the file exists and has at least one byte, 0 when it is empty, -1 when its length cannot
// be read (missing, bad name, any other error). Never fails.
std::int16_t FileExists(Platform& platform, std::string_view strFile);

// The file's content, at most maxBytes of it: a file that is not what the caller expects (binary,
// megabytes) is read no further than the caller's format could reach. Empty when unreadable.
std::string FileText(Platform& platform, std::string_view filename, std::size_t maxBytes);

} // namespace bt
