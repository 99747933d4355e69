#include "behaviours/keys/voice_keys.h"

#include "base/platform.h"

namespace bt {

namespace {

// The highest slot of those pressed, or -1.
int highest(const TriggerState::Slots& pressed) {
    for (int slot = kSlotCount - 1; slot >= 0; --slot)
        if (pressed.test(static_cast<std::size_t>(slot)))
            return slot;
    return -1;
}

} // namespace

VoiceKeys::VoiceKeys(Platform& platform, const BindProfile& profile, const int& keyIntervalMs)
    : platform_(platform), profile_(profile), keyIntervalMs_(keyIntervalMs) {
    pollAlarm_.setOnRing([this](Millis) { poll(); });
    sendTimer_.setOnTick([this](Millis now) { typeNext(now); });
}

void VoiceKeys::start(Millis now) {
    pollAlarm_.attach(platform_);
    sendTimer_.attach(platform_);
    platform_.watchTriggerKeys([this](const TriggerEvent& e) { triggerChanged(e); });
    watchFrom(now);
}

void VoiceKeys::stop() {
    schedule_.stop();
    pollAlarm_.ringAt(std::nullopt);
    sendTimer_.setEnabled(false);
}

void VoiceKeys::triggerChanged(const TriggerEvent& event) {
    event.down ? triggers_.press(event.slot) : triggers_.release(event.slot);
    // A poll already due stays where it is; a sleeping one wakes for the next point of its grid.
    if (!pollAlarm_.due())
        pollAlarm_.ringAt(schedule_.nextDue(event.at, triggers_.idle()));
}

void VoiceKeys::poll() {
    const int slot = highest(triggers_.take());
    if (slot < 0)
        return; // nothing down or pressed: the poll sleeps until a key event
    slot_ = slot;
    step_ = 0;
    schedule_.stop();
    sendTimer_.setInterval(keyIntervalMs_);
    sendTimer_.setEnabled(true);
}

void VoiceKeys::typeNext(Millis now) {
    const Binding& binding = profile_.bindings[static_cast<std::size_t>(slot_)];
    if (step_ == 0) {
        platform_.typeKey(TypedKey::voiceMenu());
    } else if (step_ == 1) {
        platform_.typeKey(TypedKey::digit(binding.menu));
    } else {
        platform_.typeKey(TypedKey::digit(binding.message));
        sendTimer_.setEnabled(false);
        watchFrom(now);
    }
    ++step_;
}

void VoiceKeys::watchFrom(Millis now) {
    schedule_.start(now);
    pollAlarm_.ringAt(schedule_.nextDue(now, triggers_.idle()));
}

} // namespace bt
