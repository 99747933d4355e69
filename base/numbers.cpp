#include "base/numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace bt {

namespace {

// The text without the blanks around it, which are the player's and not part of a number.
std::string_view trimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

template <typename Int>
std::optional<Int> roundHalfEven(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    if (whole < static_cast<double>(std::numeric_limits<Int>::min()) ||
        whole > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(whole);
}

} // namespace

std::optional<double> parseNumber(std::string_view text, char decimalSeparator) {
    text = trimBlanks(text);
    // Copy into a fixed buffer with '.' as the separator, so the conversion is exact and does not
    // depend on the C library's locale. Longer texts are not numbers anyone types.
    std::array<char, 64> buffer{};
    if (text.size() > buffer.size())
        return std::nullopt;
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        const bool sign = i == 0 && (c == '-' || c == '+');
        if (sign && c == '+')
            continue;
        if (c == decimalSeparator)
            c = '.'; // a second one leaves from_chars short of the end: no number
        else if (!sign && (c < '0' || c > '9'))
            return std::nullopt;
        buffer[length++] = c;
    }
    // A sign or a separator alone leaves from_chars nothing to read: no number.
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(buffer.data(), buffer.data() + length, value);
    if (ec != std::errc() || ptr != buffer.data() + length)
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> roundHalfEven32(double value) {
    return roundHalfEven<std::int32_t>(value);
}

std::optional<std::int16_t> parseInt16(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    std::int16_t value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace bt
