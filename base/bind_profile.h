#pragma once

// What the player binds: the game, and for each of the ten slots the voice menu and the message
// that its key types. This is what the file "binds" stores.

#include "base/voice_menu.h"

#include <array>
#include <optional>

namespace bt {

// One slot per trigger key, numbered after its keypad key: slot k is Numpad k.
constexpr int kSlotCount = 10;
// The slots in order, to walk them without an index bound to get wrong.
constexpr std::array<int, kSlotCount> kSlots = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

// A voice menu (1..5) and a message in it (1..9), as the game numbers them.
struct Binding {
    int menu = 1;
    int message = 1;
    friend bool operator==(const Binding&, const Binding&) = default;
};

struct BindProfile {
    // Not chosen yet until the player picks a game or a file names one; the catalogue is then
    // Call of Duty 1 / 2's, the game the window starts with.
    std::optional<Game> game;
    std::array<Binding, kSlotCount> bindings{};

    Game catalogue() const { return game.value_or(Game::CallOfDuty); }
    friend bool operator==(const BindProfile&, const BindProfile&) = default;
};

} // namespace bt
