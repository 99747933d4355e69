#pragma once

// The file "options" beside "binds" and "keys": the player's settings, one "name = value" line
// each, written as a whole whenever one changes; "binds" never changes for it.
//
//   only-in-game = yes        (or no: the default) messages are typed only into a game
//   game-program = NAME       a program that counts as the game too; one line each
//   tray-notice-shown = yes   the notice that the program keeps running in the tray was shown
//                             (written only once it was)
//
// Read leniently: blank lines and lines starting with # are passed over, names and values are
// trimmed, yes and no in any case; a line that cannot be read, a value that is neither, a missing
// or unreadable file leave the default. Lines with a name this build does not know are kept and
// written back as they came.
//
// Every change is written here, whoever makes it, so that a write that fails has one outcome: the
// options hold until the program ends, and the player is told so once a run by the system's
// notification. Many writes come while the game is in front (a lesson from a press made there, the
// tray's notice once the window is put away), where a box would take the focus from the game; and
// the player who ticked a box in the main window sees the notification there too.

#include "base/options.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace bt {

class Files;
class Notices;

// An options file is a few short lines; a damaged one is read no further than this.
constexpr std::size_t kMaxOptionsFileBytes = 16384;

Options parseOptions(std::string_view text);
std::string formatOptions(const Options& options);

class OptionsFile {
  public:
    OptionsFile(Files& files, Notices& notices) : files_(files), notices_(notices) {}

    Options load();
    // Replaces the file as a whole; a failure is told as above.
    void save(const Options& options);

  private:
    Files& files_;
    Notices& notices_;
    bool toldFailure_ = false;
};

} // namespace bt
