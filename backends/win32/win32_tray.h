#pragma once

// The tray of the Windows program: Shell_NotifyIconW on the hidden window, added again when
// Explorer restarts; the icon's clicks as mouse messages. The program's notices are the icon's
// balloons; while the window is out of the tray an icon of their own carries them, gone with them.
// The icon is loaded at the size the shell draws it at the hidden window's scale, which is the
// primary monitor's, where the notification area is; again when that scale changes.

#include "backends/win32/message_window.h"
#include "base/system/notices.h"
#include "base/system/tray.h"

#include <functional>
#include <string>

namespace bt::win32 {

class Win32Tray : public Tray, public Notices {
  public:
    // icon: the program's icon resource, holding an image for each size.
    Win32Tray(MessageWindow& window, const wchar_t* icon);
    ~Win32Tray() override;
    void setHandler(std::function<void(TrayEvent)> handler) { handler_ = std::move(handler); }

    bool available() const override { return true; }
    void addIcon(std::string_view tip) override;
    void removeIcon() override;
    PopupChoice popupMenu() override;
    void notify(Notice notice) override;
    // The notices shown so far, for the test probe.
    int noticesShown() const { return noticesShown_; }
    // The icon the shell is given now, for the test probe.
    HICON icon() const { return icon_; }

  private:
    void removeNoticeIcon();
    // Loads the icon at this scale's size; true when it is another than before.
    bool fitIcon(int dpi);
    void changeIcon(UINT id);

    void add();
    void clicked(UINT mouseMessage);

    MessageWindow& window_;
    const wchar_t* iconResource_;
    HICON icon_ = nullptr;
    int iconPx_ = 0;
    std::wstring tip_;
    bool shown_ = false;
    bool noticeIcon_ = false;
    int noticesShown_ = 0;
    std::function<void(TrayEvent)> handler_;
};

} // namespace bt::win32
