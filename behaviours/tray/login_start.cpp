#include "behaviours/tray/login_start.h"

#include "base/system/autostart.h"
#include "base/system/dialogs.h"
#include "base/texts.h"

namespace bt {

bool LoginStart::on() {
    return autostart_.entry() == AutostartEntry::Ours;
}

std::string LoginStart::caption() const {
    return autostart_.caption();
}

void LoginStart::set(bool on) {
    if (on == this->on())
        return;
    const AutostartResult result = on ? autostart_.write() : autostart_.remove();
    if (!result.ok)
        dialogs_.messageBox("\"" + caption() + "\" could not be turned " + (on ? "on" : "off") +
                                ": " + result.error + ".",
                            kBoxTitle);
}

} // namespace bt
