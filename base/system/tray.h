#pragma once

// The notification area: the main window's icon while the window is put away, and its menu.

#include <string_view>

namespace bt {

// What the player does with the tray icon: asks for the window (a double-click, or an activation
// where the tray knows no double-click) or for the icon's menu (the right button).
enum class TrayEvent { ShowAsked, MenuAsked };

enum class PopupChoice { None, Show, Exit };

class Tray {
  public:
    virtual ~Tray() = default;
    // False where there is no tray host at all.
    virtual bool available() const = 0;
    // The icon is the main window's own, with the tip given. Its events come back to the main
    // window from the event loop, never from inside the icon's own event handler, since what they
    // start may remove the icon.
    virtual void addIcon(std::string_view tip) = 0;
    virtual void removeIcon() = 0;
    // Opens the icon's menu ("&Show", "&Exit") at the pointer and returns the choice.
    virtual PopupChoice popupMenu() = 0;
};

} // namespace bt
