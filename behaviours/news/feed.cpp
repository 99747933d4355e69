#include "behaviours/news/feed.h"

#include "base/numbers.h"
#include "base/text_lines.h"

namespace bt {

std::string normaliseFeed(std::string_view body, std::string_view token) {
    return replaceAll(body, token, "\r\n");
}

std::vector<std::string> splitFeed(std::string_view normalised) {
    std::vector<std::string> lines = splitCrLf(normalised);
    if (lines.size() > kFeedLines)
        lines.resize(kFeedLines);
    return lines;
}

std::string substituteNewsText(std::string_view caption) {
    return replaceAll(replaceAll(caption, "%br%", "\r\n"), "%tab%", "        ");
}

std::optional<double> feedNumber(std::string_view value) {
    return parseNumber(value, '.');
}

std::optional<bool> feedBoolean(std::string_view value) {
    auto equalsNoCase = [&](std::string_view word) {
        if (value.size() != word.size())
            return false;
        for (std::size_t i = 0; i < word.size(); ++i) {
            char c = value[i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            if (c != word[i])
                return false;
        }
        return true;
    };
    if (equalsNoCase("true"))
        return true;
    if (equalsNoCase("false"))
        return false;
    if (const auto n = feedNumber(value))
        return *n != 0.0;
    return std::nullopt;
}

} // namespace bt
