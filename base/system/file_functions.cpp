#include "base/system/file_functions.h"

#include "base/system/dialogs.h"
#include "base/system/files.h"
#include "base/texts.h"

namespace bt {

std::optional<std::string> readSmallFile(Files& files, std::string_view name,
                                         std::size_t maxBytes) {
    if (files.fileLength(name) <= 0)
        return std::nullopt;
    return files.readFile(name, maxBytes);
}

bool replaceFileOrTell(Files& files, Dialogs& dialogs, std::string_view name,
                       std::string_view contents, std::string_view what, std::string_view advice) {
    const FileWriteResult result = files.replaceFile(name, contents);
    if (!result.ok) {
        std::string message = "Your " + std::string(what) + " could not be saved to the file \"" +
                              std::string(name) + "\": " + result.error + ".";
        if (!advice.empty())
            message += "\r\n" + std::string(advice);
        dialogs.messageBox(message, kBoxTitle);
    }
    return result.ok;
}

} // namespace bt
