#pragma once

// The system as the program's windows need it: one reference a role, which a front end takes from
// its backends. Each behaviour is given only the roles it uses.

#include "base/system/autostart.h"
#include "base/system/desktop.h"
#include "base/system/dialogs.h"
#include "base/system/files.h"
#include "base/system/focus.h"
#include "base/system/http.h"
#include "base/system/notices.h"
#include "base/system/tray.h"
#include "base/system/trigger_input.h"
#include "base/system/typing_permission.h"
#include "base/system/typist.h"
#include "base/time/timer.h"

namespace bt {

struct System {
    TriggerInput& triggerInput;
    Typist& typist;
    Clock& clock;
    Dialogs& dialogs;
    Tray& tray;
    Desktop& desktop;
    Files& files;
    Http& http;
    Focus& focus;
    Notices& notices;
    TypingPermission& typingPermission;
    Autostart& autostart;
};

} // namespace bt
