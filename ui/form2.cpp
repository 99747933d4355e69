#include "ui/form2.h"

namespace bt {

Form2::Form2(Platform& platform)
    : platform_(platform), c_(platform), download_(c_), links_(c_, platform) {
    download_.wire();
    links_.wire();
    c_.command1.setOnClick([this] { unload(); });
}

void Form2::open(const std::string& serverBaseUrl, const std::string& newsId) {
    c_.text(2).setText(serverBaseUrl);
    c_.text(4).setText(newsId);
    loaded_ = true;
    c_.form.setVisible(true);
    for (int n = 1; n <= Form2Controls::kTimers; ++n)
        c_.timer(n).attach(platform_);
}

void Form2::closingStep() {
    if (c_.check1.value() != 1)
        return;
    // Replaced as a whole, like "binds". The program is ending; a failure is still told, since
    // the player would otherwise see this news again without knowing why.
    const FileWriteResult r =
        platform_.replaceFile(c_.commonDialogFileName, c_.text(4).text() + "\r\n");
    if (!r.ok)
        platform_.messageBox("Your choice not to show this news again could not be saved to the "
                             "file \"" +
                                 c_.commonDialogFileName + "\": " + r.error + ".",
                             "Brontek tarnlow");
}

void Form2::unload() {
    if (!loaded_)
        return;
    loaded_ = false;
    for (int n = 1; n <= Form2Controls::kTimers; ++n)
        c_.timer(n).setEnabled(false);
    c_.inet1.cancel();
    closingStep();
    c_.form.setVisible(false);
    if (onUnloaded_)
        onUnloaded_();
}

} // namespace bt
