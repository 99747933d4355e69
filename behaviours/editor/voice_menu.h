#pragma once

// The game's voice menu as the program knows it: v, a menu digit, a message digit.

#include <optional>
#include <string_view>

namespace bt {

enum class Variant { CallOfDuty = 1, UnitedOffensive = 2 };

// Answers for menus and messages outside a variant's range are 0 or empty: the editor never asks
// for such a pair, and a hostile bind file must not be able to make a lookup fail.
int menuCount(Variant variant);
int messageCount(Variant variant, int menu);
std::string_view menuName(int menu);
std::string_view messageText(Variant variant, int menu, int message);

// A list item's single digit as a number; nullopt for anything else (an empty text included).
std::optional<int> digitValue(std::string_view text);

} // namespace bt
