#pragma once

// The window that has the keyboard focus, as the program needs to know it: which program it belongs
// to. Asked at the moment it matters (a trigger press, each key typed), never watched: a quick
// question to the system that does not wait for anything.

#include <string>
#include <vector>

namespace bt {

struct FocusedWindow {
    // The names its program goes by, the most particular first (the program's file name, then
    // whatever else the system says of it); none when the system cannot tell.
    std::vector<std::string> programNames;
    // One of this program's own windows.
    bool ours = false;
};

class Focus {
  public:
    virtual ~Focus() = default;
    virtual FocusedWindow focusedWindow() = 0;
};

} // namespace bt
