#pragma once

// The plumbing every window of the program shares: its class, and a window procedure that hands
// each message to the C++ object that owns the window.

#include "backends/win32/window_dpi.h"
#include "frontends/win32/native_controls.h"

#include <windows.h>

namespace bt::win32 {

// Sizes the window as its model asks (the design's client size in a frame of this style, or the
// program's outer size), without moving or activating it.
inline void resizeWindow(HWND hwnd, const Window& w, const Twips& twips, DWORD style) {
    const RECT frame = frameAt(style, static_cast<int>(twips.dpi()));
    const PixelSize outer =
        outerSizePx(w, twips, {frame.right - frame.left, frame.bottom - frame.top});
    RECT now;
    GetWindowRect(hwnd, &now);
    // Touched only when it changes: a list dropped down in it would lose its hold on the mouse.
    if (now.right - now.left != outer.width || now.bottom - now.top != outer.height)
        SetWindowPos(hwnd, nullptr, 0, 0, outer.width, outer.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// WM_DPICHANGED: the window was moved to a monitor of another scale (or that monitor's scale
// changed). It goes where Windows suggests, without being activated (the game keeps the focus),
// and its controls and fonts take the new scale; the view then sizes it as its model asks.
inline void followDpiChange(HWND hwnd, NativeControls& controls, WPARAM wp, LPARAM lp) {
    const RECT& r = *reinterpret_cast<const RECT*>(lp);
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    controls.rescale(Twips(HIWORD(wp)));
}

template <typename Owner>
LRESULT CALLBACK ownerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        static_cast<Owner*>(cs->lpCreateParams)->attach(hwnd);
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return owner ? owner->handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

// Registers the class (once) and creates the window; the owner's handle() gets every message.
template <typename Owner>
HWND createOwnedWindow(HINSTANCE instance, const wchar_t* className, HICON icon, DWORD style,
                       const wchar_t* caption, Owner* owner) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ownerProc<Owner>;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = className;
    RegisterClassW(&wc);
    return CreateWindowExW(0, className, caption, style, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100,
                           nullptr, nullptr, instance, owner);
}

} // namespace bt::win32
