#pragma once

// The "binds" format: line 1 the variant, lines 2..21 the selected index of the twenty slot lists
// in file order, every line ended by CR LF; the writer adds one more CR LF.

#include "base/slots.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bt {

// No bind file can be longer: a variant of a few characters and twenty short numbers. A line 1
// copied from a damaged file and saved back is kept within this too.
constexpr std::size_t kMaxBindFileBytes = 4096;

struct BindValues {
    std::string variant;
    // In file order; nullopt where the line is missing or not a 16-bit integer, so that list keeps
    // what it has.
    std::array<std::optional<std::int16_t>, kFileOrder.size()> indices{};
};

std::string buildBindText(std::string_view variant,
                          const std::array<int, kFileOrder.size()>& indices);

// Splits at CR LF, and at LF alone, which a file edited by hand on Linux has.
BindValues parseBindText(std::string_view text);

} // namespace bt
