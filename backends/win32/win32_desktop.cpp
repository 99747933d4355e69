#include "backends/win32/win32_desktop.h"

#include "backends/win32/wide.h"

#include <shellapi.h>

namespace bt::win32 {

void Win32Desktop::bringToFront(WindowId window) {
    if (const auto it = windows_.find(window); it != windows_.end())
        SetForegroundWindow(it->second);
}

void Win32Desktop::openLink(std::string_view url) {
    ShellExecuteW(nullptr, nullptr, widen(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32Desktop::endProcess() {
    if (ended_)
        return;
    ended_ = true;
    clock_.stopAll();
    PostQuitMessage(0);
}

} // namespace bt::win32
