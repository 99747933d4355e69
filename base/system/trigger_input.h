#pragma once

// The keyboard as the program needs it from the system: physical keys going down and up, by the
// system's own key codes, and what a key is called. Which key fires which slot is the core's
// decision alone; the platform only reports.

#include "base/keys.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

namespace bt {

// A key went down or up, at this time on the platform's clock.
struct KeyEvent {
    KeyCode key;
    bool down = false;
    Millis at = 0;
    // Alt was held as the key went down: Alt and a key work the window (Alt+F4), as everywhere.
    bool withAlt = false;
};

// The keys the platform reports: the trigger keys, or every key while the player chooses one.
struct KeyWatch {
    std::vector<KeyCode> keys;
    bool everyKey = false;

    bool covers(KeyCode key) const {
        return everyKey || std::find(keys.begin(), keys.end(), key) != keys.end();
    }
    friend bool operator==(const KeyWatch&, const KeyWatch&) = default;
};

// A held key's auto-repeat is no new press: a platform whose key-downs repeat while a key is held
// (Windows' raw input; X11's raw events do not) passes every event through this first, and
// reports only those that change a key's state.
class KeyRepeatFilter {
  public:
    bool changesState(KeyCode key, bool down) {
        const bool wasDown = std::erase(down_, key) > 0;
        if (down)
            down_.push_back(key);
        return !(down && wasDown);
    }

  private:
    std::vector<KeyCode> down_;
};

// Whether Alt is held, for a platform that sees every key's events, watched or not.
class AltState {
  public:
    void seen(KeyCode key, bool isAlt, bool down) {
        if (!isAlt)
            return;
        std::erase(down_, key);
        if (down)
            down_.push_back(key);
    }
    bool held() const { return !down_.empty(); }

  private:
    std::vector<KeyCode> down_; // the left Alt, the right, or both
};

class TriggerInput {
  public:
    virtual ~TriggerInput() = default;

    // Where the watched keys' events go.
    virtual void listen(std::function<void(const KeyEvent&)> onEvent) = 0;
    // From this call on, the platform reports these keys going down (once, however long they are
    // held) and up, system-wide, whichever window has the focus, and never takes a key from that
    // window. Nothing is watched before the first call. Events that happened before the call are
    // reported first, as the watch then in force decides, before it returns; a watch changed
    // while an event is being reported holds from the next event on.
    virtual void watch(const KeyWatch& watch) = 0;

    // The keypad key of a digit, the same with NumLock on or off.
    virtual KeyCode keypadKey(int digit) const = 0;
    // What a key is on this keyboard, by its current layout; nullopt when it has no such key.
    virtual std::optional<PressedKey> describeKey(KeyCode key) const = 0;
    // Which system's key codes these are, so that a file of codes is read only where they mean
    // the same keys.
    virtual const char* keyCodeSystem() const = 0;
};

} // namespace bt
