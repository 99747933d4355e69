#pragma once

// The platform of the Linux program: Qt's event loop drives the timers, dialogs and tray; X11
// reports the trigger keys and types keys; libcurl fetches; files live in the working directory.

#include "backends/curl/curl_http.h"
#include "backends/x11/x11_keyboard.h"
#include "backends/x11/x11_typist.h"
#include "base/platform.h"

#include <QObject>
#include <QPointer>

#include <map>
#include <memory>

class QSystemTrayIcon;
class QTimer;
class QWidget;

namespace bt::qt {

class QtPlatform : public QObject, public Platform {
    Q_OBJECT
  public:
    QtPlatform();
    ~QtPlatform() override;

    bool keypadOk() const { return keyboard_.ok(); }
    const std::string& keypadError() const { return keyboard_.error(); }
    bool typistOk() const { return typist_.ok(); }

    // The time on the clock the program's timers run on.
    Millis now() const;

    void setWindow(WindowId id, QWidget* w);
    void setIcon(const QIcon& icon);
    void setTrayHandler(std::function<void(TrayEvent)> handler) {
        trayHandler_ = std::move(handler);
    }

    void listen(std::function<void(const KeyEvent&)> onEvent) override;
    void watch(const KeyWatch& watch) override;
    KeyCode keypadKey(int digit) const override;
    std::optional<PressedKey> describeKey(KeyCode key) const override;
    const char* keyCodeSystem() const override { return "x11"; }
    void typeKey(TypedKey key) override;
    std::string inputBox(std::string_view prompt, std::string_view title,
                         std::string_view defaultText, int leftTwips, int topTwips) override;
    void messageBox(std::string_view prompt, std::string_view title) override;
    char decimalSeparator() const override;
    bool trayAvailable() const override;
    void trayAdd(std::string_view tip) override;
    void trayDelete() override;
    PopupChoice popupMenu() override;
    void bringToFront(WindowId window) override;
    void endProcess() override;
    std::int64_t fileLength(std::string_view name) override;
    std::optional<std::string> readFile(std::string_view name, std::size_t maxBytes) override;
    FileWriteResult replaceFile(std::string_view name, std::string_view contents) override;
    HttpRequestId httpGet(std::string url, std::function<void(HttpResult)> done) override;
    void httpCancel(HttpRequestId id) override;
    void openLink(std::string_view url) override;
    void timerChanged(Timer& timer) override;
    void timerDestroyed(Timer& timer) override;
    void alarmChanged(Alarm& alarm) override;
    void alarmDestroyed(Alarm& alarm) override;

  private:
    void trayActivated(int reason);
    bool statusNotifierHost() const;
    void keypadEvents();
    QTimer* qtimerFor(const void* owner, std::function<void()> onTimeout);
    void forget(const void* owner);

    x11::Keyboard keyboard_;
    x11::Typist typist_;
    CurlHttp http_;
    // A QTimer for every periodic timer and for the alarm, by the object it drives.
    std::map<const void*, QTimer*> qtimers_;
    std::function<void(const KeyEvent&)> onKey_;
    std::map<WindowId, QPointer<QWidget>> windows_;
    QSystemTrayIcon* tray_ = nullptr;
    std::function<void(TrayEvent)> trayHandler_;
    bool ended_ = false;
    char decimalSeparator_ = '.';
};

} // namespace bt::qt
