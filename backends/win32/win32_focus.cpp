#include "backends/win32/win32_focus.h"

#include "backends/win32/wide.h"

#include <windows.h>

namespace bt::win32 {

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
