#pragma once

// Which program the X11 window with the keyboard focus belongs to. The window manager names the
// active window (_NET_ACTIVE_WINDOW); without one the X server's input focus counts, and at
// PointerRoot the top-level window under the pointer, which is where keys then go. The program is
// named by the window's WM_CLASS (Wine names it after the exe: res_name, lower-cased in current
// Wine; res_class is steam_app_<id> under Proton), then by _NET_WM_PID's process.

#include "base/system/focus.h"

#include <string>
#include <vector>

typedef struct _XDisplay Display;

namespace bt::x11 {

class X11Focus : public bt::Focus {
  public:
    // Opens its own connection to the display: its round trips never read the keyboard's events.
    explicit X11Focus(const char* displayName = nullptr);
    ~X11Focus() override;
    X11Focus(const X11Focus&) = delete;
    X11Focus& operator=(const X11Focus&) = delete;

    FocusedWindow focusedWindow() override;
    // No X client can keep its keys from another: there is nothing to warn of, so no need to
    // hear when the front window changes.
    void watchMoves(std::function<void()>) override {}

  private:
    using Window = unsigned long; // Xlib's XID, without its header's macros
    using Atom = unsigned long;

    // The window the keys go to now, None when nobody has the focus.
    Window focusWindow();
    // The top-level client window with a WM_CLASS at or around w: up to the root, or inside a
    // window manager's frame.
    Window clientOf(Window w);
    bool hasClass(Window w);
    FocusedWindow describe(Window w);
    long cardinal(Window w, Atom property, bool& found);

    Display* display_ = nullptr;
    Atom activeWindow_ = 0;
    Atom wmPid_ = 0;
};

// The names a process goes by in /proc: its command's file name (a Windows path under Wine) and
// its short name. Empty when it cannot be read.
std::vector<std::string> processNames(long pid);

} // namespace bt::x11
