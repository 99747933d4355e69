#include "behaviours/lifecycle/lifecycle.h"

#include "base/main_window_controls.h"
#include "base/numbers.h"

namespace bt {

namespace {
constexpr const char* kTip = "Brontek tarnlow";
}

Lifecycle::Lifecycle(MainWindowControls& w, Platform& platform, std::function<void()> unload)
    : w_(w), platform_(platform), unload_(std::move(unload)) {
    w_.startButton.setOnClick([this] { startClicked(); });
    w_.exitButton.setOnClick([this] { exitClicked(); });
}

void Lifecycle::putAway() {
    // Without any tray host the window would vanish with no way back; it stays on the taskbar,
    // minimized, instead.
    if (!platform_.trayAvailable()) {
        w_.window.setWindowStateValue(WindowState::Minimized);
        return;
    }
    platform_.trayAdd(kTip);
    w_.window.setVisible(false);
}

void Lifecycle::startClicked() {
    putAway();
}

void Lifecycle::minimized() {
    w_.window.setWindowStateValue(WindowState::Minimized);
    if (w_.window.visible())
        putAway();
}

void Lifecycle::show() {
    w_.window.setWindowStateValue(WindowState::Normal);
    platform_.trayDelete();
    w_.window.setVisible(true);
    // The player asked for the window: it comes in front of the game and takes the keyboard.
    platform_.bringToFront(WindowId::Main);
}

void Lifecycle::trayMessage(double message) {
    const auto m = roundHalfEven32(message);
    if (m == kTrayDoubleClick) {
        show();
    } else if (m == kTrayRightDown) {
        switch (platform_.popupMenu()) {
        case PopupChoice::Show:
            show();
            break;
        case PopupChoice::Exit:
            unload_();
            break;
        case PopupChoice::None:
            break;
        }
    }
}

void Lifecycle::exitClicked() {
    // With the status transfer still running there is no answer to decide the news on: the
    // program ends at once, without the unload step.
    if (w_.statusTransfer.running()) {
        w_.window.setVisible(false);
        w_.statusTransfer.cancel();
        platform_.endProcess();
        return;
    }
    unload_();
}

void Lifecycle::removeIcon() {
    platform_.trayDelete();
}

} // namespace bt
