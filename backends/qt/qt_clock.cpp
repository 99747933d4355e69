#include "backends/qt/qt_clock.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace bt::qt {

QtClock::QtClock() : fd_(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC)) {
    if (fd_ < 0) {
        // Only when the system is out of file descriptors or memory: the program cannot keep
        // time, so it says so and does not start.
        std::perror("brontek-tarnlow: no timer");
        std::exit(1);
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        std::uint64_t expirations = 0;
        if (::read(fd_, &expirations, sizeof expirations) == sizeof expirations)
            runDue();
    });
}

QtClock::~QtClock() {
    notifier_.reset();
    ::close(fd_);
}

Millis QtClock::now() const {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return Millis(t.tv_sec) * 1000 + t.tv_nsec / 1'000'000;
}

void QtClock::stopAll() {
    Schedule::stopAll();
    armAt(std::nullopt);
}

void QtClock::armAt(std::optional<Millis> due) {
    itimerspec when{};
    // An absolute time of zero would disarm it: the earliest time there is stands for "at once".
    if (due)
        when.it_value = *due > 0 ? timespec{time_t(*due / 1000), long(*due % 1000) * 1'000'000}
                                 : timespec{0, 1};
    timerfd_settime(fd_, TFD_TIMER_ABSTIME, &when, nullptr);
}

void QtClock::runDue() {
    if (beforeRun_)
        beforeRun_();
    armAt(run(now()));
}

} // namespace bt::qt
