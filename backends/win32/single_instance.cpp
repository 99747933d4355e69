#include "backends/win32/single_instance.h"

namespace bt::win32 {

namespace {
constexpr const wchar_t* kAnotherStart = L"BrontekTarnlowAnotherStart";
} // namespace

bool claimSingleInstance(bool bringRunningForward) {
    // "Local\\" is the logon session: each session of a user runs its own copy. The system
    // closes the handle when the process ends, however it ends, so no lock is ever left over.
    CreateMutexW(nullptr, FALSE, L"Local\\BrontekTarnlow");
    if (GetLastError() != ERROR_ALREADY_EXISTS)
        return true;
    if (!bringRunningForward)
        return false;
    // The running copy may still be starting: give its window a moment to appear.
    for (int attempt = 0; attempt < 30; ++attempt) {
        if (HWND running = FindWindowW(MessageWindow::kClassName, nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(running, &pid);
            AllowSetForegroundWindow(pid);
            PostMessageW(running, RegisterWindowMessageW(kAnotherStart), 0, 0);
            break;
        }
        Sleep(100);
    }
    return false;
}

void listenForAnotherStart(MessageWindow& window, std::function<void()> onAnotherStart) {
    window.onMessage(RegisterWindowMessageW(kAnotherStart),
                     [f = std::move(onAnotherStart)](WPARAM, LPARAM) {
                         f();
                         return LRESULT{0};
                     });
}

} // namespace bt::win32
