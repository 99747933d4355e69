#pragma once

// The clock of the Linux program: the core's schedule, run from Qt's event loop, which waits for
// one precise QTimer armed for the time the schedule answers.

#include "base/time/schedule.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace bt::qt {

class QtClock : public QObject, public Schedule {
    Q_OBJECT
  public:
    QtClock();
    // The time on the clock the schedule runs on.
    Millis now() const;
    // Runs before the schedule: key events that came meanwhile count for the message a ring
    // starts.
    void setBeforeRun(std::function<void()> f) { beforeRun_ = std::move(f); }
    // Nothing ticks or rings any more (the program is ending).
    void stopAll();

  protected:
    void runSoon() override { timer_.start(0); }

  private:
    void runDue();

    QTimer timer_;
    std::function<void()> beforeRun_;
};

} // namespace bt::qt
