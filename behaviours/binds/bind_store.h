#pragma once

// The bind profile kept in the file "binds" in the working directory: read at start-up, written by
// Save.

#include "base/bind_profile.h"
#include "behaviours/binds/binds_codec.h"

namespace bt {

class Dialogs;
class Files;

class BindStore {
  public:
    BindStore(Files& files, Dialogs& dialogs) : files_(files), dialogs_(dialogs) {}

    // The profile the file restores; without a usable file (missing, empty, unreadable) every
    // slot is menu 1, message 1 and no game is chosen, as after a first start. Nothing is
    // written.
    BindProfile load();
    // Replaces the file as a whole, so a crash or a full disk never leaves half a file. A failure
    // is told to the player; the bindings stay set in the window either way.
    void save(const BindProfile& profile);

  private:
    Files& files_;
    Dialogs& dialogs_;
    BindsCodec codec_;
};

} // namespace bt
