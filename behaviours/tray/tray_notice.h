#pragma once

// The first time the window goes into the tray the player is told, with the system's own
// notification, that the program keeps running there and how to bring it back; "options"
// remembers it, so it does not come at every start. A failed write only means it comes again.

#include "base/options.h"

namespace bt {

class Files;
class Notices;

class TrayNotice {
  public:
    TrayNotice(Notices& notices, Files& files, Options& options)
        : notices_(notices), files_(files), options_(options) {}

    void wentIntoTray();

  private:
    Notices& notices_;
    Files& files_;
    Options& options_;
};

} // namespace bt
