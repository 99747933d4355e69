#pragma once

// The tray of the Linux program: Qt's tray icon, on XEmbed trays and StatusNotifier hosts alike;
// and the program's notices, by the desktop's notification service (org.freedesktop.Notifications
// on the session bus), or where there is none as a message from the tray icon.

#include "base/system/notices.h"
#include "base/system/tray.h"

#include <QObject>

#include <functional>

class QIcon;
class QSystemTrayIcon;

namespace bt::qt {

class QtTray : public QObject, public Tray, public Notices {
    Q_OBJECT
  public:
    explicit QtTray(const QIcon& icon);
    void setHandler(std::function<void(TrayEvent)> handler) { handler_ = std::move(handler); }

    bool available() const override;
    void addIcon(std::string_view tip) override;
    void removeIcon() override;
    PopupChoice popupMenu() override;
    void notify(Notice notice) override;

  private:
    void activated(int reason);
    bool statusNotifierHost() const;

    QSystemTrayIcon* icon_;
    std::function<void(TrayEvent)> handler_;
};

} // namespace bt::qt
