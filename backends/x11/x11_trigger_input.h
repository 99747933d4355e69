#pragma once

// The trigger keys and buttons on X11: XInput2 raw key and button events on the root window, which
// arrive whichever client has the focus or the pointer and (with XI 2.2) even while another client
// grabs the keyboard or the pointer; they take nothing from that client. Keys are matched by
// keycode, so NumLock does not matter for the keypad; names and kinds come from the current keymap.
// The buttons' events are asked for only while a button is watched.

#include "base/system/trigger_input.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

typedef struct _XDisplay Display;

namespace bt::x11 {

class X11TriggerInput : public bt::TriggerInput {
  public:
    // Opens its own connection to the display; ok() is false when X or XInput 2.2 is missing.
    // Each event is stamped with the moment it happened, on the clock now() reads.
    explicit X11TriggerInput(std::function<Millis()> now, const char* displayName = nullptr);
    ~X11TriggerInput() override;
    X11TriggerInput(const X11TriggerInput&) = delete;
    X11TriggerInput& operator=(const X11TriggerInput&) = delete;

    bool ok() const { return display_ != nullptr && ok_; }
    const std::string& error() const { return error_; }
    // The connection's socket: readable when events have come.
    int connectionFd() const;
    // Reads every raw event that has arrived, without blocking, and reports each watched key or
    // button that went down or up.
    void deliverQueued();
    // Events Xlib has already read while it waited for a reply (a key's name, say) leave nothing
    // on the socket to wake the program: the event loop hands them on before it sleeps.
    void deliverAlreadyRead();

    void listen(std::function<void(const KeyEvent&)> onEvent) override { onKey_ = onEvent; }
    void watch(const KeyWatch& watch) override;
    KeyCode keypadKey(int digit) const override;
    // The key's name in the current layout and what it means for choosing a trigger key; nullopt
    // when the keymap has nothing on that keycode.
    std::optional<PressedKey> describeKey(KeyCode key) const override;
    const char* keyCodeSystem() const override { return "x11"; }

  private:
    void selectRawEvents(bool buttons);
    void report(KeyCode key, bool down, unsigned long serverTime);

    std::function<Millis()> now_;
    std::function<void(const KeyEvent&)> onKey_;
    KeyWatch watch_;
    AltState alt_;
    std::array<unsigned, 2> altKeys_{};
    Display* display_ = nullptr;
    bool ok_ = false;
    std::string error_;
    int xiOpcode_ = 0;
    std::array<unsigned, 10> keypad_{};
};

} // namespace bt::x11
