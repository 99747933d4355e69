#include "storage/bind_text.h"

#include <charconv>

namespace bt {

std::string buildBindText(std::string_view variant, const std::array<int, 20>& indices) {
    std::string text(variant);
    text += "\r\n";
    for (int index : indices) {
        text += std::to_string(index);
        text += "\r\n";
    }
    return text;
}

std::optional<std::int16_t> parseInt16(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    std::int16_t value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

BindValues parseBindText(std::string_view text) {
    BindValues values;
    std::size_t line = 0;
    std::size_t pos = 0;
    while (line < static_cast<std::size_t>(kBindLines)) {
        const std::size_t lf = text.find('\n', pos);
        std::string_view piece = text.substr(pos, lf == std::string_view::npos ? lf : lf - pos);
        if (!piece.empty() && piece.back() == '\r' && lf != std::string_view::npos)
            piece.remove_suffix(1);
        if (line == 0)
            values.variant = std::string(piece);
        else
            values.indices[line - 1] = parseInt16(piece);
        ++line;
        if (lf == std::string_view::npos)
            break;
        pos = lf + 1;
    }
    return values;
}

} // namespace bt
