#include "behaviours/news/feed.h"

#include "base/numbers.h"
#include "base/text_lines.h"

#include <algorithm>

namespace bt {

std::string normaliseFeed(std::string_view body, std::string_view token) {
    return replaceAll(body, token, "\r\n");
}

std::vector<std::string> splitFeed(std::string_view normalised) {
    std::vector<std::string> lines = splitCrLf(normalised);
    lines.resize(std::min(lines.size(), kFeedLines)); // lines past the last one mean nothing
    return lines;
}

std::string substituteNewsText(std::string_view caption) {
    return replaceAll(replaceAll(caption, "%br%", "\r\n"), "%tab%", "        ");
}

std::optional<double> feedNumber(std::string_view value) {
    return parseNumber(value, '.');
}

std::optional<bool> feedBoolean(std::string_view value) {
    if (equalsIgnoringCase(value, "true"))
        return true;
    if (equalsIgnoringCase(value, "false"))
        return false;
    if (const auto n = feedNumber(value))
        return *n != 0.0;
    return std::nullopt;
}

} // namespace bt
