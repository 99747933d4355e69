#include "base/file_functions.h"

#include "base/platform.h"

namespace bt {

FileState fileState(Platform& platform, std::string_view name) {
    const std::int64_t length = platform.fileLength(name);
    if (length < 0)
        return FileState::Missing;
    return length == 0 ? FileState::Empty : FileState::HasContent;
}

std::string fileText(Platform& platform, std::string_view name, std::size_t maxBytes) {
    return platform.readFile(name, maxBytes).value_or(std::string());
}

} // namespace bt
