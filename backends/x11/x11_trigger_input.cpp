#include "backends/x11/x11_trigger_input.h"

#include "backends/x11/event_time.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

#include <cctype>

namespace bt::x11 {

namespace {

bool typedByProgram(KeySym sym) {
    return sym == XK_v || sym == XK_V || (sym >= XK_0 && sym <= XK_9);
}

KeyKind kindOf(KeySym level0) {
    switch (level0) {
    case XK_Escape:
        return KeyKind::Cancel;
    case XK_Delete:
    case XK_BackSpace:
        return KeyKind::Erase;
    case XK_Shift_L:
    case XK_Shift_R:
        return KeyKind::TypedByProgram; // held for the digits of layouts that shift them
    case XK_Control_L:
    case XK_Control_R:
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
    case XK_Super_L:
    case XK_Super_R:
    case XK_Hyper_L:
    case XK_Hyper_R:
    case XK_ISO_Level3_Shift:
    case XK_Mode_switch:
        return KeyKind::Modifier;
    default:
        return KeyKind::Ordinary;
    }
}

// X numbers the buttons 1 left, 2 middle, 3 right, 4 to 7 the wheel's turns (up, down, left,
// right), then the side buttons from 8 (back) and 9 (forward) on.
MouseButton buttonOf(unsigned detail) {
    switch (detail) {
    case 1:
        return MouseButton::Left;
    case 2:
        return MouseButton::Middle;
    case 3:
        return MouseButton::Right;
    default:
        return detail < 8 ? MouseButton::Wheel : sideButton(detail - 8);
    }
}

std::string nameOf(KeySym sym) {
    const char* name = XKeysymToString(sym);
    std::string out = name ? name : "";
    if (out.size() == 1)
        out[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(out[0])));
    return out;
}

} // namespace

X11TriggerInput::X11TriggerInput(std::function<Millis()> now, const char* displayName)
    : now_(std::move(now)) {
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
        keypad_[static_cast<std::size_t>(d)] =
            XKeysymToKeycode(display_, static_cast<KeySym>(XK_KP_0 + d));
    altKeys_ = {XKeysymToKeycode(display_, XK_Alt_L), XKeysymToKeycode(display_, XK_Alt_R)};
    ok_ = true;
    selectRawEvents(false);
}

void X11TriggerInput::selectRawEvents(bool buttons) {
    // Every key, for Alt and for the choice; the buttons only while one is watched.
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XIEventMask mask{};
    mask.deviceid = XIAllMasterDevices;
    mask.mask_len = sizeof bits;
    mask.mask = bits;
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    if (buttons) {
        XISetMask(bits, XI_RawButtonPress);
        XISetMask(bits, XI_RawButtonRelease);
    }
    XISelectEvents(display_, DefaultRootWindow(display_), &mask, 1);
    XFlush(display_);
}

X11TriggerInput::~X11TriggerInput() {
    if (display_)
        XCloseDisplay(display_);
}

int X11TriggerInput::connectionFd() const {
    return display_ ? ConnectionNumber(display_) : -1;
}

KeyCode X11TriggerInput::keypadKey(int digit) const {
    return KeyCode{digit >= 0 && digit < 10 ? keypad_[static_cast<std::size_t>(digit)] : 0};
}

void X11TriggerInput::watch(const KeyWatch& watch) {
    if (ok() && watch.coversButtons() != watch_.coversButtons())
        selectRawEvents(watch.coversButtons());
    watch_ = watch;
}

void X11TriggerInput::deliverQueued() {
    if (!ok())
        return;
    while (XPending(display_) > 0) {
        XEvent ev;
        XNextEvent(display_, &ev);
        XGenericEventCookie* cookie = &ev.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != xiOpcode_ ||
            !XGetEventData(display_, cookie))
            continue;
        if (const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
            cookie->evtype == XI_RawKeyPress || cookie->evtype == XI_RawKeyRelease) {
            const KeyCode key{static_cast<std::uint32_t>(raw->detail)};
            const bool down = cookie->evtype == XI_RawKeyPress;
            const auto code = static_cast<unsigned>(raw->detail);
            alt_.seen(key, code == altKeys_[0] || code == altKeys_[1], down);
            report(key, down, raw->time);
        } else if (cookie->evtype == XI_RawButtonPress || cookie->evtype == XI_RawButtonRelease) {
            report(KeyCode::of(buttonOf(static_cast<unsigned>(raw->detail))),
                   cookie->evtype == XI_RawButtonPress, raw->time);
        }
        XFreeEventData(display_, cookie);
    }
}

void X11TriggerInput::report(KeyCode key, bool down, unsigned long serverTime) {
    if (onKey_ && watch_.covers(key))
        onKey_(KeyEvent{key, down, eventTime(static_cast<std::uint32_t>(serverTime), now_()),
                        alt_.held()});
}

void X11TriggerInput::deliverAlreadyRead() {
    if (ok() && XEventsQueued(display_, QueuedAlready) > 0)
        deliverQueued();
}

std::optional<PressedKey> X11TriggerInput::describeKey(KeyCode key) const {
    const unsigned keycode = key.value;
    if (!display_ || keycode < 8 || keycode > 255)
        return std::nullopt;
    for (int d = 0; d < 10; ++d)
        if (keypad_[static_cast<std::size_t>(d)] == keycode)
            return PressedKey{key, KeyKind::Ordinary, keypadName(d)};
    XkbStateRec state{};
    XkbGetState(display_, XkbUseCoreKbd, &state);
    const auto kc = static_cast<::KeyCode>(keycode);
    const KeySym level0 = XkbKeycodeToKeysym(display_, kc, state.group, 0);
    if (level0 == NoSymbol)
        return std::nullopt;
    KeyKind kind = kindOf(level0);
    // Whether the program types this key must not depend on the layout active now: the V key
    // chosen under a second layout would type v under the first, and fire itself. Every group,
    // both levels (AZERTY has its digits shifted).
    for (int group = 0; group < XkbNumKbdGroups && kind == KeyKind::Ordinary; ++group)
        for (int level = 0; level < 2; ++level)
            if (typedByProgram(XkbKeycodeToKeysym(display_, kc, group, level)))
                kind = KeyKind::TypedByProgram;
    return PressedKey{key, kind, nameOf(level0)};
}

} // namespace bt::x11
