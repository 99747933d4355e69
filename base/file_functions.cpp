#include "base/file_functions.h"

#include "base/platform.h"

namespace bt {

std::optional<std::string> readSmallFile(Platform& platform, std::string_view name,
                                         std::size_t maxBytes) {
    if (platform.fileLength(name) <= 0)
        return std::nullopt;
    return platform.readFile(name, maxBytes);
}

} // namespace bt
