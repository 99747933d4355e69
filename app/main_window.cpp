#include "app/main_window.h"

namespace bt {

MainWindow::MainWindow(Platform& platform, std::string serverUrl)
    : platform_(platform), w_(platform, std::move(serverUrl)), editor_(w_), keys_(w_, platform),
      // The slot 0 refresh and the bind apply timer are both first due about 100 ms after start.
      // The refresh re-runs slot 0's menu behaviour, which resets its message: run after the bind
      // text it would lose the file's binding for Numpad 0. So the refresh always comes first.
      bindFile_(w_, platform,
                [this] {
                    if (w_.slotZeroRefreshTimer.enabled())
                        refreshSlotZero();
                }),
      lifecycle_(w_, platform, [this] { unload(); }), status_(w_, platform) {
    w_.slotZeroRefreshTimer.setOnTick([this] { refreshSlotZero(); });
}

void MainWindow::load() {
    w_.counterPage.navigate(w_.serverUrl + "counter.php");
    bindFile_.startupRead();
    loaded_ = true;
    w_.window.setVisible(true);
    for (Timer* t : w_.timers())
        t->attach(platform_);
}

// Once after start, so the preview shows slot 0's binding: the menu list's behaviour refills the
// message list, whose own behaviour then moves the preview to slot 0.
void MainWindow::refreshSlotZero() {
    w_.slotMenu(0).runBehaviour();
    w_.slotZeroRefreshTimer.setEnabled(false);
}

void MainWindow::unload() {
    if (!loaded_)
        return;
    loaded_ = false;
    lifecycle_.removeIcon();
    // Nothing of the main window runs once it is closed: no keys are typed while the news window
    // is open, and no status arrives for a window that is gone.
    for (Timer* t : w_.timers())
        t->setEnabled(false);
    w_.statusTransfer.cancel();
    if (unloadStep_)
        unloadStep_();
    w_.window.setVisible(false);
    if (onUnloaded_)
        onUnloaded_();
}

} // namespace bt
