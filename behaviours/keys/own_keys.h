#pragma once

// The keys the program types itself. A desktop that types for the program (a Wayland desktop's
// portal) hands them back to it as a real keyboard's, indistinguishable from the player's: each
// key pressed to type is expected back once down and once up, for a while, and those events are
// the program's own, never a press of the player's.

#include "base/keys.h"

#include <vector>

namespace bt {

struct KeyEvent;

class OwnKeys {
  public:
    // How long after typing a key its events may still come back: a desktop's round trip is
    // milliseconds; a player pressing the same key later is the player's.
    static constexpr Millis kEchoWait = 1000;

    // True when a key was typed that never was before: the platform must report it from now on,
    // or its way back would go unseen and its press be taken later for the player's.
    bool typed(const std::vector<KeyCode>& keys, Millis at);
    // Whether the event is one of those keys coming back; it is then spent.
    bool isEcho(const KeyEvent& event);
    // Every key the program has typed with (v, the digits, Shift: a handful).
    const std::vector<KeyCode>& keys() const { return keys_; }

  private:
    struct Expected {
        KeyCode key;
        Millis until;
        bool down = false; // its key-down came back; its key-up is awaited
    };
    std::vector<Expected> expected_;
    std::vector<KeyCode> keys_;
};

} // namespace bt
