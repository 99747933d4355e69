#pragma once

// The scale a window is drawn at, asked in one way for the windows and their fonts: with
// per-monitor awareness a window on a scaled monitor has its own, which the screen's device
// context does not report. For no window, the screen's.

#include "base/twips.h"

#include <windows.h>

namespace bt::win32 {

inline int windowDpi(HWND hwnd) {
    // GetDpiForWindow came with Windows 10 1607; before it, and for no window, the screen's.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto fn = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (fn && hwnd)
        if (const UINT dpi = fn(hwnd); dpi > 0)
            return static_cast<int>(dpi);
    HDC dc = GetDC(hwnd);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    if (dc)
        ReleaseDC(hwnd, dc);
    // No answer at all: the standard scale, rather than a zero every size is divided by.
    return dpi > 0 ? dpi : 96;
}

inline Twips windowTwips(HWND hwnd) {
    return Twips(windowDpi(hwnd));
}

} // namespace bt::win32
