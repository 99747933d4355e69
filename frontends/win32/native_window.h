#pragma once

// The plumbing every window of the program shares: its class, and a window procedure that hands
// each message to the C++ object that owns the window.

#include <windows.h>

namespace bt::win32 {

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
