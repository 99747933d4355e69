#pragma once

// The clock of the Linux program: Qt's event loop arms a precise QTimer for each of the core's
// timers and alarms.

#include "base/time/timer.h"

#include <QObject>

#include <functional>
#include <map>

class QTimer;

namespace bt::qt {

class QtClock : public QObject, public Clock {
    Q_OBJECT
  public:
    // The time on the clock the timers run on.
    Millis now() const;
    // Runs before an alarm rings: key events that came meanwhile count for the message it starts.
    void setBeforeRing(std::function<void()> f) { beforeRing_ = std::move(f); }
    // Nothing ticks or rings any more (the program is ending).
    void stopAll();

    void timerChanged(Timer& timer) override;
    void timerDestroyed(Timer& timer) override { forget(&timer); }
    void alarmChanged(Alarm& alarm) override;
    void alarmDestroyed(Alarm& alarm) override { forget(&alarm); }

  private:
    QTimer* qtimerFor(const void* owner, std::function<void()> onTimeout);
    void forget(const void* owner);

    // A QTimer for every timer and alarm, by the object it drives.
    std::map<const void*, QTimer*> qtimers_;
    std::function<void()> beforeRing_;
    bool stopped_ = false;
};

} // namespace bt::qt
