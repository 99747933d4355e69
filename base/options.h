#pragma once

// The player's settings beside the bindings, as "options" keeps them.

#include <string>
#include <vector>

namespace bt {

struct Options {
    // Messages are typed only while a game's window has the keyboard focus.
    bool onlyInGame = false;
    // Programs the player counts as the game besides the known ones (a patched, modded or renamed
    // game), by file name.
    std::vector<std::string> gamePrograms;
    // Lines of the file this build does not know (a newer build's settings, say), written back as
    // they were read so that they survive a change made here.
    std::vector<std::string> otherLines;
    // The player has been told once that the program keeps running in the tray.
    bool trayNoticeShown = false;
    friend bool operator==(const Options&, const Options&) = default;
};

} // namespace bt
