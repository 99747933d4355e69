#pragma once

// The main window's model: its controls and the behaviours wired to them. A front end forwards the
// user's events to the controls and to the methods below, and mirrors the controls.

#include "base/main_window_controls.h"
#include "behaviours/binds/bind_file.h"
#include "behaviours/editor/bind_editor.h"
#include "behaviours/keys/key_poll.h"
#include "behaviours/lifecycle/lifecycle.h"
#include "behaviours/status/status_link.h"

#include <functional>
#include <string>

namespace bt {

class MainWindow {
  public:
    MainWindow(Platform& platform, std::string serverUrl);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    MainWindowControls& controls() { return w_; }
    const MainWindowControls& controls() const { return w_; }

    // Asks the counter page, reads the bind file, shows the window and starts the timers.
    void load();

    // Closes the window through its unload step, then reports it with the unloaded callback.
    void unload();
    bool loaded() const { return loaded_; }
    // What comes after the main window (the news window, or nothing), decided while it unloads.
    void setUnloadStep(std::function<void()> step) { unloadStep_ = std::move(step); }
    void setOnUnloaded(std::function<void()> f) { onUnloaded_ = std::move(f); }

    // Events from the front end that are not a control's own.
    void userMinimized() { lifecycle_.minimized(); }
    void userRestored() { w_.window.setWindowStateValue(WindowState::Normal); }
    void userClosed() { unload(); }
    void trayMessage(double message) { lifecycle_.trayMessage(message); }

    BindEditor& editor() { return editor_; }
    KeyPoll& keys() { return keys_; }
    BindFile& bindFile() { return bindFile_; }
    Lifecycle& lifecycle() { return lifecycle_; }
    StatusLink& status() { return status_; }

  private:
    void refreshSlotZero();

    Platform& platform_;
    MainWindowControls w_;
    BindEditor editor_;
    KeyPoll keys_;
    BindFile bindFile_;
    Lifecycle lifecycle_;
    StatusLink status_;
    bool loaded_ = false;
    std::function<void()> unloadStep_;
    std::function<void()> onUnloaded_;
};

} // namespace bt
