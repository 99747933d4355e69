#pragma once

// Starting with the desktop: the system's own entry that starts the program, into the tray, when
// the player logs in (a value under the Run key on Windows, a desktop file in the autostart folder
// on Linux). The entry is the state: the program keeps nothing of it anywhere else.

#include <string>

namespace bt {

enum class AutostartEntry {
    None,    // nothing of ours starts at login
    Ours,    // the entry starts this program, from this folder, into the tray
    Another, // an entry under our name starts something else (an older build, a moved folder),
             // or the player turned it off in the desktop's settings
};

struct AutostartResult {
    bool ok = true;
    std::string error; // why it failed, in words for the player
};

class Autostart {
  public:
    virtual ~Autostart() = default;
    virtual AutostartEntry entry() = 0;
    // Writes the entry that starts this program from its files' folder into the tray, over any
    // other under our name.
    virtual AutostartResult write() = 0;
    // Removes the entry; none there is no failure.
    virtual AutostartResult remove() = 0;
    // What the system calls starting with the desktop, for the box: "Start with Windows".
    virtual std::string caption() const = 0;
};

} // namespace bt
