#include "behaviours/news/declined_news.h"

#include "base/system/file_functions.h"
#include "base/text_lines.h"

namespace bt {

namespace {
// The stored identifier is one short line; a larger file is read no further than this.
constexpr std::size_t kMaxBytes = 64 * 1024;
} // namespace

std::string readDeclinedNews(Files& files) {
    const auto text = readSmallFile(files, kDeclinedNewsFile, kMaxBytes);
    return text ? splitCrLf(*text).front() : kDeclinedNewsFile;
}

void writeDeclinedNews(Files& files, Dialogs& dialogs, std::string_view newsId) {
    replaceFileOrTell(files, dialogs, kDeclinedNewsFile, std::string(newsId) + "\r\n",
                      "choice not to show this news again");
}

} // namespace bt
