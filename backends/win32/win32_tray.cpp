#include "backends/win32/win32_tray.h"

#include "backends/win32/wide.h"
#include "backends/win32/window_dpi.h"

#include <shellapi.h>

#include <iterator>
#include <optional>

namespace bt::win32 {

namespace {
constexpr UINT kTrayCallback = WM_APP + 2;
constexpr UINT kTrayId = 1;
constexpr UINT kNoticeCallback = WM_APP + 4;
constexpr UINT kNoticeId = 2;

NOTIFYICONDATAW iconData(HWND window, UINT id) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = window;
    nid.uID = id;
    return nid;
}

const wchar_t* wordsOf(Notice notice) {
    switch (notice) {
    case Notice::KeepsRunningInTray:
        return L"Brontek Tarnlow keeps running in the notification area, and its keys keep "
               L"working. To bring the window back, double-click its icon there or choose Show in "
               L"its menu. If you do not see it, it is behind the arrow (^) at the end of the "
               L"taskbar.";
    case Notice::GameRunsElevated:
        return L"The game runs as administrator, so Windows keeps its keys from Brontek Tarnlow "
               L"and drops the keys it types. Start Brontek Tarnlow as administrator too "
               L"(right-click it, Run as administrator).";
    case Notice::TypingRefused:
    case Notice::TypingUnavailable:
    case Notice::TypingTakenBack:
        return L"Windows does not let Brontek Tarnlow type, so its keys will not reach the game.";
    case Notice::KeysNotTyped:
        return L"A voice message could not be typed: Windows refused its keys (the lock screen or "
               L"a User Account Control prompt may have been in front). Brontek Tarnlow tries "
               L"again at the next press.";
    case Notice::OptionsNotSaved:
        return L"Brontek Tarnlow could not save its options to the file \"options\", so they "
               L"hold only until it ends.";
    }
    return L"";
}
} // namespace

Win32Tray::Win32Tray(MessageWindow& window, const wchar_t* icon)
    : window_(window), iconResource_(icon) {
    fitIcon(windowDpi(window_.hwnd()));
    // Windows tells the hidden window when its monitor's scale changes; Wine never does.
    window_.onMessage(WM_DPICHANGED, [this](WPARAM wp, LPARAM) {
        if (fitIcon(LOWORD(wp))) {
            if (shown_)
                changeIcon(kTrayId);
            if (noticeIcon_)
                changeIcon(kNoticeId);
        }
        return LRESULT{0};
    });
    window_.onMessage(kTrayCallback, [this](WPARAM, LPARAM lp) {
        clicked(LOWORD(lp));
        return LRESULT{0};
    });
    // The notice's own icon goes once its balloon has gone, whichever way it went.
    window_.onMessage(kNoticeCallback, [this](WPARAM, LPARAM lp) {
        const UINT event = LOWORD(lp);
        if (event == NIN_BALLOONTIMEOUT || event == NIN_BALLOONUSERCLICK ||
            event == NIN_BALLOONHIDE)
            removeNoticeIcon();
        return LRESULT{0};
    });
    // Explorer restarted: the icon is gone with it, and the window behind it with no way back.
    window_.onMessage(RegisterWindowMessageW(L"TaskbarCreated"), [this](WPARAM, LPARAM) {
        fitIcon(windowDpi(window_.hwnd()));
        if (shown_)
            add();
        return LRESULT{0};
    });
}

Win32Tray::~Win32Tray() {
    if (shown_)
        removeIcon();
    removeNoticeIcon();
    if (icon_)
        DestroyIcon(icon_);
}

bool Win32Tray::fitIcon(int dpi) {
    const int px = smallIconPx(dpi);
    if (px == iconPx_)
        return false;
    HICON icon = static_cast<HICON>(
        LoadImageW(window_.instance(), iconResource_, IMAGE_ICON, px, px, LR_DEFAULTCOLOR));
    if (!icon)
        return false;
    if (icon_)
        DestroyIcon(icon_);
    icon_ = icon;
    iconPx_ = px;
    return true;
}

void Win32Tray::changeIcon(UINT id) {
    NOTIFYICONDATAW nid = iconData(window_.hwnd(), id);
    nid.uFlags = NIF_ICON;
    nid.hIcon = icon_;
    Shell_NotifyIconW(NIM_MODIFY, &nid);
}

void Win32Tray::notify(Notice notice) {
    NOTIFYICONDATAW nid = iconData(window_.hwnd(), shown_ ? kTrayId : kNoticeId);
    nid.uFlags = NIF_INFO;
    lstrcpynW(nid.szInfoTitle, L"Brontek Tarnlow", static_cast<int>(std::size(nid.szInfoTitle)));
    lstrcpynW(nid.szInfo, wordsOf(notice), static_cast<int>(std::size(nid.szInfo)));
    nid.dwInfoFlags = NIIF_INFO;
    if (shown_) {
        noticesShown_ += Shell_NotifyIconW(NIM_MODIFY, &nid) ? 1 : 0;
        return;
    }
    removeNoticeIcon(); // one notice at a time
    nid.uFlags |= NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = kNoticeCallback;
    nid.hIcon = icon_;
    lstrcpynW(nid.szTip, tip_.empty() ? L"Brontek tarnlow" : tip_.c_str(),
              static_cast<int>(std::size(nid.szTip)));
    noticeIcon_ = Shell_NotifyIconW(NIM_ADD, &nid) != 0;
    noticesShown_ += noticeIcon_ ? 1 : 0;
}

void Win32Tray::removeNoticeIcon() {
    if (!noticeIcon_)
        return;
    noticeIcon_ = false;
    NOTIFYICONDATAW nid = iconData(window_.hwnd(), kNoticeId);
    Shell_NotifyIconW(NIM_DELETE, &nid);
}

void Win32Tray::add() {
    NOTIFYICONDATAW nid = iconData(window_.hwnd(), kTrayId);
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
    NOTIFYICONDATAW nid = iconData(window_.hwnd(), kTrayId);
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
