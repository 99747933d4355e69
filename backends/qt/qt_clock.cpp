#include "backends/qt/qt_clock.h"

#include <algorithm>
#include <chrono>

namespace bt::qt {

QtClock::QtClock() {
    // To the millisecond; one that comes early runs nothing and is armed again for the rest.
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { runDue(); });
}

Millis QtClock::now() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void QtClock::stopAll() {
    Schedule::stopAll();
    timer_.stop();
}

void QtClock::runDue() {
    if (beforeRun_)
        beforeRun_();
    // What is left is counted from after the run: typing a key waits for the X server, and the
    // next key would come that much late.
    if (const auto next = run(now()))
        timer_.start(static_cast<int>(std::max<Millis>(0, *next - now())));
}

} // namespace bt::qt
