#include "frontends/qt/qt_platform.h"

#include "backends/posix/posix_files.h"
#include "base/link_policy.h"
#include "base/poll_grid.h"
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
    if (keypad_.ok()) {
        auto* notifier = new QSocketNotifier(keypad_.connectionFd(), QSocketNotifier::Read, this);
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

QtPlatform::~QtPlatform() {
    for (auto& [timer, d] : timers_)
        delete d.qtimer;
}

void QtPlatform::setWindow(WindowId id, QWidget* w) {
    windows_[id] = w;
}

void QtPlatform::setIcon(const QIcon& icon) {
    tray_->setIcon(icon);
}

bool QtPlatform::keypadPressed(int digit) {
    if (digit == 0)
        keypad_.drain(); // events that came since the notifier last looked
    return keypad_.state().query(digit);
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
    for (auto& [timer, d] : timers_)
        d.qtimer->stop();
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

namespace {
std::int64_t nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

void QtPlatform::startAt(Driven& d, std::int64_t due) {
    d.due = due;
    d.sleeping = false;
    d.qtimer->start(static_cast<int>(std::max<std::int64_t>(0, due - nowMs())));
}

void QtPlatform::timerChanged(Timer& timer) {
    Driven& d = timers_[&timer];
    if (!d.qtimer) {
        d.qtimer = new QTimer;
        d.qtimer->setTimerType(Qt::PreciseTimer);
        QObject::connect(d.qtimer, &QTimer::timeout, d.qtimer, [this, &timer] { tick(timer); });
    }
    d.qtimer->stop();
    d.sleeping = false;
    if (!timer.armed() || ended_)
        return;
    d.gridStart = nowMs();
    // The key poll wakes only for ticks that can find something; the others tick as usual.
    d.qtimer->setSingleShot(timer.wakesOnKeypad());
    if (timer.wakesOnKeypad() && keypad_.state().idle())
        d.sleeping = true;
    else
        startAt(d, d.gridStart + timer.interval());
}

void QtPlatform::tick(Timer& timer) {
    Driven& d = timers_[&timer];
    const std::int64_t now = nowMs();
    if (&timer == watched_) {
        maxLateness_ = std::max(maxLateness_, static_cast<double>(now - d.due));
        ++watchedTicks_;
    }
    if (!timer.wakesOnKeypad())
        d.due += timer.interval();
    timer.fire();
    // The tick may have disabled or re-armed its own timer; a key poll still armed is put to
    // sleep when the keypad has nothing for it, or else runs its next tick on its grid.
    const auto it = timers_.find(&timer);
    if (it == timers_.end() || !timer.wakesOnKeypad() || !timer.armed() ||
        it->second.qtimer->isActive())
        return;
    if (keypad_.state().idle())
        it->second.sleeping = true;
    else
        // Never this tick again, should the system timer have come a hair early.
        startAt(it->second,
                nextTickAfter(it->second.gridStart, timer.interval(), std::max(now, d.due)));
}

void QtPlatform::keypadEvents() {
    if (!keypad_.drain())
        return;
    // A key event wakes a sleeping key poll for the tick plain polling would have run next.
    const std::int64_t now = nowMs();
    for (auto& [timer, d] : timers_)
        if (d.sleeping && timer->armed())
            startAt(d, nextTickAfter(d.gridStart, timer->interval(), now));
}

void QtPlatform::timerDestroyed(Timer& timer) {
    if (watched_ == &timer)
        watched_ = nullptr;
    const auto it = timers_.find(&timer);
    if (it == timers_.end())
        return;
    it->second.qtimer->stop();
    it->second.qtimer->disconnect();
    it->second.qtimer->deleteLater();
    timers_.erase(it);
}

} // namespace bt::qt
