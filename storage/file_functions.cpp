#include "storage/file_functions.h"

#include "platform/platform.h"

namespace bt {

std::int16_t FileExists(Platform& platform, std::string_view strFile) {
    const std::int64_t length = platform.fileLength(strFile);
    if (length == 0)
        return 0;
    return length > 0 ? 1 : -1;
}

std::string FileText(Platform& platform, std::string_view filename, std::size_t maxBytes) {
    auto content = platform.readFile(filename, maxBytes);
    return content ? std::move(*content) : std::string();
}

} // namespace bt
