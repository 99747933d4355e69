#pragma once

// How the Linux program types, chosen once at the start. On X11, and on Wayland desktops without
// the RemoteDesktop portal (sway and the other wlroots desktops), keys go by XTest as ever. On a
// Wayland desktop that has the portal (KDE Plasma, GNOME), Xwayland hands XTest keys to the
// compositor, which asks the player at the first key typed, over the game; so the program asks
// the portal itself, at the start, for a session that types on the keyboard, offering the restore
// token of its last run so that the desktop asks only once, and types every key through that
// session. The portal's answer comes on the event loop whenever the player gives it.

// moc cannot read the C++20 library headers these bring in, and needs none of them.
#ifndef Q_MOC_RUN
#include "backends/x11/x11_typist.h"
#include "base/system/typing_permission.h"
#include "base/system/typist.h"
#endif

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <deque>
#include <functional>
#include <string>

class QDBusPendingCallWatcher;

namespace bt::qt {

class PortalTypist : public QObject, public Typist, public TypingPermission {
    Q_OBJECT
  public:
    // waylandSession: the desktop runs Wayland, where XTest may be the compositor's to allow.
    PortalTypist(x11::X11Typist& xtest, bool waylandSession);
    ~PortalTypist() override;
    PortalTypist(const PortalTypist&) = delete;
    PortalTypist& operator=(const PortalTypist&) = delete;

    Permission ask(std::string_view lastGrant,
                   std::function<void(const PermissionChange&)> changed) override;
    void withdraw() override;
    TypeOutcome typeKey(TypedKey key) override;

    // The name the program gives itself to the desktop: its desktop file's.
    static constexpr const char* kAppId = "com.brontek.tarnlow";

  private slots:
    void requestAnswered(uint response, const QVariantMap& results);
    void sessionClosed(const QVariantMap& details);
    void portalGone();

  private:
    enum class Step { Idle, Version, CreateSession, SelectDevices, Start, Typing, Over };

    void versionAnswered(QDBusPendingCallWatcher* call);
    void useXTest();
    void request(const QString& method, QList<QVariant> args, QVariantMap options);
    void watchRequest(const QString& path);
    void stopWatchingRequest();
    void stepFailed();
    void selectDevices();
    void tapShift();
    void end(Permission why);
    void withdrawQuietly();
    void report(Permission now, std::string grant = {});
    // Key events go to the desktop one call at a time, each once the last is answered: sent
    // back to back, KWin was seen to lose a press or a release now and then (a key missing, or
    // one left held and repeating in the game).
    void notify(const QString& method, int code, bool pressed);
    void sendNextKeyEvent();

    x11::X11Typist& xtest_;
    const bool wayland_;
    QDBusConnection bus_;
    std::function<void(const PermissionChange&)> changed_;
    std::string lastGrant_;
    Step step_ = Step::Idle;
    bool throughPortal_ = false;
    QString requestPath_; // the portal's question or step under way
    QString session_;
    unsigned tokens_ = 0;
    struct KeyEvent {
        QString method;
        int code;
        bool pressed;
    };
    std::deque<KeyEvent> keyEvents_; // not yet sent
    bool keyEventSent_ = false;      // and not yet answered
};

} // namespace bt::qt
