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
    if (result.ok)
        return;
    // Built by appending: GCC 12 warns falsely (-Wrestrict) of a string built with operator+
    // from a literal.
    std::string message = "\"";
    message += caption();
    message += on ? "\" could not be turned on: " : "\" could not be turned off: ";
    message += result.error;
    message += '.';
    dialogs_.messageBox(message, kBoxTitle);
}

} // namespace bt
