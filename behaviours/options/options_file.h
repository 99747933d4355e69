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

#include "base/options.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace bt {

class Files;

// An options file is a few short lines; a damaged one is read no further than this.
constexpr std::size_t kMaxOptionsFileBytes = 16384;

Options parseOptions(std::string_view text);
std::string formatOptions(const Options& options);

class OptionsFile {
  public:
    explicit OptionsFile(Files& files) : files_(files) {}

    Options load();
    // Replaces the file as a whole; the error in words when that failed, else empty.
    std::string save(const Options& options);

  private:
    Files& files_;
};

} // namespace bt
