#pragma once

// The platform of the Linux program: Qt's event loop drives the timers, dialogs and tray; X11
// gives the keypad and types keys; libcurl fetches; files live in the working directory.

#include "backends/curl/curl_http.h"
#include "backends/x11/x11_keypad.h"
#include "backends/x11/x11_typist.h"
#include "base/platform.h"

#include <QObject>
#include <QPointer>

#include <chrono>

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

    bool keypadOk() const { return keypad_.ok(); }
    const std::string& keypadError() const { return keypad_.error(); }
    bool typistOk() const { return typist_.ok(); }

    void setWindow(WindowId id, QWidget* w);
    // Measures how late the given timer's ticks come against their schedule (for the tests).
    void watchLateness(const Timer& timer) { watched_ = &timer; }
    double maxLatenessMs() const { return maxLateness_; }
    long long watchedTicks() const { return watchedTicks_; }
    void setIcon(const QIcon& icon);
    // The icon's mouse messages (515 double-click, 516 right press) go here.
    void setTrayHandler(std::function<void(int)> handler) { trayHandler_ = std::move(handler); }

    bool keypadPressed(int digit) override;
    void sendKeys(std::string_view keys) override;
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
    void navigate(WindowId window, std::string_view url) override;
    void openLink(std::string_view url) override;
    void timerChanged(Timer& timer) override;
    void timerDestroyed(Timer& timer) override;

  private:
    // A timer and the QTimer that drives it. The key poll's ticks lie on a grid from when it was
    // armed; while the keypad has nothing for it, it sleeps and no QTimer runs.
    struct Driven {
        QTimer* qtimer = nullptr;
        std::int64_t gridStart = 0; // ms on the steady clock
        std::int64_t due = 0;
        bool sleeping = false;
    };

    void trayActivated(int reason);
    bool statusNotifierHost() const;
    void keypadEvents();
    void tick(Timer& timer);
    void startAt(Driven& d, std::int64_t due);

    x11::Keypad keypad_;
    x11::Typist typist_;
    CurlHttp http_;
    std::map<Timer*, Driven> timers_;
    std::map<WindowId, QPointer<QWidget>> windows_;
    QSystemTrayIcon* tray_ = nullptr;
    std::function<void(int)> trayHandler_;
    bool ended_ = false;
    char decimalSeparator_ = '.';
    const Timer* watched_ = nullptr;
    double maxLateness_ = 0;
    long long watchedTicks_ = 0;
};

} // namespace bt::qt
