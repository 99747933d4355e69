#pragma once

// The main window: the program's state (the bind profile, the trigger keys, the key interval, the
// options, the server status), the behaviours that change it, and its controls, which show it. A
// front end mirrors the controls and hands the player's picks and clicks to them.

#include "app/counted_dialogs.h"
#include "base/bind_profile.h"
#include "base/main_window_controls.h"
#include "base/options.h"
#include "base/system/system.h"
#include "base/trigger_keys.h"
#include "behaviours/binds/bind_store.h"
#include "behaviours/editor/bind_editor.h"
#include "behaviours/keys/game_focus.h"
#include "behaviours/keys/key_chooser.h"
#include "behaviours/keys/key_interval.h"
#include "behaviours/keys/trigger_state.h"
#include "behaviours/keys/typing_access.h"
#include "behaviours/keys/voice_keys.h"
#include "behaviours/options/options_file.h"
#include "behaviours/status/status_link.h"
#include "behaviours/tray/login_start.h"
#include "behaviours/tray/tray_notice.h"
#include "behaviours/tray/window_tray.h"

#include <functional>
#include <optional>
#include <string>

namespace bt {

class MainWindow {
  public:
    // Without a server URL the window asks no server and says so in its status strip.
    MainWindow(const System& system, std::optional<std::string> serverUrl);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    MainWindowControls& controls() { return c_; }
    const MainWindowControls& controls() const { return c_; }

    // Restores the bindings from "binds", the keys from "keys" and the options from "options",
    // shows the window (or, into the tray, puts it away at once) and starts watching the trigger
    // keys and the server's status (the counter page, then the poll); now is the time on the
    // platform's clock.
    void open(Millis now, bool intoTray = false);
    // Closes the window; what comes after it (the news window, or the end) is decided while it
    // closes, then reported. Closing twice closes once.
    void close();
    bool isOpen() const { return open_; }
    void setOnClosing(std::function<void()> f) { onClosing_ = std::move(f); }
    void setOnClosed(std::function<void()> f) { onClosed_ = std::move(f); }

    // Events from the front end that are not a control's own.
    // The system shows the window minimized or not: the player minimized or restored it.
    void shownMinimized(bool minimized);
    // The window lost the keyboard focus, or one of its lists dropped down (it takes the keys
    // then): a key choice ends, the keys go elsewhere.
    void focusLost() { cancelChoice(); }
    void trayEvent(TrayEvent event);
    // Another start of the program: the window comes out of the tray and forward.
    void showAsked();
    // While a slot's key is being chosen the platform reports every key to the choice, and the
    // front end keeps the keys pressed in the window from its controls (but those with Alt).
    bool choosingKey() const { return triggers_.choosing().has_value(); }

    const BindProfile& profile() const { return profile_; }
    const TriggerKeys& triggerKeys() const { return triggers_.chosen(); }
    const Options& options() const { return options_; }
    int keyInterval() const { return keyIntervalMs_; }
    const ServerStatus& status() const { return status_; }
    const BindEditor& editor() const { return editor_; }
    // The news window's hand-off, decided from the status answer and the declined identifier.
    std::optional<NewsHandOff> newsDecision() const;

  private:
    void wireControls();
    void exitClicked();
    void showBindings();
    void cancelChoice();
    void keysChanged();
    void showKeys();
    void showOptions();
    void showStatus();
    void showLoginStart();

    Desktop& desktop_;
    Files& files_;
    CountedDialogs dialogs_;
    BindProfile profile_;
    TriggerState triggers_;
    Options options_;
    int keyIntervalMs_ = kDefaultKeyInterval;
    ServerStatus status_;
    MainWindowControls c_;
    BindEditor editor_{profile_};
    BindStore store_;
    KeyChooser chooser_;
    OptionsFile optionsFile_;
    GameFocus game_;
    TypingAccess access_;
    VoiceKeys keys_;
    StatusLink statusLink_;
    WindowTray tray_;
    TrayNotice trayNotice_;
    LoginStart loginStart_;
    bool open_ = false;
    std::function<void()> onClosing_;
    std::function<void()> onClosed_;
};

} // namespace bt
