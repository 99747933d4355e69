#pragma once

// Types characters into the focused window with XTest, as the current keyboard layout has them:
// Shift where the layout puts the character on the shifted level (AZERTY digits), a spare keycode
// where the layout lacks it. Every key pressed is released again, and the events are flushed at
// once.

#include "base/system/typist.h"

#include <optional>

typedef struct _XDisplay Display;

namespace bt::x11 {

class X11Typist : public bt::Typist {
  public:
    explicit X11Typist(const char* displayName = nullptr);
    ~X11Typist() override;
    X11Typist(const X11Typist&) = delete;
    X11Typist& operator=(const X11Typist&) = delete;

    bool ok() const { return display_ != nullptr && ok_; }
    TypeOutcome typeKey(TypedKey key) override { return type(key.character()); }
    // Types one character: 'v' or a digit (anything printable in Latin-1 works).
    TypeOutcome type(char c);

    // Where the current layout has a character: its keycode, and whether Shift is needed.
    struct Place {
        unsigned keycode = 0;
        bool shift = false;
    };
    std::optional<Place> find(char c);
    // A key that has the character in any layout of the keymap; 0 for none.
    unsigned keycodeOf(char c) const;
    unsigned shiftKeycode() const { return shiftKeycode_; }

    // Takes in what the X server has said so far, without waiting for it: a layout chosen since
    // and, inside Xlib, a keymap changed since. Whenever a keyboard other than the last one is
    // used (the player's, then the typed keys'), the X server says its keymap changed; read as
    // it comes (connectionFd() readable), the new keymap is fetched then, not as a key is due.
    void followLayout();
    int connectionFd() const;

  private:
    void tap(unsigned keycode, bool shift);
    unsigned spareKeycode();
    TypeOutcome pressed(Place place) const;

    Display* display_ = nullptr;
    bool ok_ = false;
    unsigned shiftKeycode_ = 0;
    unsigned spare_ = 0;
    int xkbEvent_ = -1; // the first event number of the keyboard extension
    int group_ = 0;     // the layout in use, of the keymap's four at most
};

} // namespace bt::x11
