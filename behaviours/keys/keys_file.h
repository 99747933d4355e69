#pragma once

// The file "keys" beside "binds": which key fires each slot, one line per slot from Numpad 0. A
// line says "keypad" for the slot's keypad key, or names a chosen key by the system its code
// belongs to, the code, and for whoever reads the file the key's name: "x11 71 F5". A mouse button
// is "mouse", its number and its name, "mouse 4 Mouse 4", the same on every system; no key code
// reads so, and builds from before buttons take such a line as the keypad key. The file is
// written as a whole whenever a key is chosen or given back; "binds" never changes for it.

#include "base/trigger_keys.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace bt {

class Dialogs;
class Files;
class TriggerInput;

// A keys file is ten short lines; a damaged one is read no further than this.
constexpr std::size_t kMaxKeysFileBytes = 4096;

// The codes the text names, line by line, for the given system; a line that does not name one
// cleanly leaves its slot on the keypad.
TriggerKeys parseKeys(std::string_view text, std::string_view system);

// Settles keys that cannot stand together: of two slots on one key the later gives way, and a
// chosen key that is the keypad key of a slot keeping its own gives way; a slot that gives way
// goes back to its keypad key, which may make another give way in turn.
void settleKeys(TriggerKeys& keys, const TriggerInput& input);

class KeysFile {
  public:
    KeysFile(const TriggerInput& input, Files& files, Dialogs& dialogs)
        : input_(input), files_(files), dialogs_(dialogs) {}

    // The keys the file names that this keyboard has and that can fire a slot: not a key the
    // program types or a modifier, not the left or right button or the wheel, not a key an earlier
    // slot has, not the keypad key of a slot that keeps it. Every other slot, and every slot
    // without a usable file, keeps its keypad key; nothing is said about it.
    TriggerKeys load();
    // Replaces the file as a whole; a failure is told to the player, the keys stay chosen.
    void save(const TriggerKeys& keys);

  private:
    const TriggerInput& input_;
    Files& files_;
    Dialogs& dialogs_;
};

} // namespace bt
