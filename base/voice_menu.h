#pragma once

// The game's voice menu as the program knows it: v, a menu digit, a message digit.

#include <string_view>

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

} // namespace bt
