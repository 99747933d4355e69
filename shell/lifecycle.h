#pragma once

// Putting the main window away into the notification area and back, and the two ways out. The icon
// is in the notification area exactly while the window is hidden.

#include "shell/tray_record.h"

#include <functional>

namespace bt {

class Form1Controls;
class Platform;

class Lifecycle {
  public:
    Lifecycle(Form1Controls& f, Platform& platform) : f_(f), platform_(platform) {}

    // unload closes Form1 through its unload step.
    void wire(std::function<void()> unload);

    void fillTrayRecord() { record_ = makeTrayRecord(platform_); }
    const TrayRecord& trayRecord() const { return record_; }

    void startClick();           // Command6_Click, "Start"
    void resize();               // Form_Resize
    void show();                 // mnuShow_Click
    void trayCallback(double x); // Form_MouseMove carrying the icon's mouse message
    void exitMenuClick();        // mnuExit_Click
    void exitButtonClick();      // Command2_Click
    void minimize();             // the user minimized the window
    void removeIcon();           // first step of the unload

  private:
    void putAway();

    Form1Controls& f_;
    Platform& platform_;
    TrayRecord record_;
    std::function<void()> unload_;
};

} // namespace bt
