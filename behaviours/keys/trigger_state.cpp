#include "behaviours/keys/trigger_state.h"

#include <algorithm>

namespace bt {

bool KeySet::contains(KeyCode key) const {
    return std::find(keys_.begin(), keys_.end(), key) != keys_.end();
}

void KeySet::insert(KeyCode key) {
    if (!contains(key))
        keys_.push_back(key);
}

void KeySet::erase(KeyCode key) {
    std::erase(keys_, key);
}

namespace {

// Removes one of the key's entries; true when there was one.
bool removeOne(std::vector<KeyCode>& keys, KeyCode key) {
    const auto it = std::find(keys.begin(), keys.end(), key);
    if (it == keys.end())
        return false;
    keys.erase(it);
    return true;
}

} // namespace

int TriggerState::slotOf(KeyCode key) const {
    for (const int slot : kSlots)
        if (keys_[static_cast<std::size_t>(slot)] == key)
            return slot;
    return -1;
}

void TriggerState::update(const Keys& keys, bool choosing) {
    // Keys change only as a choice ends, when every key down is silent already; a press still
    // waiting for its start is dropped where its slot's key changes.
    for (const int slot : kSlots)
        if (keys[static_cast<std::size_t>(slot)] != keys_[static_cast<std::size_t>(slot)])
            latched_.reset(static_cast<std::size_t>(slot));
    keys_ = keys;
    if (choosing && !choosing_) {
        // The window takes the keyboard: what is held now fires nothing more.
        for (const KeyCode key : down_.keys())
            silent_.insert(key);
    }
    if (choosing != choosing_)
        unclaimedPresses_.clear();
    choosing_ = choosing;
    if (!choosing_)
        forgetKeysThatFireNothing();
}

void TriggerState::takenByWindow(KeyCode key) {
    if (choosing_ && !removeOne(unclaimedPresses_, key))
        takenAhead_.push_back(key); // its press is still on its way, and is the window's
}

bool TriggerState::press(KeyCode key) {
    const int slot = slotOf(key);
    if (!choosing_ && slot < 0)
        return false;
    down_.insert(key);
    if (removeOne(takenAhead_, key)) {
        silent_.insert(key);
        return false;
    }
    if (choosing_) {
        unclaimedPresses_.push_back(key);
        silent_.insert(key);
        return false;
    }
    if (silent_.contains(key))
        return false;
    latched_.set(static_cast<std::size_t>(slot));
    return true;
}

void TriggerState::release(KeyCode key) {
    down_.erase(key);
    silent_.erase(key);
    // A press the window took that the system had reported before the choice began (or not at
    // all) is not on its way any more: the next press of the key is the player's own.
    std::erase(takenAhead_, key);
}

void TriggerState::dropPress(KeyCode key) {
    if (!down_.contains(key))
        return;
    silent_.insert(key);
    if (const int slot = slotOf(key); slot >= 0)
        latched_.reset(static_cast<std::size_t>(slot));
}

void TriggerState::dropAll() {
    for (const KeyCode key : down_.keys())
        silent_.insert(key);
    latched_.reset();
}

TriggerState::Slots TriggerState::downSlots() const {
    Slots slots;
    for (const int slot : kSlots) {
        const KeyCode key = keys_[static_cast<std::size_t>(slot)];
        if (down_.contains(key) && !silent_.contains(key))
            slots.set(static_cast<std::size_t>(slot));
    }
    return slots;
}

TriggerState::Slots TriggerState::take() {
    const Slots pressed = downSlots() | latched_;
    latched_.reset();
    return pressed;
}

void TriggerState::forgetKeysThatFireNothing() {
    const auto firesNothing = [this](KeyCode key) { return slotOf(key) < 0; };
    down_.eraseIf(firesNothing);
    silent_.eraseIf(firesNothing);
    std::erase_if(takenAhead_, firesNothing);
}

} // namespace bt
