#include "backends/qt/qt_platform.h"

#include "backends/posix/posix_files.h"
#include "base/link_policy.h"

#include "backends/qt/twips.h"
#include <chrono>

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
#include <QSocketNotifier>
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
    // The keypad's events wake the program: without them the key poll sleeps.
    if (keyboard_.ok()) {
        auto* notifier = new QSocketNotifier(keyboard_.connectionFd(), QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this] { keypadEvents(); });
    }
    tray_ = new QSystemTrayIcon(this);
    // The icon's clicks are handled once the click itself has been delivered, never inside it:
    // "Show" and "Exit" hide the icon, which on an XEmbed tray deletes the very widget whose
    // mouse event is still being delivered.
    connect(
        tray_, &QSystemTrayIcon::activated, this,
        [this](QSystemTrayIcon::ActivationReason r) { trayActivated(static_cast<int>(r)); },
        Qt::QueuedConnection);
}

QtPlatform::~QtPlatform() = default;

void QtPlatform::setWindow(WindowId id, QWidget* w) {
    windows_[id] = w;
}

void QtPlatform::setIcon(const QIcon& icon) {
    tray_->setIcon(icon);
}

Millis QtPlatform::now() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void QtPlatform::listen(std::function<void(const KeyEvent&)> onEvent) {
    onKey_ = std::move(onEvent);
}

void QtPlatform::watch(const KeyWatch& watch) {
    // Key events still queued happened before the change: they are reported as things stood.
    keypadEvents();
    std::vector<unsigned> keycodes;
    for (const KeyCode key : watch.keys)
        keycodes.push_back(key.value);
    keyboard_.watch(std::move(keycodes), watch.everyKey);
}

KeyCode QtPlatform::keypadKey(int digit) const {
    return KeyCode{keyboard_.keypadKeycode(digit)};
}

std::optional<PressedKey> QtPlatform::describeKey(KeyCode key) const {
    return keyboard_.describe(key.value);
}

void QtPlatform::keypadEvents() {
    // Each event is handed on with the time it is read: the X connection is read as soon as it
    // has something, and before every poll.
    keyboard_.drain([this](unsigned keycode, bool down) {
        if (onKey_)
            onKey_(KeyEvent{KeyCode{keycode}, down, now()});
    });
}

void QtPlatform::typeKey(TypedKey key) {
    typist_.type(key.character());
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

void QtPlatform::trayAdd(std::string_view tip) {
    tray_->setToolTip(qs(tip));
    tray_->show();
}

void QtPlatform::trayDelete() {
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
        trayHandler_(TrayEvent::ShowAsked);
        break;
    case QSystemTrayIcon::Context:
        trayHandler_(TrayEvent::MenuAsked);
        break;
    case QSystemTrayIcon::Trigger:
        // StatusNotifier hosts never report a double-click: there a single activation is the
        // only way to ask for the window, so it shows it.
        if (statusNotifierHost())
            trayHandler_(TrayEvent::ShowAsked);
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

void QtPlatform::bringToFront(WindowId window) {
    if (QWidget* w = windows_[window]) {
        w->raise();
        w->activateWindow();
    }
}

void QtPlatform::endProcess() {
    if (ended_)
        return;
    ended_ = true;
    for (auto& [owner, q] : qtimers_)
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

void QtPlatform::openLink(std::string_view url) {
    if (isWebLink(url))
        QDesktopServices::openUrl(QUrl(qs(url), QUrl::StrictMode));
}

QTimer* QtPlatform::qtimerFor(const void* owner, std::function<void()> onTimeout) {
    QTimer*& q = qtimers_[owner];
    if (!q) {
        q = new QTimer(this);
        q->setTimerType(Qt::PreciseTimer);
        connect(q, &QTimer::timeout, q, std::move(onTimeout));
    }
    q->stop();
    return q;
}

void QtPlatform::timerChanged(Timer& timer) {
    QTimer* q = qtimerFor(&timer, [this, &timer] { timer.fire(now()); });
    if (!timer.armed() || ended_)
        return;
    q->setSingleShot(false);
    q->start(timer.interval());
}

void QtPlatform::alarmChanged(Alarm& alarm) {
    QTimer* q = qtimerFor(&alarm, [this, &alarm] {
        // Key events that came since the notifier last looked count for this poll.
        keypadEvents();
        alarm.ring(now());
    });
    if (!alarm.due() || ended_)
        return;
    q->setSingleShot(true);
    q->start(static_cast<int>(std::max<Millis>(0, *alarm.due() - now())));
}

void QtPlatform::forget(const void* owner) {
    const auto it = qtimers_.find(owner);
    if (it == qtimers_.end())
        return;
    it->second->stop();
    it->second->disconnect();
    it->second->deleteLater();
    qtimers_.erase(it);
}

void QtPlatform::timerDestroyed(Timer& timer) {
    forget(&timer);
}

void QtPlatform::alarmDestroyed(Alarm& alarm) {
    forget(&alarm);
}

} // namespace bt::qt
