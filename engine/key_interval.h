#pragma once

// The key interval is held as the text the user typed ("250.5" stays "250.5"); these read it.

#include <cstdint>
#include <optional>
#include <string_view>

namespace bt {

constexpr int kMinInterval = 100;
constexpr int kMaxInterval = 1000;

// The numeric value of a typed number: optional blanks, an optional sign, digits with at most one
// decimal separator (the user's), optional blanks. nullopt for anything else, "abc" and ""
// included. Does not allocate.
std::optional<double> parseNumber(std::string_view text, char decimalSeparator);

// The nearest whole number, halves going to the even neighbour (250.5 -> 250, 251.5 -> 252);
// nullopt when it does not fit the range.
std::optional<std::int32_t> roundHalfEven32(double value);
std::optional<std::int16_t> roundHalfEven16(double value);

} // namespace bt
