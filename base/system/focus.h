#pragma once

// The window that has the keyboard focus, as the program needs to know it: which program it belongs
// to. Asked at the moment it matters (a trigger press, each key typed), never watched: a quick
// question to the system that does not wait for anything.

#include <functional>
#include <string>
#include <vector>

namespace bt {

struct FocusedWindow {
    // The names its program goes by, the most particular first (the program's file name, then
    // whatever else the system says of it); none when the system cannot tell.
    std::vector<std::string> programNames;
    // One of this program's own windows.
    bool ours = false;
    // Its program runs with more rights than this one (a game started as administrator): the
    // system keeps its keys from this program, and drops the keys typed into it.
    bool aboveUs = false;
};

class Focus {
  public:
    virtual ~Focus() = default;
    virtual FocusedWindow focusedWindow() = 0;
    // Where a window in front can keep its keys from this program (Windows, for a program with
    // more rights), runs moved each time another window comes to the front, since no key press
    // would tell; elsewhere nothing ever needs it.
    virtual void watchMoves(std::function<void()> moved) = 0;
};

} // namespace bt
