#include "backends/x11/x11_keypad.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

namespace bt::x11 {

Keypad::Keypad(const char* displayName) {
    display_ = XOpenDisplay(displayName);
    if (!display_) {
        error_ = "cannot open the X display";
        return;
    }
    int event = 0, err = 0;
    if (!XQueryExtension(display_, "XInputExtension", &xiOpcode_, &event, &err)) {
        error_ = "the X server has no XInput extension";
        return;
    }
    // 2.2: raw events keep coming while another client grabs the keyboard (a game may).
    int major = 2, minor = 2;
    if (XIQueryVersion(display_, &major, &minor) != Success || major < 2 ||
        (major == 2 && minor < 2)) {
        error_ = "the X server has no XInput 2.2";
        return;
    }
    for (int d = 0; d < 10; ++d)
        keycodes_[static_cast<std::size_t>(d)] =
            XKeysymToKeycode(display_, static_cast<KeySym>(XK_KP_0 + d));

    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XIEventMask mask{};
    mask.deviceid = XIAllMasterDevices;
    mask.mask_len = sizeof bits;
    mask.mask = bits;
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XISelectEvents(display_, DefaultRootWindow(display_), &mask, 1);
    XFlush(display_);
    ok_ = true;
}

Keypad::~Keypad() {
    if (display_)
        XCloseDisplay(display_);
}

int Keypad::connectionFd() const {
    return display_ ? ConnectionNumber(display_) : -1;
}

void Keypad::drain(const std::function<void(int digit, bool down)>& onKey) {
    if (!ok())
        return;
    while (XPending(display_) > 0) {
        XEvent ev;
        XNextEvent(display_, &ev);
        XGenericEventCookie* cookie = &ev.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != xiOpcode_ ||
            !XGetEventData(display_, cookie))
            continue;
        if (cookie->evtype == XI_RawKeyPress || cookie->evtype == XI_RawKeyRelease) {
            const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
            for (std::size_t d = 0; d < 10; ++d)
                if (keycodes_[d] != 0 && raw->detail == keycodes_[d])
                    onKey(static_cast<int>(d), cookie->evtype == XI_RawKeyPress);
        }
        XFreeEventData(display_, cookie);
    }
}

} // namespace bt::x11
