#pragma once

// The "binds" format: line 1 the variant field, lines 2..21 the selected index of Combo1..Combo20,
// every line ended by CR LF; the writer adds one more CR LF.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bt {

constexpr int kBindLines = 21;
// No bind file can be longer: a variant field of a few characters and twenty short numbers. A
// line 1 copied from a damaged file and saved back is kept within this too.
constexpr std::size_t kMaxBindFileBytes = 4096;

struct BindValues {
    std::string variant;
    // Index k-1 holds the value for Combo k; nullopt where the line is missing or not a 16-bit
    // integer, so that list keeps what it has.
    std::array<std::optional<std::int16_t>, 20> indices{};
};

std::string buildBindText(std::string_view variant, const std::array<int, 20>& indices);

// Splits at CR LF, and at LF alone, which a file edited by hand on Linux has.
BindValues parseBindText(std::string_view text);

// A signed decimal 16-bit integer, blanks around it allowed; nullopt for anything else.
std::optional<std::int16_t> parseInt16(std::string_view text);

} // namespace bt
