#pragma once

// Starting at login on a freedesktop desktop (GNOME, KDE, Xfce...): the desktop file
// com.brontek.tarnlow.desktop in $XDG_CONFIG_HOME/autostart (~/.config/autostart by default),
// which the session runs at login. Its Exec runs this very program with --tray, and with --folder
// naming the folder it keeps its files in now, since the session starts it in the home folder and
// the installed launcher's folder is the launcher's choice, not the program's.

#include "base/system/autostart.h"

#include <string>
#include <string_view>
#include <vector>

namespace bt::posix {

// An Exec value running these arguments: each quoted where the desktop file's rules ask, its
// percent signs doubled, then escaped as a desktop file's string.
std::string desktopExec(const std::vector<std::string>& args);

class XdgAutostart : public Autostart {
  public:
    // This process's program and working folder, and the environment's configuration folder.
    XdgAutostart();
    XdgAutostart(std::string configHome, std::string program, std::string folder);

    AutostartEntry entry() override;
    AutostartResult write() override;
    AutostartResult remove() override;
    std::string caption() const override { return "Start at login"; }

  private:
    std::string folder_;   // the autostart folder
    std::string path_;     // the entry in it
    std::string program_;  // this program
    std::string exec_;     // what its Exec says when it starts this program
    std::string unusable_; // why no entry can name this program, if so
};

} // namespace bt::posix
