#include "backends/win32/win32_tray.h"

#include "backends/win32/wide.h"

#include <shellapi.h>

#include <iterator>
#include <optional>

namespace bt::win32 {

namespace {
constexpr UINT kTrayCallback = WM_APP + 2;
constexpr UINT kTrayId = 1;
} // namespace

Win32Tray::Win32Tray(MessageWindow& window, HICON icon) : window_(window), icon_(icon) {
    window_.onMessage(kTrayCallback, [this](WPARAM, LPARAM lp) {
        clicked(LOWORD(lp));
        return LRESULT{0};
    });
    // Explorer restarted: the icon is gone with it, and the window behind it with no way back.
    window_.onMessage(RegisterWindowMessageW(L"TaskbarCreated"), [this](WPARAM, LPARAM) {
        if (shown_)
            add();
        return LRESULT{0};
    });
}

Win32Tray::~Win32Tray() {
    if (shown_)
        removeIcon();
}

void Win32Tray::add() {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = window_.hwnd();
    nid.uID = kTrayId;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = kTrayCallback;
    nid.hIcon = icon_;
    lstrcpynW(nid.szTip, tip_.c_str(), static_cast<int>(std::size(nid.szTip)));
    Shell_NotifyIconW(NIM_ADD, &nid);
}

void Win32Tray::addIcon(std::string_view tip) {
    tip_ = widen(tip);
    shown_ = true;
    add();
}

void Win32Tray::removeIcon() {
    shown_ = false;
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = window_.hwnd();
    nid.uID = kTrayId;
    Shell_NotifyIconW(NIM_DELETE, &nid);
}

void Win32Tray::clicked(UINT mouseMessage) {
    // A double-click asks for the window, the right button for the menu; the rest means nothing
    // here. Handled after this message, as on Linux: "Exit" deletes the icon whose message this is.
    std::optional<TrayEvent> event;
    if (mouseMessage == WM_LBUTTONDBLCLK)
        event = TrayEvent::ShowAsked;
    else if (mouseMessage == WM_RBUTTONDOWN)
        event = TrayEvent::MenuAsked;
    if (!event)
        return;
    window_.post([this, e = *event] {
        if (handler_)
            handler_(e);
    });
}

PopupChoice Win32Tray::popupMenu() {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 1, L"&Show");
    AppendMenuW(menu, MF_STRING, 2, L"&Exit");
    POINT pt{};
    GetCursorPos(&pt);
    // Without this the menu would not close when the player clicks elsewhere.
    SetForegroundWindow(window_.hwnd());
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0,
                                      window_.hwnd(), nullptr);
    PostMessageW(window_.hwnd(), WM_NULL, 0, 0);
    DestroyMenu(menu);
    return chosen == 1 ? PopupChoice::Show : chosen == 2 ? PopupChoice::Exit : PopupChoice::None;
}

} // namespace bt::win32
