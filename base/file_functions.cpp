#include "base/file_functions.h"

#include "base/platform.h"
#include "base/texts.h"

namespace bt {

std::optional<std::string> readSmallFile(Platform& platform, std::string_view name,
                                         std::size_t maxBytes) {
    if (platform.fileLength(name) <= 0)
        return std::nullopt;
    return platform.readFile(name, maxBytes);
}

bool replaceFileOrTell(Platform& platform, std::string_view name, std::string_view contents,
                       std::string_view what, std::string_view advice) {
    const FileWriteResult result = platform.replaceFile(name, contents);
    if (!result.ok) {
        std::string message = "Your " + std::string(what) + " could not be saved to the file \"" +
                              std::string(name) + "\": " + result.error + ".";
        if (!advice.empty())
            message += "\r\n" + std::string(advice);
        platform.messageBox(message, kBoxTitle);
    }
    return result.ok;
}

} // namespace bt
