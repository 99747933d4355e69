#pragma once

// The main window: the program's state (the bind profile, the key interval, the server status),
// the behaviours that change it, and its controls, which show it. A front end mirrors the controls
// and hands the player's picks and clicks to them.

#include "base/bind_profile.h"
#include "base/main_window_controls.h"
#include "base/trigger_keys.h"
#include "behaviours/binds/bind_store.h"
#include "behaviours/editor/bind_editor.h"
#include "behaviours/keys/key_chooser.h"
#include "behaviours/keys/key_interval.h"
#include "behaviours/keys/voice_keys.h"
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

    MainWindowControls& controls() { return c_; }
    const MainWindowControls& controls() const { return c_; }

    // Asks the counter page, restores the bindings from "binds", shows the window and starts
    // watching the trigger keys and polling the server.
    void load(Millis now);

    // Closes the window through its unload step, then reports it with the unloaded callback.
    void unload();
    bool loaded() const { return loaded_; }
    // What comes after the main window (the news window, or nothing), decided while it unloads.
    void setUnloadStep(std::function<void()> step) { unloadStep_ = std::move(step); }
    void setOnUnloaded(std::function<void()> f) { onUnloaded_ = std::move(f); }

    // Events from the front end that are not a control's own.
    void userMinimized();
    void userRestored() { lifecycle_.restored(); }
    void userClosed() { unload(); }
    // The window lost the keyboard focus: a key choice ends, the keys go elsewhere.
    void focusLost() { chooser_.cancel(); }
    void trayEvent(TrayEvent event);
    // Another start of the program: the window comes out of the tray and forward.
    void showAsked() { lifecycle_.show(); }
    // While a slot's key is being chosen, the front end hands the window every key pressed in it
    // (in the window itself, never in a box or another window, and never with Alt held).
    bool choosingKey() const { return chooser_.choosing().has_value(); }
    void keyPressedWhileChoosing(KeyCode code);

    const BindProfile& profile() const { return profile_; }
    const TriggerKeys& triggerKeys() const { return triggers_; }
    int keyInterval() const { return keyIntervalMs_; }
    const ServerStatus& status() const { return status_; }
    const VoiceKeys& keys() const { return keys_; }
    const BindEditor& editor() const { return editor_; }
    // The news window's hand-off, decided from the status answer and the declined identifier.
    std::optional<NewsHandOff> newsDecision() const;

  private:
    void wireControls();
    void exitClicked();
    void showBindings();
    void keysChanged();
    void showKeys();
    void showStatus();

    Platform& platform_;
    std::string serverUrl_;
    BindProfile profile_;
    TriggerKeys triggers_;
    int keyIntervalMs_ = kDefaultKeyInterval;
    ServerStatus status_;
    MainWindowControls c_;
    BindEditor editor_{profile_};
    BindStore store_;
    KeyChooser chooser_;
    VoiceKeys keys_;
    StatusLink statusLink_;
    Lifecycle lifecycle_;
    bool loaded_ = false;
    std::function<void()> unloadStep_;
    std::function<void()> onUnloaded_;
};

} // namespace bt
