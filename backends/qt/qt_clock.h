#pragma once

// The clock of the Linux program: the core's schedule, run from Qt's event loop, which waits for
// one timer (a timerfd) armed for the time the schedule answers.

#include "base/time/schedule.h"

#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace bt::qt {

class QtClock : public QObject, public Schedule {
    Q_OBJECT
  public:
    QtClock();
    ~QtClock() override;
    // The time on the clock the schedule runs on: the system's monotonic clock, in milliseconds.
    Millis now() const;
    // Runs before the schedule: key events that came meanwhile count for the message a ring
    // starts.
    void setBeforeRun(std::function<void()> f) { beforeRun_ = std::move(f); }
    // Nothing ticks or rings any more (the program is ending).
    void stopAll();

  protected:
    void runSoon() override { armAt(0); }

  private:
    void runDue();
    // Armed for a time on the clock itself, not for what is left: the timer goes off on the
    // millisecond the schedule named, however long the run took, so keys due an interval apart
    // are typed an interval apart. A time already past goes off at once; nothing: disarmed.
    void armAt(std::optional<Millis> due);

    int fd_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> beforeRun_;
};

} // namespace bt::qt
