#include "frontends/qt/qt_platform.h"

#include "backends/posix/posix_files.h"
#include "base/link_policy.h"
#include "base/tray_record.h"
#include "frontends/qt/twips.h"

#include <QApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDesktopServices>
#include <QInputDialog>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace bt::qt {

namespace {
QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}
} // namespace

QtPlatform::QtPlatform()
    : http_([this](std::function<void()> f) {
          // Results come from the transfer thread; they are handled on the UI thread.
          QMetaObject::invokeMethod(this, std::move(f), Qt::QueuedConnection);
      }) {
    // The watcher reads the separator ten times a second; the user's locale is read once.
    const QString sep = QLocale().decimalPoint();
    if (sep.size() == 1 && sep[0].unicode() < 0x80)
        decimalSeparator_ = static_cast<char>(sep[0].unicode());
    tray_ = new QSystemTrayIcon(this);
    tray_->setToolTip(QStringLiteral("Brontek tarnlow"));
    // The icon's clicks are handled once the click itself has been delivered, never inside it:
    // "Show" and "Exit" hide the icon, which on an XEmbed tray deletes the very widget whose
    // mouse event is still being delivered.
    connect(
        tray_, &QSystemTrayIcon::activated, this,
        [this](QSystemTrayIcon::ActivationReason r) { trayActivated(static_cast<int>(r)); },
        Qt::QueuedConnection);
}

QtPlatform::~QtPlatform() {
    for (auto& [timer, q] : timers_)
        delete q;
}

void QtPlatform::setWindow(WindowId id, QWidget* w) {
    windows_[id] = w;
}

void QtPlatform::setIcon(const QIcon& icon) {
    tray_->setIcon(icon);
}

bool QtPlatform::keypadPressed(int digit) {
    if (digit == 0)
        keypad_.drain();
    return keypad_.pressed(digit);
}

void QtPlatform::sendKeys(std::string_view keys) {
    if (keys == "{v}") {
        typist_.type('v');
        return;
    }
    for (char c : keys)
        typist_.type(c);
}

std::string QtPlatform::inputBox(std::string_view prompt, std::string_view title,
                                 std::string_view defaultText, int leftTwips, int topTwips) {
    QInputDialog box(windows_[WindowId::Main]);
    box.setWindowTitle(qs(title));
    box.setLabelText(qs(prompt));
    box.setTextValue(qs(defaultText));
    box.setInputMode(QInputDialog::TextInput);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const Twips t(screen->logicalDotsPerInch());
    box.move(screen->geometry().topLeft() + QPoint(t.px(leftTwips), t.px(topTwips)));
    if (box.exec() != QDialog::Accepted)
        return {};
    return box.textValue().toStdString();
}

void QtPlatform::messageBox(std::string_view prompt, std::string_view title) {
    QMessageBox box(QMessageBox::NoIcon, qs(title), qs(prompt), QMessageBox::Ok,
                    windows_[WindowId::Main]);
    box.exec();
}

char QtPlatform::decimalSeparator() const {
    return decimalSeparator_;
}

bool QtPlatform::trayAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtPlatform::trayAdd(const TrayRecord& record) {
    tray_->setToolTip(qs(record.tip()));
    tray_->show();
}

void QtPlatform::trayDelete(const TrayRecord&) {
    tray_->hide();
}

bool QtPlatform::statusNotifierHost() const {
    const auto bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher"));
}

void QtPlatform::trayActivated(int reason) {
    if (!trayHandler_)
        return;
    switch (static_cast<QSystemTrayIcon::ActivationReason>(reason)) {
    case QSystemTrayIcon::DoubleClick:
        trayHandler_(kTrayDoubleClick);
        break;
    case QSystemTrayIcon::Context:
        trayHandler_(kTrayRightDown);
        break;
    case QSystemTrayIcon::Trigger:
        // StatusNotifier hosts never report a double-click: there a single activation is the
        // only way to ask for the window, so it shows it.
        if (statusNotifierHost())
            trayHandler_(kTrayDoubleClick);
        break;
    default:
        break;
    }
}

PopupChoice QtPlatform::popupMenu() {
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

std::uint64_t QtPlatform::windowHandle(WindowId window) const {
    const auto it = windows_.find(window);
    return it != windows_.end() && it->second ? static_cast<std::uint64_t>(it->second->winId()) : 0;
}

std::uint64_t QtPlatform::windowIconHandle(WindowId) const {
    return static_cast<std::uint64_t>(tray_->icon().cacheKey());
}

void QtPlatform::endProcess() {
    if (ended_)
        return;
    ended_ = true;
    for (auto& [timer, q] : timers_)
        q->stop();
    QCoreApplication::exit(0);
}

std::int64_t QtPlatform::fileLength(std::string_view name) {
    return posix::fileLength(name);
}

std::optional<std::string> QtPlatform::readFile(std::string_view name, std::size_t maxBytes) {
    return posix::readFile(name, maxBytes);
}

FileWriteResult QtPlatform::replaceFile(std::string_view name, std::string_view contents) {
    return posix::replaceFile(name, contents);
}

HttpRequestId QtPlatform::httpGet(std::string url, std::function<void(HttpResult)> done) {
    return http_.get(std::move(url), std::move(done));
}

void QtPlatform::httpCancel(HttpRequestId id) {
    http_.cancel(id);
}

void QtPlatform::navigate(WindowId window, std::string_view url) {
    // The main window's page area only exists to ask the counter page: a plain GET whose answer
    // is not looked at. The news window shows its pages itself (a link to the page).
    if (window == WindowId::Main && isWebLink(url))
        http_.get(std::string(url), nullptr);
}

void QtPlatform::openLink(std::string_view url) {
    if (isWebLink(url))
        QDesktopServices::openUrl(QUrl(qs(url), QUrl::StrictMode));
}

void QtPlatform::timerChanged(Timer& timer) {
    QTimer*& q = timers_[&timer];
    if (!q) {
        q = new QTimer;
        q->setTimerType(Qt::PreciseTimer);
        QObject::connect(q, &QTimer::timeout, q, [this, &timer] {
            if (&timer == watched_) {
                const auto now = std::chrono::steady_clock::now();
                auto& due = due_[&timer];
                const double late = std::chrono::duration<double, std::milli>(now - due).count();
                maxLateness_ = std::max(maxLateness_, late);
                ++watchedTicks_;
                due += std::chrono::milliseconds(timer.interval());
            }
            timer.fire();
        });
    }
    if (timer.armed() && !ended_) {
        q->start(timer.interval());
        due_[&timer] =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timer.interval());
    } else {
        q->stop();
    }
}

void QtPlatform::timerDestroyed(Timer& timer) {
    due_.erase(&timer);
    if (watched_ == &timer)
        watched_ = nullptr;
    const auto it = timers_.find(&timer);
    if (it == timers_.end())
        return;
    it->second->stop();
    it->second->disconnect();
    it->second->deleteLater();
    timers_.erase(it);
}

} // namespace bt::qt
