#include "backends/qt/qt_tray.h"

#include <QCursor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QMenu>
#include <QSystemTrayIcon>

namespace bt::qt {

QtTray::QtTray(const QIcon& icon) : icon_(new QSystemTrayIcon(icon, this)) {
    // The icon's clicks are handled once the click itself has been delivered, never inside it:
    // "Show" and "Exit" hide the icon, which on an XEmbed tray deletes the very widget whose
    // mouse event is still being delivered.
    connect(
        icon_, &QSystemTrayIcon::activated, this,
        [this](QSystemTrayIcon::ActivationReason r) { activated(static_cast<int>(r)); },
        Qt::QueuedConnection);
}

bool QtTray::available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTray::addIcon(std::string_view tip) {
    icon_->setToolTip(QString::fromUtf8(tip.data(), static_cast<int>(tip.size())));
    icon_->show();
}

void QtTray::removeIcon() {
    icon_->hide();
}

bool QtTray::statusNotifierHost() const {
    const auto bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher"));
}

void QtTray::activated(int reason) {
    if (!handler_)
        return;
    switch (static_cast<QSystemTrayIcon::ActivationReason>(reason)) {
    case QSystemTrayIcon::DoubleClick:
        handler_(TrayEvent::ShowAsked);
        break;
    case QSystemTrayIcon::Context:
        handler_(TrayEvent::MenuAsked);
        break;
    case QSystemTrayIcon::Trigger:
        // StatusNotifier hosts never report a double-click: there a single activation is the
        // only way to ask for the window, so it shows it.
        if (statusNotifierHost())
            handler_(TrayEvent::ShowAsked);
        break;
    default:
        break;
    }
}

namespace {

QString wordsOf(Notice notice) {
    switch (notice) {
    case Notice::KeepsRunningInTray:
        return QStringLiteral("Brontek Tarnlow keeps running in the tray, and its keys keep "
                              "working. To bring the window back, double-click its icon there (a "
                              "single click on some desktops), or choose Show in its menu.");
    case Notice::GameRunsElevated:
        return QStringLiteral("The game runs with more rights than Brontek Tarnlow, so no key "
                              "can reach it. Start Brontek Tarnlow the same way as the game.");
    case Notice::TypingRefused:
        return QStringLiteral("Your desktop asked whether Brontek Tarnlow may control the "
                              "keyboard, and it was not allowed, so its keys will not reach the "
                              "game. To allow it, start Brontek Tarnlow again and answer Allow "
                              "(Share on GNOME). Where the desktop keeps the answer (KDE Plasma: "
                              "System Settings, Application Permissions), change it there.");
    case Notice::TypingUnavailable:
        return QStringLiteral("Your desktop could not ask whether Brontek Tarnlow may control the "
                              "keyboard, so its keys will not reach the game. Start Brontek "
                              "Tarnlow again; if this comes again, your desktop's portal "
                              "(xdg-desktop-portal and its KDE or GNOME part) may be missing.");
    case Notice::TypingTakenBack:
        return QStringLiteral("Your desktop took back Brontek Tarnlow's leave to control the "
                              "keyboard, so its keys no longer reach the game. Start Brontek "
                              "Tarnlow again and answer Allow when the desktop asks.");
    case Notice::KeysNotTyped:
        return QStringLiteral("A voice message could not be typed: the system refused its keys, "
                              "or the keyboard layout lacks them. Brontek Tarnlow tries again at "
                              "the next press.");
    case Notice::OptionsNotSaved:
        return QStringLiteral("Brontek Tarnlow could not save its options to the file "
                              "\"options\", so they hold only until it ends.");
    }
    return {};
}

} // namespace

void QtTray::notify(Notice notice) {
    const QString title = QStringLiteral("Brontek Tarnlow");
    const QString text = wordsOf(notice);
    const auto bus = QDBusConnection::sessionBus();
    const QString service = QStringLiteral("org.freedesktop.Notifications");
    if (bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(service)) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            service, QStringLiteral("/org/freedesktop/Notifications"), service,
            QStringLiteral("Notify"));
        call << QStringLiteral("Brontek Tarnlow") << 0u << QStringLiteral("brontek-tarnlow")
             << title << text << QStringList() << QVariantMap() << -1;
        bus.asyncCall(call); // its answer, the notice's number, is of no use here
        return;
    }
    if (icon_->isVisible())
        icon_->showMessage(title, text, QSystemTrayIcon::Information);
}

PopupChoice QtTray::popupMenu() {
    QMenu menu;
    QAction* show = menu.addAction(QStringLiteral("&Show"));
    QAction* exit = menu.addAction(QStringLiteral("&Exit"));
    QAction* chosen = menu.exec(QCursor::pos());
    if (chosen == show)
        return PopupChoice::Show;
    if (chosen == exit)
        return PopupChoice::Exit;
    return PopupChoice::None;
}

} // namespace bt::qt
