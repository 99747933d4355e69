#include "backends/win32/win32_focus.h"

#include "backends/win32/wide.h"

namespace bt::win32 {

namespace {

// The one instance the hook's callback, which carries no context, reports to.
Win32Focus* g_watching = nullptr;

bool tokenElevated(HANDLE token) {
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    return GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
           elevation.TokenIsElevated;
}

bool processElevated(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return GetLastError() == ERROR_ACCESS_DENIED; // refused to us: it runs higher
    const bool elevated = tokenElevated(token);
    CloseHandle(token);
    return elevated;
}

} // namespace

Win32Focus::Win32Focus() : elevated_(processElevated(GetCurrentProcess())) {}

Win32Focus::~Win32Focus() {
    watchMoves(nullptr);
}

void Win32Focus::watchMoves(std::function<void()> moved) {
    moved_ = std::move(moved);
    if (moved_ && !hook_) {
        g_watching = this;
        hook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                foregroundChanged, 0, 0,
                                WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    } else if (!moved_ && hook_) {
        UnhookWinEvent(hook_);
        hook_ = nullptr;
        g_watching = nullptr;
    }
}

void CALLBACK Win32Focus::foregroundChanged(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    if (g_watching && g_watching->moved_)
        g_watching->moved_();
}

FocusedWindow Win32Focus::focusedWindow() {
    // No window while the activation moves from one to another: then nobody has the keys.
    HWND window = GetForegroundWindow();
    DWORD pid = 0;
    if (!window || !GetWindowThreadProcessId(window, &pid) || !pid)
        return {};
    FocusedWindow focused;
    focused.ours = pid == GetCurrentProcessId();
    // The limited right is granted for a process of higher integrity too (a game run as
    // administrator), unlike the full query right.
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process)
        return focused;
    focused.aboveUs = !elevated_ && processElevated(process);
    wchar_t path[1024];
    DWORD size = sizeof path / sizeof path[0];
    const bool named = QueryFullProcessImageNameW(process, 0, path, &size) != 0;
    CloseHandle(process);
    if (!named)
        return focused;
    const std::wstring_view full(path, size);
    const std::size_t slash = full.find_last_of(L"\\/");
    focused.programNames.push_back(
        narrow(slash == std::wstring_view::npos ? full : full.substr(slash + 1)));
    return focused;
}

} // namespace bt::win32
