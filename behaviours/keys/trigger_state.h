#pragma once

// The trigger keys, in one place: which key fires each slot, the key choice in progress, and what
// the platform reports down. The chooser changes the keys and the choice, the voice keys feed in
// the key events and take the slots; both read it here and keep no copy.
//
// Taking the keys answers, for all ten slots at once, "its key is down now, or was pressed since
// the last take": a tap between two takes is never lost, and no slot's answer depends on the order
// in which the others are read. A slot is down only while its key is: nothing can hold it down
// once the key is up. A key fires nothing, until it has been released, when it was down as its
// slot changed, when it was down as a key choice began, or when it was pressed during a choice (the
// choice takes those keys); a press of a slot whose key changes before its start is dropped.

#include "base/bind_profile.h"
#include "base/keys.h"
#include "base/trigger_keys.h"

#include <array>
#include <bitset>
#include <optional>
#include <vector>

namespace bt {

class TriggerInput;

// A few keys (those down at one time), compared by code.
class KeySet {
  public:
    KeySet() { keys_.reserve(16); }
    bool contains(KeyCode key) const;
    void insert(KeyCode key);
    void erase(KeyCode key);
    template <typename Predicate>
    void eraseIf(Predicate p) {
        std::erase_if(keys_, p);
    }
    const std::vector<KeyCode>& keys() const { return keys_; }

  private:
    std::vector<KeyCode> keys_;
};

class TriggerState {
  public:
    using Slots = std::bitset<kSlotCount>;

    explicit TriggerState(const TriggerInput& input) : input_(input) {}

    // The keys the player chose; a slot without one has its keypad key.
    const TriggerKeys& chosen() const { return chosen_; }
    // The key that fires the slot.
    KeyCode keyOf(int slot) const;
    // The slot the key fires, or -1.
    int slotOf(KeyCode key) const;
    // New keys, from "keys" or a choice: a press of a slot whose key changes, still waiting for
    // its start, is dropped.
    void setKeys(const TriggerKeys& keys);

    // The slot whose key is being chosen. While one is, every key goes to the choice and none
    // fires; what is held as it begins fires nothing more.
    std::optional<int> choosing() const { return choosing_; }
    void beginChoice(int slot);
    void endChoice();

    // True when the press fires its slot at the next take.
    bool press(KeyCode key);
    void release(KeyCode key);
    // The press of this key is not to fire, now or later: the key is silent until released.
    void dropPress(KeyCode key);
    // Nothing down or pressed so far fires any more: every key down is silent until released.
    void dropAll();

    // Spends the "pressed since" part.
    Slots take();
    // Nothing down and nothing pressed since the last take: a take now would find nothing.
    bool idle() const { return (downSlots() | latched_).none(); }

  private:
    Slots downSlots() const;
    // Keys that fire no slot are not watched: their state would only go stale.
    void forgetKeysThatFireNothing();

    const TriggerInput& input_;
    TriggerKeys chosen_;
    std::optional<int> choosing_;
    KeySet down_;
    KeySet silent_; // down, but firing nothing until released
    Slots latched_;
};

} // namespace bt
