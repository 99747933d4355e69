#include "behaviours/news/declined_news.h"

#include "base/file_functions.h"
#include "base/platform.h"
#include "base/text_lines.h"

namespace bt {

namespace {
// The stored identifier is one short line; a larger file is read no further than this.
constexpr std::size_t kMaxBytes = 64 * 1024;
} // namespace

std::string readDeclinedNews(Platform& platform) {
    const auto text = readSmallFile(platform, kDeclinedNewsFile, kMaxBytes);
    return text ? std::string(*lineAt(*text, 0)) : kDeclinedNewsFile;
}

void writeDeclinedNews(Platform& platform, std::string_view newsId) {
    replaceFileOrTell(platform, kDeclinedNewsFile, std::string(newsId) + "\r\n",
                      "choice not to show this news again");
}

} // namespace bt
