#include "shell/lifecycle.h"

#include "engine/key_interval.h"
#include "platform/platform.h"
#include "ui/form1_controls.h"

namespace bt {

void Lifecycle::wire(std::function<void()> unload) {
    unload_ = std::move(unload);
    f_.command(6).setOnClick([this] { startClick(); });
    f_.command(2).setOnClick([this] { exitButtonClick(); });
}

void Lifecycle::putAway() {
    // Without any tray host the window would vanish with no way back; it stays on the taskbar,
    // minimized, instead.
    if (!platform_.trayAvailable()) {
        f_.form.setWindowStateValue(WindowState::Minimized);
        return;
    }
    platform_.trayAdd(record_);
    f_.form.setVisible(false);
}

void Lifecycle::startClick() {
    putAway();
}

void Lifecycle::minimize() {
    f_.form.setWindowStateValue(WindowState::Minimized);
    resize();
}

void Lifecycle::resize() {
    if (f_.form.windowState() == WindowState::Minimized && f_.form.visible())
        putAway();
}

void Lifecycle::show() {
    f_.form.setWindowStateValue(WindowState::Normal);
    resize(); // the state change raises a resize, which does nothing in the normal state
    platform_.trayDelete(record_);
    f_.form.setVisible(true);
}

void Lifecycle::trayCallback(double x) {
    const auto message = roundHalfEven32(x);
    if (!message)
        return;
    if (*message == kTrayDoubleClick) {
        show();
    } else if (*message == kTrayRightDown) {
        switch (platform_.popupMenu()) {
        case PopupChoice::Show:
            show();
            break;
        case PopupChoice::Exit:
            exitMenuClick();
            break;
        case PopupChoice::None:
            break;
        }
    }
}

void Lifecycle::exitMenuClick() {
    if (unload_)
        unload_();
}

void Lifecycle::exitButtonClick() {
    if (f_.inet1.stillExecuting()) {
        f_.form.setVisible(false);
        f_.inet1.cancel();
        platform_.endProcess();
        return;
    }
    if (unload_)
        unload_();
}

void Lifecycle::removeIcon() {
    platform_.trayDelete(record_);
}

} // namespace bt
