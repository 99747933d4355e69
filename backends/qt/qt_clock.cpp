#include "backends/qt/qt_clock.h"

#include <QTimer>

#include <algorithm>
#include <chrono>

namespace bt::qt {

Millis QtClock::now() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void QtClock::stopAll() {
    stopped_ = true;
    for (auto& [owner, q] : qtimers_)
        q->stop();
}

QTimer* QtClock::qtimerFor(const void* owner, std::function<void()> onTimeout) {
    QTimer*& q = qtimers_[owner];
    if (!q) {
        q = new QTimer(this);
        q->setTimerType(Qt::PreciseTimer);
        connect(q, &QTimer::timeout, q, std::move(onTimeout));
    }
    q->stop();
    return q;
}

void QtClock::timerChanged(Timer& timer) {
    QTimer* q = qtimerFor(&timer, [this, &timer] { timer.fire(now()); });
    if (!timer.armed() || stopped_)
        return;
    q->setSingleShot(false);
    q->start(timer.interval());
}

void QtClock::alarmChanged(Alarm& alarm) {
    QTimer* q = qtimerFor(&alarm, [this, &alarm] {
        if (beforeRing_)
            beforeRing_();
        alarm.ring(now());
    });
    if (!alarm.armed() || stopped_)
        return;
    const Millis at = now();
    q->setSingleShot(true);
    q->start(static_cast<int>(std::max<Millis>(0, alarm.dueFrom(at) - at)));
}

void QtClock::forget(const void* owner) {
    const auto it = qtimers_.find(owner);
    if (it == qtimers_.end())
        return;
    it->second->stop();
    it->second->disconnect();
    it->second->deleteLater();
    qtimers_.erase(it);
}

} // namespace bt::qt
