#pragma once

// The keys and buttons of the Windows program: Raw Input on the hidden window (RIDEV_INPUTSINK), so
// they are heard whichever window has the focus and still reach it; keys by scan code and the E0
// flag, the same with NumLock on or off; names from GetKeyNameTextW. The mouse is registered only
// while a button is watched, and removed otherwise: it reports every movement too.

#include "backends/win32/message_window.h"
#include "base/system/trigger_input.h"

#include <functional>

namespace bt::win32 {

class Win32TriggerInput : public TriggerInput {
  public:
    Win32TriggerInput(MessageWindow& window, std::function<Millis()> now);
    // Reports the key input already queued for the hidden window.
    void deliverQueued();

    void listen(std::function<void(const KeyEvent&)> onEvent) override { onKey_ = onEvent; }
    void watch(const KeyWatch& watch) override;
    KeyCode keypadKey(int digit) const override;
    std::optional<PressedKey> describeKey(KeyCode key) const override;
    const char* keyCodeSystem() const override { return "win32"; }

  private:
    void rawInput(LPARAM handle);
    void report(KeyCode key, bool down);

    MessageWindow& window_;
    std::function<Millis()> now_;
    std::function<void(const KeyEvent&)> onKey_;
    KeyWatch watch_;
    KeyRepeatFilter repeats_; // raw input repeats a held key's key-down
    AltState alt_;
};

} // namespace bt::win32
