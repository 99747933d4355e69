#include "behaviours/keys/trigger_state.h"

#include "base/system/trigger_input.h"

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

KeyCode TriggerState::keyOf(int slot) const {
    return chosen_.chosen[static_cast<std::size_t>(slot)].value_or(input_.keypadKey(slot));
}

int TriggerState::slotOf(KeyCode key) const {
    for (const int slot : kSlots)
        if (keyOf(slot) == key)
            return slot;
    return -1;
}

void TriggerState::setKeys(const TriggerKeys& keys) {
    for (const int slot : kSlots)
        if (keys.chosen[static_cast<std::size_t>(slot)] !=
            chosen_.chosen[static_cast<std::size_t>(slot)])
            latched_.reset(static_cast<std::size_t>(slot));
    chosen_ = keys;
    if (!choosing_)
        forgetKeysThatFireNothing();
}

void TriggerState::beginChoice(int slot) {
    // The choice takes the keyboard: what is held now fires nothing more.
    if (!choosing_)
        for (const KeyCode key : down_.keys())
            silent_.insert(key);
    choosing_ = slot;
}

void TriggerState::endChoice() {
    choosing_.reset();
    forgetKeysThatFireNothing();
}

bool TriggerState::press(KeyCode key) {
    const int slot = slotOf(key);
    if (!choosing_ && slot < 0)
        return false;
    down_.insert(key);
    if (choosing_) {
        silent_.insert(key); // the choice's, and once chosen, silent until released
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
        const KeyCode key = keyOf(slot);
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
}

} // namespace bt
