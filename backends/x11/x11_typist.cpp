#include "backends/x11/x11_typist.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace bt::x11 {

X11Typist::X11Typist(const char* displayName) {
    display_ = XOpenDisplay(displayName);
    if (!display_)
        return;
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor))
        return;
    shiftKeycode_ = XKeysymToKeycode(display_, XK_Shift_L);
    // The layout in use is followed by the server's word when it changes, rather than asked for
    // at each key: asking waits for the X server, which on a Wayland desktop is busy with the
    // game's drawing, and each key would come that much late.
    int opcode = 0, xkbMajor = XkbMajorVersion, xkbMinor = XkbMinorVersion;
    if (XkbQueryExtension(display_, &opcode, &xkbEvent_, &error, &xkbMajor, &xkbMinor))
        XkbSelectEventDetails(display_, XkbUseCoreKbd, XkbStateNotify, XkbGroupStateMask,
                              XkbGroupStateMask);
    XkbStateRec state{};
    XkbGetState(display_, XkbUseCoreKbd, &state);
    group_ = state.group;
    // Xlib fetches the keyboard's description at its first use: here, rather than at the first
    // key typed, which would come some 20 ms late.
    XkbKeycodeToKeysym(display_, shiftKeycode_, group_, 0);
    ok_ = true;
}

X11Typist::~X11Typist() {
    if (display_) {
        if (spare_ != 0) {
            KeySym none = NoSymbol;
            XChangeKeyboardMapping(display_, static_cast<int>(spare_), 1, &none, 1);
        }
        XCloseDisplay(display_);
    }
}

void X11Typist::tap(unsigned keycode, bool shift) {
    if (shift && shiftKeycode_)
        XTestFakeKeyEvent(display_, shiftKeycode_, True, CurrentTime);
    XTestFakeKeyEvent(display_, keycode, True, CurrentTime);
    XTestFakeKeyEvent(display_, keycode, False, CurrentTime);
    if (shift && shiftKeycode_)
        XTestFakeKeyEvent(display_, shiftKeycode_, False, CurrentTime);
    XFlush(display_);
}

unsigned X11Typist::spareKeycode() {
    if (spare_ != 0)
        return spare_;
    int minKc = 0, maxKc = 0;
    XDisplayKeycodes(display_, &minKc, &maxKc);
    int perCode = 0;
    KeySym* map =
        XGetKeyboardMapping(display_, static_cast<::KeyCode>(minKc), maxKc - minKc + 1, &perCode);
    if (!map)
        return 0;
    for (int kc = maxKc; kc >= minKc; --kc) {
        bool empty = true;
        for (int i = 0; i < perCode; ++i)
            if (map[(kc - minKc) * perCode + i] != NoSymbol)
                empty = false;
        if (empty) {
            spare_ = static_cast<unsigned>(kc);
            break;
        }
    }
    XFree(map);
    return spare_;
}

std::optional<X11Typist::Place> X11Typist::find(char c) {
    if (!ok())
        return std::nullopt;
    followLayout();
    const KeySym sym = static_cast<KeySym>(static_cast<unsigned char>(c));
    const ::KeyCode kc = XKeysymToKeycode(display_, sym);
    if (kc == 0)
        return std::nullopt;
    // Level 0 needs no modifier, level 1 needs Shift (the digits of a French layout); without a
    // Shift key only level 0 can be reached.
    const int levels = shiftKeycode_ != 0 ? 2 : 1;
    for (int level = 0; level < levels; ++level)
        if (XkbKeycodeToKeysym(display_, kc, group_, level) == sym)
            return Place{kc, level == 1};
    return std::nullopt;
}

void X11Typist::followLayout() {
    if (!ok())
        return;
    bool heard = false;
    while (XEventsQueued(display_, QueuedAfterReading) > 0) {
        XkbEvent event;
        XNextEvent(display_, &event.core);
        if (event.type == xkbEvent_ && event.any.xkb_type == XkbStateNotify)
            group_ = event.state.group;
        heard = true;
    }
    // A keymap said to have changed is fetched at the next look into it: now, rather than as the
    // next key is due.
    if (heard)
        XkbKeycodeToKeysym(display_, shiftKeycode_, group_, 0);
}

int X11Typist::connectionFd() const {
    return display_ ? ConnectionNumber(display_) : -1;
}

unsigned X11Typist::keycodeOf(char c) const {
    return ok() ? XKeysymToKeycode(display_, static_cast<KeySym>(static_cast<unsigned char>(c)))
                : 0;
}

TypeOutcome X11Typist::pressed(Place place) const {
    TypeOutcome outcome;
    outcome.pressed.push_back(bt::KeyCode{place.keycode});
    if (place.shift)
        outcome.pressed.push_back(bt::KeyCode{shiftKeycode_});
    return outcome;
}

TypeOutcome X11Typist::type(char c) {
    if (!ok())
        return {TypeResult::Refused, {}};
    if (const auto place = find(c)) {
        tap(place->keycode, place->shift);
        return pressed(*place);
    }
    // The layout does not have the character where we can reach it: lend it a spare keycode for
    // the moment of typing.
    const unsigned spare = spareKeycode();
    if (spare == 0)
        return {TypeResult::Impossible, {}};
    const KeySym sym = static_cast<KeySym>(static_cast<unsigned char>(c));
    KeySym syms[2] = {sym, sym};
    XChangeKeyboardMapping(display_, static_cast<int>(spare), 2, syms, 1);
    XSync(display_, False);
    tap(spare, false);
    return pressed(Place{spare, false});
}

} // namespace bt::x11
