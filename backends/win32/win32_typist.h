#pragma once

// Typing for the Windows program: SendInput with the virtual key and its scan code (games that
// read scan codes or Raw Input ignore a key without one), and Shift where the layout needs it
// (AZERTY digits).

#include "base/system/typist.h"

namespace bt::win32 {

class Win32Typist : public Typist {
  public:
    TypeOutcome typeKey(TypedKey key) override;
};

} // namespace bt::win32
