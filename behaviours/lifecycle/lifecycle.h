#pragma once

// Putting the main window away into the notification area and back, and the two ways out. The icon
// is in the notification area exactly while the window is hidden.

#include <functional>

namespace bt {

class MainWindowControls;
class Platform;

class Lifecycle {
  public:
    // unload closes the main window through its unload step.
    Lifecycle(MainWindowControls& w, Platform& platform, std::function<void()> unload);

    void startClicked();
    void minimized();
    void show();
    // A mouse message from the icon (515 double-click, 516 right button pressed).
    void trayMessage(double message);
    void exitClicked();
    void removeIcon();

  private:
    void putAway();

    MainWindowControls& w_;
    Platform& platform_;
    std::function<void()> unload_;
};

} // namespace bt
