#include "behaviours/tray/window_tray.h"

#include "base/controls/window.h"
#include "base/system/desktop.h"
#include "base/texts.h"

namespace bt {

void WindowTray::putAway() {
    // Without any tray host the window would vanish with no way back; it stays on the taskbar,
    // minimized, instead.
    if (!tray_.available()) {
        window_.setState(WindowState::Minimized);
        return;
    }
    tray_.addIcon(kBoxTitle);
    window_.setVisible(false);
    if (onIntoTray_)
        onIntoTray_();
}

void WindowTray::startAway() {
    if (tray_.available()) {
        putAway();
        return;
    }
    window_.setState(WindowState::Minimized);
    window_.setVisible(true);
}

void WindowTray::minimized() {
    window_.setState(WindowState::Minimized);
    if (window_.visible())
        putAway();
}

void WindowTray::restored() {
    window_.setState(WindowState::Normal);
}

void WindowTray::show() {
    window_.setState(WindowState::Normal);
    tray_.removeIcon();
    window_.setVisible(true);
    // The player asked for the window: it comes in front of the game and takes the keyboard.
    desktop_.bringToFront(WindowId::Main);
}

bool WindowTray::trayEvent(TrayEvent event) {
    if (event == TrayEvent::ShowAsked) {
        show();
        return false;
    }
    switch (tray_.popupMenu()) {
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

void WindowTray::removeIcon() {
    tray_.removeIcon();
}

} // namespace bt
