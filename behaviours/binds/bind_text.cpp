#include "behaviours/binds/bind_text.h"

#include "base/numbers.h"

namespace bt {

std::string buildBindText(std::string_view variant,
                          const std::array<int, kFileOrder.size()>& indices) {
    std::string text(variant);
    text += "\r\n";
    for (int index : indices) {
        text += std::to_string(index);
        text += "\r\n";
    }
    return text;
}

BindValues parseBindText(std::string_view text) {
    BindValues values;
    for (std::size_t line = 0; line <= kFileOrder.size(); ++line) {
        const std::size_t lf = text.find('\n');
        std::string_view piece = text.substr(0, lf);
        if (lf != std::string_view::npos && piece.ends_with('\r'))
            piece.remove_suffix(1);
        if (line == 0)
            values.variant = std::string(piece);
        else
            values.indices[line - 1] = parseInt16(piece);
        if (lf == std::string_view::npos)
            break;
        text.remove_prefix(lf + 1);
    }
    return values;
}

} // namespace bt
