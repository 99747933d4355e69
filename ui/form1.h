#pragma once

// The main window's model: its controls and the handlers of every subsystem wired to them. A front
// end forwards the user's events to the methods below and mirrors the controls.

#include "catalogue/bind_editor.h"
#include "engine/key_watcher.h"
#include "net/status_link.h"
#include "shell/lifecycle.h"
#include "storage/bind_file.h"
#include "ui/form1_controls.h"

#include <functional>
#include <string>

namespace bt {

class Form1 {
  public:
    Form1(Platform& platform, std::string serverBaseUrl);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    Form1Controls& controls() { return c_; }
    const Form1Controls& controls() const { return c_; }

    // Runs the load step, shows the window and starts the timers.
    void load();

    // Closes the window through its unload step, then reports it with the unloaded callback.
    void unload();
    bool loaded() const { return loaded_; }
    // The unload step's decision of what comes after the main window, given the status text.
    void setUnloadStep(std::function<void()> step) { unloadStep_ = std::move(step); }
    void setOnUnloaded(std::function<void()> f) { onUnloaded_ = std::move(f); }

    // Events from the front end.
    void userSelected(int comboNumber, int index) { c_.combo(comboNumber).setListIndex(index); }
    void userSelectedOption(int option) { (option == 1 ? c_.option1 : c_.option2).select(); }
    void userMinimized() { lifecycle_.minimize(); }
    void userRestored() { c_.form.setWindowStateValue(WindowState::Normal); }
    void userClosed() { unload(); }
    void trayMessage(double x) { lifecycle_.trayCallback(x); }

    BindEditor& editor() { return editor_; }
    KeyWatcher& watcher() { return watcher_; }
    BindFile& bindFile() { return bindFile_; }
    Lifecycle& lifecycle() { return lifecycle_; }
    StatusLink& status() { return status_; }

  private:
    void timer5Tick();

    Platform& platform_;
    Form1Controls c_;
    BindEditor editor_;
    KeyWatcher watcher_;
    BindFile bindFile_;
    Lifecycle lifecycle_;
    StatusLink status_;
    bool loaded_ = false;
    std::function<void()> unloadStep_;
    std::function<void()> onUnloaded_;
};

} // namespace bt
