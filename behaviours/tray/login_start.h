#pragma once

// The box that makes the program start with the desktop, into the tray. What it shows is the
// system's own entry, read again whenever it may have changed: ticked exactly while an entry
// starts this program. An entry that starts another copy (an older build, a moved folder) leaves
// it clear, and ticking it writes ours over that one. A write the system refuses is told in a box
// (the player is in the main window), and the box stays as the entry is.

#include <string>

namespace bt {

class Autostart;
class Dialogs;

class LoginStart {
  public:
    LoginStart(Autostart& autostart, Dialogs& dialogs) : autostart_(autostart), dialogs_(dialogs) {}

    // Whether the box is ticked: an entry starts this program at login.
    bool on();
    std::string caption() const;
    // The player ticked or cleared the box: the entry is written or removed.
    void set(bool on);

  private:
    Autostart& autostart_;
    Dialogs& dialogs_;
};

} // namespace bt
