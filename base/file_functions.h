#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace bt {

class Platform;

// The file's content, at most maxBytes of it (a file that is not what the caller expects, binary
// or megabytes, is read no further than the caller's format could reach); nullopt for a file that
// is missing or empty, whose length cannot be read, or that cannot be read at all. Never fails.
std::optional<std::string> readSmallFile(Platform& platform, std::string_view name,
                                         std::size_t maxBytes);

} // namespace bt
