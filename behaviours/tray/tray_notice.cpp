#include "behaviours/tray/tray_notice.h"

#include "base/system/notices.h"
#include "behaviours/options/options_file.h"

namespace bt {

void TrayNotice::wentIntoTray() {
    if (options_.trayNoticeShown)
        return;
    options_.trayNoticeShown = true;
    notices_.notify(Notice::KeepsRunningInTray);
    file_.save(options_);
}

} // namespace bt
