#pragma once

// The program's purpose. The trigger keys' events come from the platform; a slot whose key is seen
// starts a message: v is typed one key interval after the start was due, then the send timer types
// its menu digit and its message digit, one key interval apart. A press starts its message at the
// moment it happened, unless a sequence is being typed; a key still down, or pressed during a
// sequence, is taken a short pause after the sequence. While a sequence is typed no message
// starts; of the slots taken at one start, the highest wins. Where the messages may go is the game
// focus's word: asked at each press and before each key, so a press it refuses fires nothing, now
// or later, and a message it stops at one key types none of the rest. The desktop's leave to type
// is asked the same way. The keys the program types never count as the player's presses.

#include "base/bind_profile.h"
#include "base/keys.h"
#include "base/time/timer.h"
#include "behaviours/keys/own_keys.h"
#include "behaviours/keys/trigger_state.h"

#include <functional>
#include <limits>

namespace bt {

class GameFocus;
class TriggerInput;
class Typist;
class TypingAccess;
struct KeyEvent;
struct KeyWatch;

class VoiceKeys {
  public:
    // After a sequence the keys are taken again this much later, if one is still down or was
    // pressed meanwhile: a held key repeats every three key intervals and this.
    static constexpr Millis kPauseAfterMessage = 100;

    // The profile is read as it is at each step, so a binding changed during a sequence changes
    // what its later steps type; the key interval as it is when a sequence begins.
    VoiceKeys(TriggerInput& input, Typist& typist, Clock& clock, GameFocus& game,
              TypingAccess& access, TriggerState& triggers, const BindProfile& profile,
              const int& keyIntervalMs);

    // Where a key pressed during a key choice goes (with Alt held it goes nowhere: Alt and a key
    // work the window). The platform then reports every key.
    void setOnChoiceKey(std::function<void(KeyCode)> f) { onChoiceKey_ = std::move(f); }
    // The keys or the choice changed: the platform watches what they now need.
    void keysChanged();

    // What is down or pressed so far fires nothing more: each key must be released and pressed
    // again (a stricter rule for where messages go has just begun).
    void dropPresses() { triggers_.dropAll(); }

    // Watching starts now; the platform reports the keys from here on.
    void start(Millis now);
    // Nothing is watched, started or typed any more (the main window closed).
    void stop();

  private:
    void keyEvent(const KeyEvent& event);
    void startMessage(Millis now);
    void startMessageAt(Millis due);
    void typeNext(Millis now);
    bool type(TypedKey key, Millis now);
    void endSequence(Millis now);
    void awaitKeysFrom(Millis now);
    KeyWatch neededWatch() const;
    void watchKeys();

    TriggerInput& input_;
    Typist& typist_;
    Clock& clock_;
    GameFocus& game_;
    TypingAccess& access_;
    OwnKeys ownKeys_;
    TriggerState& triggers_;
    const BindProfile& profile_;
    const int& keyIntervalMs_;
    std::function<void(KeyCode)> onChoiceKey_;
    bool started_ = false;
    bool awaiting_ = false;
    Alarm startAlarm_; // a message's start: at a press, or a pause after a sequence
    Millis startDue_ = 0;
    Alarm voiceAlarm_;           // v
    Timer sendTimer_;            // then the two digits, one each key interval
    int sequenceIntervalMs_ = 0; // an interval changed during a sequence counts from the next
    Millis sequenceEnd_ = std::numeric_limits<Millis>::min(); // the last message digit
    int slot_ = -1;
    int step_ = 0; // 0: v comes next, 1: the menu digit, 2: the message digit
};

} // namespace bt
