#pragma once

// The scale a window is drawn at, asked in one way for the windows and their fonts: with
// per-monitor awareness a window on a scaled monitor has its own, which the screen's device
// context does not report. For no window, the screen's. And what follows from a scale: the frame
// around a window, the size the shell draws a small icon at.

#include "base/twips.h"

#include <windows.h>

namespace bt::win32 {

// The calls for one monitor's scale came with Windows 10 1607; before it there is only the
// system's scale, and they are looked up rather than linked.
template <typename Fn>
Fn user32Call(const char* name) {
    return reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

inline int windowDpi(HWND hwnd) {
    static const auto fn = user32Call<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
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

// The frame of a window of this style at this scale: a window moved to a monitor of another
// scale gets that monitor's frame, not the system's.
inline RECT frameAt(DWORD style, int dpi) {
    static const auto fn =
        user32Call<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, 0, 0};
    if (!fn || !fn(&frame, style, FALSE, 0, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&frame, style, FALSE, 0);
    return frame;
}

// A system metric at this scale (a check box's, a scroll bar's), where the system can say it.
inline int metricAt(int index, int dpi) {
    static const auto fn = user32Call<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    return fn ? fn(index, static_cast<UINT>(dpi)) : MulDiv(GetSystemMetrics(index), dpi, 96);
}

// The tray's icon size at this scale: 16 pixels at 96 dpi, 20 at 120, 24 at 144, 32 at 192.
inline int smallIconPx(int dpi) {
    static const auto fn = user32Call<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    return fn ? fn(SM_CXSMICON, static_cast<UINT>(dpi)) : GetSystemMetrics(SM_CXSMICON);
}

} // namespace bt::win32
