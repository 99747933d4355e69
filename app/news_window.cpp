#include "app/news_window.h"

namespace bt {

NewsWindow::NewsWindow(Platform& platform)
    : platform_(platform), w_(platform), download_(w_), links_(w_, platform) {
    w_.exitButton.setOnClick([this] { unload(); });
}

void NewsWindow::open(const std::string& serverUrl, const std::string& newsId) {
    w_.serverUrl = serverUrl;
    w_.newsId.setText(newsId);
    loaded_ = true;
    w_.window.setVisible(true);
    for (Timer* t : w_.timers())
        t->attach(platform_);
}

void NewsWindow::closingStep() {
    if (w_.declineBox.value() != 1)
        return;
    // Replaced as a whole, like "binds". The program is ending; a failure is still told, since
    // the player would otherwise see this news again without knowing why.
    const FileWriteResult r =
        platform_.replaceFile(w_.declinedNewsFileName, w_.newsId.text() + "\r\n");
    if (!r.ok)
        platform_.messageBox("Your choice not to show this news again could not be saved to the "
                             "file \"" +
                                 w_.declinedNewsFileName + "\": " + r.error + ".",
                             "Brontek tarnlow");
}

void NewsWindow::unload() {
    if (!loaded_)
        return;
    loaded_ = false;
    for (Timer* t : w_.timers())
        t->setEnabled(false);
    w_.feedTransfer.cancel();
    closingStep();
    w_.window.setVisible(false);
    if (onUnloaded_)
        onUnloaded_();
}

} // namespace bt
