#pragma once

// The game's voice menu as the program knows it: v, a menu digit, a message digit.

#include <string>
#include <string_view>
#include <vector>

namespace bt {

enum class Game { CallOfDuty, UnitedOffensive };

// Answers for menus and messages outside a game's range are 0 or empty, so no lookup can fail.
int menuCount(Game game);
int messageCount(Game game, int menu);
std::string_view menuName(int menu);
std::string_view messageText(Game game, int menu, int message);

// Whether the game's voice menu has this menu, and this message in it.
inline bool hasMessage(Game game, int menu, int message) {
    return message >= 1 && message <= messageCount(game, menu);
}

// What a slot's lists offer: each menu's number and name ("1 Commands"), each message's number and
// text ("1 Follow me!"). The entry at index i is number i + 1, so the entry picked is the digit
// typed.
const std::vector<std::string>& menuItems(Game game);
const std::vector<std::string>& messageItems(Game game, int menu);

} // namespace bt
