#pragma once

// Typing into the window that has the focus, as a keyboard would.

#include "base/keys.h"

#include <vector>

namespace bt {

// What became of one key the program typed.
enum class TypeResult {
    Typed,      // handed to the system, which takes it to the focused window
    Refused,    // the system would not take it (it inserted none of it, or the desktop refused)
    Impossible, // this keyboard cannot make it (no key of the layout has it, and none is free)
};

struct TypeOutcome {
    TypeResult result = TypeResult::Typed;
    // The keys pressed to type it, as the trigger input names them: a desktop that types for the
    // program (a Wayland desktop's portal) hands them back as a real keyboard's, and they must
    // never count as the player's.
    std::vector<KeyCode> pressed;
};

class Typist {
  public:
    virtual ~Typist() = default;
    // Types one key into the focused window. Does not wait for it to be handled.
    virtual TypeOutcome typeKey(TypedKey key) = 0;
};

} // namespace bt
