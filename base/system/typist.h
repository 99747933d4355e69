#pragma once

// Typing into the window that has the focus, as a keyboard would.

#include "base/keys.h"

namespace bt {

class Typist {
  public:
    virtual ~Typist() = default;
    // Types one key into the focused window. Does not wait for it to be handled.
    virtual void typeKey(TypedKey key) = 0;
};

} // namespace bt
