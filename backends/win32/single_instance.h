#pragma once

// One copy of the Windows program per logon session: a named mutex, and a knock on the running
// copy's hidden window when another start finds it.

#include "backends/win32/message_window.h"

#include <functional>

namespace bt::win32 {

// Run before anything else: true when this is the only copy; otherwise, where the start asks for
// the window, the running copy has been asked to come to the front.
bool claimSingleInstance(bool bringRunningForward);

// The running copy hears later starts here.
void listenForAnotherStart(MessageWindow& window, std::function<void()> onAnotherStart);

} // namespace bt::win32
