#pragma once

// Putting the main window away into the notification area and back. The icon is there exactly
// while the window is hidden.

#include "base/system/tray.h"

#include <functional>

namespace bt {

class Desktop;
class Window;

class WindowTray {
  public:
    WindowTray(Window& window, Tray& tray, Desktop& desktop)
        : window_(window), tray_(tray), desktop_(desktop) {}

    // Start: into the tray.
    void putAway();
    // The program starts put away: in the tray, or minimized where there is none, never in front.
    void startAway();
    // The player minimized the window: into the tray, like Start.
    void minimized();
    // The player restored it from the taskbar (where there is no tray).
    void restored();
    // Back out of the tray, in front of the others: the player asked for it.
    void show();
    // What an icon event asks for: the window, or the menu's choice. True when the choice was
    // Exit (the window then closes).
    bool trayEvent(TrayEvent event);
    // The window closes: the icon goes first.
    void removeIcon();
    // Runs each time the window has gone into the tray.
    void setOnIntoTray(std::function<void()> f) { onIntoTray_ = std::move(f); }

  private:
    Window& window_;
    Tray& tray_;
    Desktop& desktop_;
    std::function<void()> onIntoTray_;
};

} // namespace bt
