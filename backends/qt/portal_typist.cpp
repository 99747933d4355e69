#include "backends/qt/portal_typist.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace bt::qt {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kRemoteDesktop = QStringLiteral("org.freedesktop.portal.RemoteDesktop");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString kSession = QStringLiteral("org.freedesktop.portal.Session");
// The first version that keeps a grant with a restore token.
constexpr uint kVersionThatRemembers = 2;
constexpr uint kKeyboard = 1;
constexpr uint kUntilRevoked = 2;
// Xwayland's keymaps number the keys as evdev does, eight higher.
constexpr int kEvdevOffset = 8;

QDBusMessage portalCall(const QString& interface, const QString& method) {
    return QDBusMessage::createMethodCall(kService, kPath, interface, method);
}

// A session handle comes as a string from some portals and an object path from others.
QString pathIn(const QVariant& value) {
    if (value.userType() == qMetaTypeId<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

} // namespace

namespace {
const QString kConnection = QStringLiteral("brontek-portal");
} // namespace

// No connection until one is needed: on X11 the program asks the bus nothing at its start (where
// no session bus runs, D-Bus would try to start one).
PortalTypist::PortalTypist(x11::X11Typist& xtest, bool waylandSession)
    : xtest_(xtest), wayland_(waylandSession), bus_(kConnection) {}

PortalTypist::~PortalTypist() {
    withdraw();
    if (bus_.isConnected())
        QDBusConnection::disconnectFromBus(kConnection);
}

Permission PortalTypist::ask(std::string_view lastGrant,
                             std::function<void(const PermissionChange&)> changed) {
    changed_ = std::move(changed);
    lastGrant_ = lastGrant;
    // A connection of its own: the portal takes the program's name only on a connection that has
    // asked it nothing yet, and Qt may have asked it something on the shared one.
    if (wayland_ && qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
        bus_ = QDBusConnection::connectToBus(QDBusConnection::SessionBus, kConnection);
    if (!wayland_ || !bus_.isConnected()) {
        useXTest();
        return Permission::Granted;
    }
    // The program names itself first, by its desktop file, so the desktop's question shows its
    // name; a portal without the registry names it by itself, and its error is of no concern.
    QDBusMessage registration =
        portalCall(QStringLiteral("org.freedesktop.host.portal.Registry"), "Register");
    registration << QString::fromLatin1(kAppId) << QVariantMap();
    step_ = Step::Version;
    auto* named = new QDBusPendingCallWatcher(bus_.asyncCall(registration), this);
    connect(named, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        if (step_ != Step::Version)
            return;
        QDBusMessage properties =
            portalCall(QStringLiteral("org.freedesktop.DBus.Properties"), "GetAll");
        properties << kRemoteDesktop;
        auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(properties), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, &PortalTypist::versionAnswered);
    });
    return Permission::Asking;
}

void PortalTypist::versionAnswered(QDBusPendingCallWatcher* call) {
    call->deleteLater();
    if (step_ != Step::Version)
        return;
    const QDBusPendingReply<QVariantMap> reply = *call;
    const QVariantMap properties = reply.isError() ? QVariantMap() : reply.value();
    if (properties.value(QStringLiteral("version")).toUInt() < kVersionThatRemembers ||
        !(properties.value(QStringLiteral("AvailableDeviceTypes")).toUInt() & kKeyboard)) {
        // No portal, one that cannot remember, or one without a keyboard to give: this desktop
        // lets XTest through (sway, Hyprland, gamescope), or asks for it itself.
        useXTest();
        report(Permission::Granted);
        return;
    }
    throughPortal_ = true;
    auto* gone =
        new QDBusServiceWatcher(kService, bus_, QDBusServiceWatcher::WatchForUnregistration, this);
    connect(gone, &QDBusServiceWatcher::serviceUnregistered, this, &PortalTypist::portalGone);
    step_ = Step::CreateSession;
    request("CreateSession", {},
            {{QStringLiteral("session_handle_token"), QStringLiteral("brontek%1").arg(++tokens_)}});
}

void PortalTypist::useXTest() {
    throughPortal_ = false;
    step_ = Step::Typing;
}

// Each step of the conversation is a request whose answer comes as its Response signal, which is
// watched on the path the portal will give it before the call is made, so it cannot be missed.
void PortalTypist::request(const QString& method, QList<QVariant> args, QVariantMap options) {
    const QString token = QStringLiteral("brontek%1").arg(++tokens_);
    options.insert(QStringLiteral("handle_token"), token);
    QString sender = bus_.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    watchRequest(
        QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token));
    QDBusMessage call = portalCall(kRemoteDesktop, method);
    args.append(options);
    call.setArguments(args);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    const Step step = step_;
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, step](QDBusPendingCallWatcher* answered) {
                answered->deleteLater();
                if (step_ != step)
                    return;
                const QDBusPendingReply<QDBusObjectPath> reply = *answered;
                if (reply.isError())
                    stepFailed();
                else if (reply.value().path() != requestPath_)
                    watchRequest(reply.value().path()); // a portal that names its own paths
            });
}

void PortalTypist::watchRequest(const QString& path) {
    stopWatchingRequest();
    requestPath_ = path;
    bus_.connect(kService, requestPath_, kRequest, QStringLiteral("Response"), this,
                 SLOT(requestAnswered(uint, QVariantMap)));
}

void PortalTypist::stopWatchingRequest() {
    if (requestPath_.isEmpty())
        return;
    bus_.disconnect(kService, requestPath_, kRequest, QStringLiteral("Response"), this,
                    SLOT(requestAnswered(uint, QVariantMap)));
    requestPath_.clear();
}

// A step the portal could not take. A kept grant it will not take (damaged, or another portal's)
// is dropped and the keyboard asked for afresh, once; anything else ends the run's typing.
void PortalTypist::stepFailed() {
    if (step_ == Step::SelectDevices && !lastGrant_.empty()) {
        lastGrant_.clear();
        selectDevices();
        return;
    }
    end(Permission::Failed);
}

void PortalTypist::selectDevices() {
    QVariantMap options{{QStringLiteral("types"), kKeyboard},
                        {QStringLiteral("persist_mode"), kUntilRevoked}};
    if (!lastGrant_.empty())
        options.insert(QStringLiteral("restore_token"), QString::fromStdString(lastGrant_));
    step_ = Step::SelectDevices;
    request("SelectDevices", {QVariant::fromValue(QDBusObjectPath(session_))}, options);
}

void PortalTypist::requestAnswered(uint response, const QVariantMap& results) {
    stopWatchingRequest();
    if (response == 1) {
        end(Permission::Refused); // the player said no
        return;
    }
    if (response != 0) {
        stepFailed();
        return;
    }
    const QVariant session = QVariant::fromValue(QDBusObjectPath(session_));
    switch (step_) {
    case Step::CreateSession:
        session_ = pathIn(results.value(QStringLiteral("session_handle")));
        if (!session_.startsWith(QLatin1Char('/'))) {
            session_.clear();
            end(Permission::Failed);
            break;
        }
        bus_.connect(kService, session_, kSession, QStringLiteral("Closed"), this,
                     SLOT(sessionClosed(QVariantMap)));
        selectDevices();
        break;
    case Step::SelectDevices:
        step_ = Step::Start;
        request("Start", {session, QString()}, {}); // no parent window: it is not a box of ours
        break;
    case Step::Start:
        if (!(results.value(QStringLiteral("devices")).toUInt() & kKeyboard)) {
            end(Permission::Failed);
            break;
        }
        step_ = Step::Typing;
        // GNOME spends a new session's first key on making its keyboard: a Shift, not a v.
        tapShift();
        report(Permission::Granted,
               results.value(QStringLiteral("restore_token")).toString().toStdString());
        break;
    default:
        break;
    }
}

void PortalTypist::sessionClosed(const QVariantMap&) {
    session_.clear(); // the desktop closed it: nothing to close any more
    end(step_ == Step::Typing ? Permission::TakenBack : Permission::Failed);
}

void PortalTypist::portalGone() {
    if (throughPortal_)
        end(step_ == Step::Typing ? Permission::TakenBack : Permission::Failed);
}

void PortalTypist::tapShift() {
    const int shift = static_cast<int>(xtest_.shiftKeycode()) - kEvdevOffset;
    if (shift <= 0)
        return;
    notify(QStringLiteral("NotifyKeyboardKeycode"), shift, true);
    notify(QStringLiteral("NotifyKeyboardKeycode"), shift, false);
}

// The rest of the run types nothing: the keys stay on the one path chosen at the start, and the
// next start asks again.
void PortalTypist::end(Permission why) {
    if (step_ == Step::Over)
        return;
    withdrawQuietly();
    report(why);
}

void PortalTypist::withdraw() {
    changed_ = nullptr;
    withdrawQuietly();
}

void PortalTypist::withdrawQuietly() {
    if (step_ == Step::Over || !throughPortal_) {
        step_ = Step::Over;
        return;
    }
    step_ = Step::Over;
    // An open question goes away with its request; the desktop ends a session whose program
    // has gone anyway, but not before the program has.
    if (!requestPath_.isEmpty())
        bus_.send(QDBusMessage::createMethodCall(kService, requestPath_, kRequest,
                                                 QStringLiteral("Close")));
    stopWatchingRequest();
    if (!session_.isEmpty())
        bus_.send(
            QDBusMessage::createMethodCall(kService, session_, kSession, QStringLiteral("Close")));
    session_.clear();
}

void PortalTypist::report(Permission now, std::string grant) {
    if (changed_)
        changed_({now, std::move(grant)});
}

TypeOutcome PortalTypist::typeKey(TypedKey key) {
    if (!throughPortal_)
        return step_ == Step::Typing ? xtest_.typeKey(key) : TypeOutcome{TypeResult::Refused, {}};
    if (step_ != Step::Typing)
        return {TypeResult::Refused, {}};
    // The key of the layout Xwayland shares with the desktop, so the digits come right on AZERTY
    // and the keys come back to the trigger input under codes it knows.
    if (const auto place = xtest_.find(key.character())) {
        const int shift = static_cast<int>(xtest_.shiftKeycode()) - kEvdevOffset;
        const int code = static_cast<int>(place->keycode) - kEvdevOffset;
        if (place->shift)
            notify(QStringLiteral("NotifyKeyboardKeycode"), shift, true);
        notify(QStringLiteral("NotifyKeyboardKeycode"), code, true);
        notify(QStringLiteral("NotifyKeyboardKeycode"), code, false);
        if (place->shift)
            notify(QStringLiteral("NotifyKeyboardKeycode"), shift, false);
        TypeOutcome outcome;
        outcome.pressed.push_back(KeyCode{place->keycode});
        if (place->shift)
            outcome.pressed.push_back(KeyCode{xtest_.shiftKeycode()});
        return outcome;
    }
    // A layout without the character: the desktop finds a key for it (v and the digits are
    // Latin-1, whose keysyms are their codes), most likely the one its keymap has it on in
    // another layout, which is the key that comes back.
    const int keysym = static_cast<unsigned char>(key.character());
    notify(QStringLiteral("NotifyKeyboardKeysym"), keysym, true);
    notify(QStringLiteral("NotifyKeyboardKeysym"), keysym, false);
    TypeOutcome outcome;
    if (const unsigned keycode = xtest_.keycodeOf(key.character()))
        outcome.pressed.push_back(KeyCode{keycode});
    return outcome;
}

void PortalTypist::notify(const QString& method, int code, bool pressed) {
    keyEvents_.push_back({method, code, pressed});
    if (!keyEventSent_)
        sendNextKeyEvent();
}

void PortalTypist::sendNextKeyEvent() {
    keyEventSent_ = step_ == Step::Typing && !keyEvents_.empty();
    if (!keyEventSent_)
        return keyEvents_.clear();
    const KeyEvent event = keyEvents_.front();
    keyEvents_.pop_front();
    QDBusMessage call = portalCall(kRemoteDesktop, event.method);
    call << QVariant::fromValue(QDBusObjectPath(session_)) << QVariantMap() << event.code
         << static_cast<uint>(event.pressed ? 1 : 0);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* answered) {
                answered->deleteLater();
                // A session the desktop no longer knows types nothing more.
                if (QDBusPendingReply<>(*answered).isError() && step_ == Step::Typing)
                    end(Permission::TakenBack);
                sendNextKeyEvent();
            });
}

} // namespace bt::qt
