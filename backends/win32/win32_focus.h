#pragma once

// Which program the foreground window belongs to: the file name of the process behind it.

#include "base/system/focus.h"

namespace bt::win32 {

class Win32Focus : public Focus {
  public:
    FocusedWindow focusedWindow() override;
};

} // namespace bt::win32
