#include "behaviours/keys/voice_keys.h"

#include "base/system/trigger_input.h"
#include "base/system/typist.h"
#include "behaviours/keys/game_focus.h"
#include "behaviours/keys/typing_access.h"

#include <algorithm>

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

VoiceKeys::VoiceKeys(TriggerInput& input, Typist& typist, Clock& clock, GameFocus& game,
                     TypingAccess& access, TriggerState& triggers, const BindProfile& profile,
                     const int& keyIntervalMs)
    : input_(input), typist_(typist), clock_(clock), game_(game), access_(access),
      triggers_(triggers), profile_(profile), keyIntervalMs_(keyIntervalMs) {
    startAlarm_.setOnRing([this](Millis now) { startMessage(now); });
    voiceAlarm_.setOnRing([this](Millis now) { typeNext(now); });
    sendTimer_.setOnTick([this](Millis now) { typeNext(now); });
}

void VoiceKeys::keysChanged() {
    if (started_)
        watchKeys();
}

KeyWatch VoiceKeys::neededWatch() const {
    KeyWatch watch;
    watch.everyKey = triggers_.choosing().has_value();
    for (const int slot : kSlots)
        watch.keys.push_back(triggers_.keyOf(slot));
    // The program's own keys, so that they are seen coming back whatever else is watched.
    watch.keys.insert(watch.keys.end(), ownKeys_.keys().begin(), ownKeys_.keys().end());
    return watch;
}

void VoiceKeys::watchKeys() {
    input_.watch(neededWatch());
}

void VoiceKeys::start(Millis now) {
    startAlarm_.attach(clock_);
    voiceAlarm_.attach(clock_);
    sendTimer_.attach(clock_);
    input_.listen([this](const KeyEvent& e) { keyEvent(e); });
    started_ = true;
    watchKeys();
    awaitKeysFrom(now);
}

void VoiceKeys::stop() {
    if (started_)
        input_.watch(KeyWatch{});
    started_ = false;
    awaiting_ = false;
    startAlarm_.silence();
    voiceAlarm_.silence();
    sendTimer_.stop();
}

void VoiceKeys::keyEvent(const KeyEvent& event) {
    if (ownKeys_.isEcho(event))
        return;
    if (!event.down) {
        triggers_.release(event.key);
        return;
    }
    if (triggers_.choosing()) {
        triggers_.press(event.key); // the choice's: silent until released
        if (!event.withAlt && onChoiceKey_)
            onChoiceKey_(event.key);
        return;
    }
    // A press starts its message the moment it comes, unless a sequence is being typed: then a
    // pause after it.
    if (!triggers_.press(event.key))
        return;
    // Judged at the press, wherever a sequence stands: a press outside the game, or before the
    // desktop lets the program type, is not kept for the moment it would be typed.
    if (!game_.pressAllowed() || !access_.granted()) {
        triggers_.dropPress(event.key);
        return;
    }
    if (!awaiting_)
        return;
    // A press read only after the sequence ended, but made during it, counts as made during it:
    // counted from its own moment, v would come less than an interval after the last key.
    startMessageAt(event.at < sequenceEnd_ ? sequenceEnd_ + kPauseAfterMessage : event.at);
}

void VoiceKeys::startMessage(Millis now) {
    const int slot = highest(triggers_.take());
    if (slot < 0)
        return; // nothing down or pressed: nothing runs until a key event
    slot_ = slot;
    step_ = 0;
    awaiting_ = false;
    sequenceIntervalMs_ = keyIntervalMs_;
    // One interval after the start was due (the press itself), not after it rang: a system waking
    // from idle rings a few milliseconds late, and v need not wait for that as well.
    voiceAlarm_.ringAt(std::max(startDue_ + sequenceIntervalMs_, now));
}

void VoiceKeys::startMessageAt(Millis due) {
    startDue_ = due;
    startAlarm_.ringAt(due);
}

void VoiceKeys::typeNext(Millis now) {
    if (!game_.keyAllowed() || !access_.granted()) {
        // The focus left the game, or the desktop took its leave back: the rest would go into
        // another window or nowhere, and what was pressed or held meanwhile was meant for it too.
        triggers_.dropAll();
        endSequence(now);
        return;
    }
    const Binding& binding = profile_.bindings[static_cast<std::size_t>(slot_)];
    const TypedKey key = step_ == 0   ? TypedKey::voiceMenu()
                         : step_ == 1 ? TypedKey::digit(binding.menu)
                                      : TypedKey::digit(binding.message);
    if (!type(key, now)) {
        // The rest would type into a voice menu left half open; a key held is not tried again
        // at once, but the next press is.
        triggers_.dropAll();
        endSequence(now);
        return;
    }
    if (step_ == 0)
        sendTimer_.start(sequenceIntervalMs_); // a periodic timer keeps the gaps exact
    else if (step_ == 2)
        endSequence(now);
    ++step_;
}

bool VoiceKeys::type(TypedKey key, Millis now) {
    const TypeOutcome outcome = typist_.typeKey(key);
    if (ownKeys_.typed(outcome.pressed, now))
        watchKeys(); // a key typed for the first time: it comes back as a keyboard's
    if (outcome.result == TypeResult::Typed)
        return true;
    access_.keyFailed();
    return false;
}

void VoiceKeys::endSequence(Millis now) {
    sendTimer_.stop();
    sequenceEnd_ = now;
    awaitKeysFrom(now);
}

void VoiceKeys::awaitKeysFrom(Millis now) {
    awaiting_ = true;
    if (triggers_.idle())
        startAlarm_.silence();
    else
        startMessageAt(now + kPauseAfterMessage);
}

} // namespace bt
