#pragma once

// One copy of the program per user and X display. The first copy holds a lock (flock, so a copy
// that dies, however it dies, never leaves a stale one) and listens on a local socket beside it;
// a later start tells it to come to the front and ends.

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

namespace bt::qt {

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // display: the X display this copy runs on, as in $DISPLAY.
    explicit SingleInstance(const QString& display);
    ~SingleInstance() override;

    // True when this is the only copy; it then hears later starts through onAnotherStart.
    bool claim();
    // Asks the running copy to come to the front; false when it could not be reached.
    bool wakeRunningCopy();

    void setOnAnotherStart(std::function<void()> f) { onAnotherStart_ = std::move(f); }

  private:
    QString lockPath_;
    QString socketPath_;
    int lockFd_ = -1;
    QLocalServer* server_ = nullptr;
    std::function<void()> onAnotherStart_;
};

} // namespace bt::qt
