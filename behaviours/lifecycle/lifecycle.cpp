#include "behaviours/lifecycle/lifecycle.h"

#include "base/controls/window.h"
#include "base/platform.h"
#include "base/texts.h"

namespace bt {

void Lifecycle::putAway() {
    // Without any tray host the window would vanish with no way back; it stays on the taskbar,
    // minimized, instead.
    if (!platform_.trayAvailable()) {
        window_.setWindowStateValue(WindowState::Minimized);
        return;
    }
    platform_.trayAdd(kBoxTitle);
    window_.setVisible(false);
}

void Lifecycle::minimized() {
    window_.setWindowStateValue(WindowState::Minimized);
    if (window_.visible())
        putAway();
}

void Lifecycle::restored() {
    window_.setWindowStateValue(WindowState::Normal);
}

void Lifecycle::show() {
    window_.setWindowStateValue(WindowState::Normal);
    platform_.trayDelete();
    window_.setVisible(true);
    // The player asked for the window: it comes in front of the game and takes the keyboard.
    platform_.bringToFront(WindowId::Main);
}

bool Lifecycle::trayEvent(TrayEvent event) {
    if (event == TrayEvent::ShowAsked) {
        show();
        return false;
    }
    switch (platform_.popupMenu()) {
    case PopupChoice::Show:
        show();
        return false;
    case PopupChoice::Exit:
        return true;
    case PopupChoice::None:
        break;
    }
    return false;
}

void Lifecycle::removeIcon() {
    platform_.trayDelete();
}

} // namespace bt
