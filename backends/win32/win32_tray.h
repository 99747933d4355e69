#pragma once

// The tray of the Windows program: Shell_NotifyIconW on the hidden window, added again when
// Explorer restarts; the icon's clicks as mouse messages.

#include "backends/win32/message_window.h"
#include "base/system/tray.h"

#include <functional>
#include <string>

namespace bt::win32 {

class Win32Tray : public Tray {
  public:
    Win32Tray(MessageWindow& window, HICON icon);
    ~Win32Tray() override;
    void setHandler(std::function<void(TrayEvent)> handler) { handler_ = std::move(handler); }

    bool available() const override { return true; }
    void addIcon(std::string_view tip) override;
    void removeIcon() override;
    PopupChoice popupMenu() override;

  private:
    void add();
    void clicked(UINT mouseMessage);

    MessageWindow& window_;
    HICON icon_;
    std::wstring tip_;
    bool shown_ = false;
    std::function<void(TrayEvent)> handler_;
};

} // namespace bt::win32
