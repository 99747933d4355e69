#pragma once

// Numbers as people and files write them: the key interval as typed, feed values, bind file lines.

#include <cstdint>
#include <optional>
#include <string_view>

namespace bt {

// The numeric value of a typed number: optional blanks, an optional sign, digits with at most one
// decimal separator (the user's), optional blanks. nullopt for anything else, "abc" and ""
// included. Does not allocate.
std::optional<double> parseNumber(std::string_view text, char decimalSeparator);

// The nearest whole number, halves going to the even neighbour (250.5 -> 250, 251.5 -> 252);
// nullopt when it does not fit the range.
std::optional<std::int32_t> roundHalfEven32(double value);

// A signed decimal 16-bit integer, blanks around it allowed; nullopt for anything else.
std::optional<std::int16_t> parseInt16(std::string_view text);

} // namespace bt
