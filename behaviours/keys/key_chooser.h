#pragma once

// Choosing a slot's trigger key. A click on the slot's key label asks for a key; the next key the
// player presses in the window becomes the slot's trigger. Escape cancels, Delete or Backspace
// gives the slot its keypad key back. A key another slot has chosen moves to this one, and the
// other slot gets its keypad key back. A keypad key its own slot still uses is refused ("Numpad 5
// is taken"): moving it would leave that slot with no key at all, so a message would quietly stop
// working. Keys the program types itself and modifiers on their own are refused too, each with a
// word in the label's place, and the choice goes on.

#include "base/trigger_keys.h"
#include "behaviours/keys/keys_file.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace bt {

class Dialogs;
class Files;
class Keyboard;

class KeyChooser {
  public:
    // onChange runs after every change of the keys, of whether a key is being chosen, or of what
    // the labels say.
    KeyChooser(const Keyboard& keyboard, Files& files, Dialogs& dialogs, TriggerKeys& keys,
               std::function<void()> onChange);

    // Restores the keys from "keys".
    void load();

    void begin(int slot);
    void keyPressed(KeyCode code);
    // Ends a pending choice as Escape does; nothing changes.
    void cancel();
    // The slot whose key is being chosen.
    std::optional<int> choosing() const { return choosing_; }

    // What the slot's key label says.
    std::string label(int slot) const;
    // The key that fires each slot, as the platform watches them.
    std::array<KeyCode, kSlotCount> effectiveKeys() const;

  private:
    void choose(int slot, std::optional<KeyCode> key);
    void end();
    std::optional<std::string> refusal(const PressedKey& key) const;

    const Keyboard& keyboard_;
    TriggerKeys& keys_;
    KeysFile file_;
    std::function<void()> onChange_;
    std::optional<int> choosing_;
    std::string refusal_;
};

} // namespace bt
