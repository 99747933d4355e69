#pragma once

// Choosing a slot's trigger key. A click on the slot's key label asks for a key; the next key the
// player presses in the window becomes the slot's trigger. Escape cancels, Delete or Backspace
// gives the slot its keypad key back. A key another slot has chosen moves to this one, and the
// other slot gets its keypad key back. A keypad key its own slot still uses is refused ("Numpad 5
// is taken"): moving it would leave that slot with no key at all, so a message would quietly stop
// working. Keys the program types itself and modifiers on their own are refused too, each with a
// word in the label's place, and the choice goes on. The middle button or a side button of the
// mouse is chosen as a key is; the left and right buttons and the wheel, which click and scroll
// the window, pass without a word.

#include "behaviours/keys/keys_file.h"

#include <functional>
#include <optional>
#include <string>

namespace bt {

class Dialogs;
class Files;
class TriggerInput;
class TriggerState;

class KeyChooser {
  public:
    // onChange runs after every change of the keys, of whether a key is being chosen, or of what
    // the labels say.
    KeyChooser(const TriggerInput& input, Files& files, Dialogs& dialogs, TriggerState& triggers,
               std::function<void()> onChange);

    // Restores the keys from "keys".
    void load();

    void begin(int slot);
    // A key or button the platform reported going down while the choice is pending (never one
    // with Alt, which works the window).
    void keyPressed(KeyCode code);
    // Ends a pending choice as Escape does; nothing changes.
    void cancel();

    // What the slot's key label says.
    std::string label(int slot) const;

  private:
    void choose(int slot, std::optional<KeyCode> key);
    void end();
    std::optional<std::string> refusal(const PressedKey& key) const;

    const TriggerInput& input_;
    TriggerState& triggers_;
    KeysFile file_;
    std::function<void()> onChange_;
    std::string refusal_; // the word on a key the pending choice refused
};

} // namespace bt
