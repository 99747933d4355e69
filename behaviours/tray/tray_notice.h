#pragma once

// The first time the window goes into the tray the player is told, with the system's own
// notification, that the program keeps running there and how to bring it back; "options"
// remembers it, so it does not come at every start. Where "options" cannot be written, it comes
// again at the next start.

#include "base/options.h"

namespace bt {

class Notices;
class OptionsFile;

class TrayNotice {
  public:
    TrayNotice(Notices& notices, OptionsFile& file, Options& options)
        : notices_(notices), file_(file), options_(options) {}

    void wentIntoTray();

  private:
    Notices& notices_;
    OptionsFile& file_;
    Options& options_;
};

} // namespace bt
