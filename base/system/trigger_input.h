#pragma once

// What can fire a slot, as the program needs it from the system: physical keys and mouse buttons
// going down and up, keys by the system's own key codes and buttons by their number, and what a
// key is called. Which key or button fires which slot is the core's decision alone; the platform
// only reports.

#include "base/keys.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

namespace bt {

// A key or a mouse button went down or up, at this time on the platform's clock.
struct KeyEvent {
    KeyCode key;
    bool down = false;
    Millis at = 0;
    // Alt was held as the key went down: Alt and a key work the window (Alt+F4), as everywhere,
    // and Alt with a button moves it.
    bool withAlt = false;
};

// The keys the platform reports: the trigger keys (buttons among them), or every key and button
// while the player chooses one.
struct KeyWatch {
    std::vector<KeyCode> keys;
    bool everyKey = false;

    bool covers(KeyCode key) const {
        return everyKey || std::find(keys.begin(), keys.end(), key) != keys.end();
    }
    // A mouse reports every movement too (a gaming mouse 1,000 a second): the platform listens
    // to it only while this holds.
    bool coversButtons() const {
        return everyKey ||
               std::any_of(keys.begin(), keys.end(), [](KeyCode key) { return key.isButton; });
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
    // Alt is known to be up, whatever was seen: its release can be lost to another desktop.
    void forget() { down_.clear(); }

  private:
    std::vector<KeyCode> down_; // the left Alt, the right, or both
};

class TriggerInput {
  public:
    virtual ~TriggerInput() = default;

    // Where the watched keys' events go.
    virtual void listen(std::function<void(const KeyEvent&)> onEvent) = 0;
    // From this call on, the platform reports these keys and buttons going down (once, however
    // long they are held) and up, system-wide, whichever window has the focus or the pointer, and
    // never takes one from that window. Nothing is watched before the first call. Nothing is
    // reported from within the call: the platform reports from its event loop only, and hands on
    // the events it holds before anything else the program is told (a click in its windows, a
    // timer's run), so they count as things stood when they happened.
    virtual void watch(const KeyWatch& watch) = 0;

    // The keypad key of a digit, the same with NumLock on or off.
    virtual KeyCode keypadKey(int digit) const = 0;
    // What a key or a button is: a button by its number, a key as the keyboard names it.
    std::optional<PressedKey> describe(KeyCode code) const {
        if (const auto button = code.button())
            return describeButton(*button);
        return describeKey(code);
    }
    // What a key is on this keyboard, by its current layout; nullopt when it has no such key.
    virtual std::optional<PressedKey> describeKey(KeyCode key) const = 0;
    // Which system's key codes these are, so that a file of codes is read only where they mean
    // the same keys.
    virtual const char* keyCodeSystem() const = 0;
};

} // namespace bt
