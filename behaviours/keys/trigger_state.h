#pragma once

// The trigger keys as a message's start sees them, fed with the platform's key events by key code.
// This is where a key becomes a slot: the platform only reports keys.
//
// Taking the keys answers, for all ten slots at once, "its key is down now, or was pressed since
// the last take": a tap between two takes is never lost, and no slot's answer depends on the order
// in which the others are read. A slot is down only while its key is: nothing can hold it down
// once the key is up. A key fires nothing, until it has been released, when it was down as its
// slot changed, when it was down as a key choice began, or when it was pressed during a choice (the
// window takes those keys); a press of a slot whose key changes before its start is dropped.

#include "base/bind_profile.h"
#include "base/keys.h"

#include <array>
#include <bitset>
#include <vector>

namespace bt {

// A few keys (those down at one time), compared by code.
class KeySet {
  public:
    KeySet() { keys_.reserve(16); }
    bool contains(KeyCode key) const;
    void insert(KeyCode key);
    void erase(KeyCode key);
    void clear() { keys_.clear(); }
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
    using Keys = std::array<KeyCode, kSlotCount>;

    // The key of each slot, and whether a key choice is pending. Changed in one step: the keys a
    // choice gives and its end come together.
    void update(const Keys& keys, bool choosing);
    // The main window took this key for a key choice. When its press has not been reported yet,
    // the press is the window's when it comes, and fires nothing.
    void takenByWindow(KeyCode key);

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
    int slotOf(KeyCode key) const;
    Slots downSlots() const;
    // Keys that fire no slot are not watched: their state would only go stale.
    void forgetKeysThatFireNothing();

    Keys keys_{};
    KeySet down_;
    KeySet silent_; // down, but firing nothing until released
    // The window's key events and the platform's come by different ways, in either order: each
    // press the window takes for a choice is matched with one the platform reports.
    std::vector<KeyCode> unclaimedPresses_; // reported during the choice, not taken yet
    std::vector<KeyCode> takenAhead_;       // taken by the window, not reported yet
    Slots latched_;
    bool choosing_ = false;
};

} // namespace bt
