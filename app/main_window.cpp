#include "app/main_window.h"

#include "behaviours/news/declined_news.h"

namespace bt {

namespace {
// The window's outer height once the status has blinked: the status strip (its label hidden by
// then) is cut off, and the two rows of boxes above it stay whole inside the tallest frame the
// systems draw (a caption and borders of 37 pixels at 100 %, Windows 10's).
constexpr int kShrunkHeight = 4485;
} // namespace

MainWindow::MainWindow(const System& system, std::optional<std::string> serverUrl)
    : desktop_(system.desktop), files_(system.files), dialogs_(system.dialogs),
      triggers_(system.triggerInput), store_(system.files, dialogs_),
      chooser_(system.triggerInput, system.files, dialogs_, triggers_, [this] { keysChanged(); }),
      optionsFile_(system.files, system.notices),
      game_(system.focus, system.notices, optionsFile_, options_, [this] { showOptions(); }),
      access_(system.typingPermission, system.notices, system.files),
      keys_(system.triggerInput, system.typist, system.clock, game_, access_, triggers_, profile_,
            keyIntervalMs_),
      statusLink_(system.http, system.clock, std::move(serverUrl), status_,
                  [this] { showStatus(); }),
      tray_(c_.window, system.tray, system.desktop),
      trayNotice_(system.notices, optionsFile_, options_), loginStart_(system.autostart, dialogs_) {
    tray_.setOnIntoTray([this] { trayNotice_.wentIntoTray(); });
    keys_.setOnChoiceKey([this](KeyCode key) { chooser_.keyPressed(key); });
    wireControls();
    c_.loginStartBox.setCaption(loginStart_.caption());
    showBindings();
    showKeys();
    showOptions();
    showStatus();
}

void MainWindow::wireControls() {
    // A key choice is a short modal state of the window: anything else the player does in it ends
    // the choice first, as Escape does, and then runs as it always does.
    const auto after = [this](std::function<void()> action) {
        return [this, action = std::move(action)] {
            cancelChoice();
            action();
        };
    };
    for (int slot = 0; slot < kSlotCount; ++slot) {
        c_.keyLabel(slot).setOnClick([this, slot] { chooser_.begin(slot); });
        c_.slotMenu(slot).setOnChosen([this, slot](int index) {
            cancelChoice();
            editor_.chooseMenu(slot, index + 1);
            showBindings();
        });
        c_.slotMessage(slot).setOnChosen([this, slot](int index) {
            cancelChoice();
            editor_.chooseMessage(slot, index + 1);
            showBindings();
        });
    }
    c_.callOfDutyOption.setOnClick(after([this] {
        editor_.chooseGame(Game::CallOfDuty);
        showBindings();
    }));
    c_.unitedOffensiveOption.setOnClick(after([this] {
        editor_.chooseGame(Game::UnitedOffensive);
        showBindings();
    }));
    c_.startButton.setOnClick(after([this] { tray_.putAway(); }));
    c_.intervalButton.setOnClick(after([this] { askKeyInterval(dialogs_, keyIntervalMs_); }));
    c_.saveButton.setOnClick(after([this] { store_.save(profile_); }));
    c_.exitButton.setOnClick(after([this] { exitClicked(); }));
    c_.onlyInGameBox.setOnToggled([this](bool on) {
        cancelChoice();
        // A press made while every window took messages is not carried into the game.
        if (on)
            keys_.dropPresses();
        game_.setOnlyInGame(on);
    });
    c_.gameButton.setOnClick(after([this] { game_.learnClicked(); }));
    c_.loginStartBox.setOnToggled([this](bool on) {
        cancelChoice();
        loginStart_.set(on);
        showLoginStart();
    });
}

void MainWindow::open(Millis now, bool intoTray) {
    profile_ = store_.load();
    showBindings();
    chooser_.load();
    game_.load();
    // Before any press: a desktop that must ask the player asks now, not over the game.
    access_.ask();
    showLoginStart();
    open_ = true;
    // Started with the desktop, the window stays out of the way of whatever the player opened
    // first.
    if (intoTray)
        tray_.startAway();
    else
        c_.window.setVisible(true);
    keys_.start(now);
    statusLink_.start();
}

void MainWindow::showBindings() {
    const Game game = profile_.catalogue();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const Binding& b = profile_.bindings[static_cast<std::size_t>(slot)];
        c_.slotMenu(slot).show(menuItems(game), b.menu - 1);
        c_.slotMessage(slot).show(messageItems(game, b.menu), b.message - 1);
    }
    c_.previewMenuLabel.setCaption(std::string(editor_.previewMenu()));
    c_.previewMessageLabel.setCaption(std::string(editor_.previewMessage()));
    c_.callOfDutyOption.setValue(game == Game::CallOfDuty);
    c_.unitedOffensiveOption.setValue(game == Game::UnitedOffensive);
}

void MainWindow::shownMinimized(bool minimized) {
    if (minimized == (c_.window.state() == WindowState::Minimized))
        return; // what the window model asked for itself
    if (minimized && dialogs_.anyOpen())
        return; // stays on the taskbar, where restoring it shows the box again
    cancelChoice();
    minimized ? tray_.minimized() : tray_.restored();
}

void MainWindow::cancelChoice() {
    if (choosingKey())
        chooser_.cancel();
}

void MainWindow::keysChanged() {
    keys_.keysChanged();
    showKeys();
}

void MainWindow::showKeys() {
    // While its key is chosen, a slot's label takes the room of its two lists, for the prompt
    // or the word on a refused key.
    const std::optional<int> choosing = triggers_.choosing();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const bool asking = choosing == slot;
        Label& label = c_.keyLabel(slot);
        label.setCaption(chooser_.label(slot));
        const Rect lists = c_.slotMessage(slot).rect();
        label.setWidth(asking ? lists.left + lists.width - label.rect().left : kKeyLabelWidth);
        c_.slotMenu(slot).setVisible(!asking);
        c_.slotMessage(slot).setVisible(!asking);
    }
}

void MainWindow::showOptions() {
    c_.onlyInGameBox.setChecked(options_.onlyInGame);
    c_.gameButton.setCaption(game_.buttonCaption());
}

void MainWindow::showLoginStart() {
    c_.loginStartBox.setChecked(loginStart_.on());
}

void MainWindow::showStatus() {
    c_.statusLabel.setCaption(statusCaption(status_.shown));
    c_.statusLabel.setForeColor(status_.dim ? SysColor::Desktop : SysColor::Highlight);
    c_.statusLabel.setVisible(!status_.shrunk);
    c_.window.setOuterHeight(status_.shrunk ? kShrunkHeight : 0);
}

void MainWindow::showAsked() {
    tray_.show();
    showLoginStart(); // the desktop's settings may have changed the entry meanwhile
}

void MainWindow::trayEvent(TrayEvent event) {
    cancelChoice();
    showLoginStart();
    if (tray_.trayEvent(event))
        close();
}

void MainWindow::exitClicked() {
    // With the status poll still waiting for the server there is no answer to decide the news
    // on: the program ends at once, without deciding what comes after the window.
    if (statusLink_.asking()) {
        c_.window.setVisible(false);
        keys_.stop();
        game_.stop();
        access_.stop();
        statusLink_.stop();
        desktop_.endProcess();
        return;
    }
    close();
}

std::optional<NewsHandOff> MainWindow::newsDecision() const {
    return statusLink_.newsDecision(readDeclinedNews(files_));
}

void MainWindow::close() {
    if (!open_)
        return;
    open_ = false;
    cancelChoice();
    tray_.removeIcon();
    // Nothing of the main window runs once it is closed: no keys are typed while the news window
    // is open, and no status arrives for a window that is gone.
    keys_.stop();
    game_.stop();
    access_.stop();
    statusLink_.stop();
    if (onClosing_)
        onClosing_();
    c_.window.setVisible(false);
    if (onClosed_)
        onClosed_();
}

} // namespace bt
