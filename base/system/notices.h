#pragma once

// What the program tells the player by itself, with the system's own notification (a tray balloon
// on Windows, the desktop's notification on Linux): never a box, which would take the focus from
// a game in front. Each system words the notice for itself.

namespace bt {

enum class Notice {
    // The window went into the tray for the first time: the program keeps running there, and this
    // is how to bring it back.
    KeepsRunningInTray,
    // The game in front runs with more rights than this program (as administrator): the system
    // keeps its keys from the program, which must be started the same way.
    GameRunsElevated,
    // The desktop asked whether the program may control the keyboard, and the player said no (or
    // the desktop could not ask): the keys will not reach the game until it is allowed.
    TypingRefused,
    // The desktop could not ask the player, or gave no keyboard: the keys will not reach the game
    // in this run.
    TypingUnavailable,
    // The desktop took back its leave to type (or its service went away) while the program ran.
    TypingTakenBack,
    // A message could not be typed: the system refused a key or the keyboard cannot make it.
    KeysNotTyped,
    // The file "options" could not be written: the player's options hold until the program ends.
    OptionsNotSaved,
};

class Notices {
  public:
    virtual ~Notices() = default;
    virtual void notify(Notice notice) = 0;
};

} // namespace bt
