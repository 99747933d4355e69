#include "base/controls/timer.h"

#include <algorithm>

namespace bt {

Timer::~Timer() {
    if (service_)
        service_->timerDestroyed(*this);
}

void Timer::setInterval(int ms) {
    if (ms == interval_)
        return;
    interval_ = ms;
    if (enabled_)
        notify();
}

void Timer::setEnabled(bool on) {
    if (on == enabled_)
        return;
    enabled_ = on;
    notify();
}

void Timer::attach(TimerService& service) {
    service_ = &service;
    notify();
}

void Timer::fire(Millis now) {
    if (enabled_ && onTick_)
        onTick_(now);
}

void Timer::notify() {
    if (service_)
        service_->timerChanged(*this);
}

Alarm::~Alarm() {
    if (service_)
        service_->alarmDestroyed(*this);
}

void Alarm::ringAt(std::optional<Millis> due) {
    if (due == due_)
        return;
    due_ = due;
    if (service_)
        service_->alarmChanged(*this);
}

void Alarm::attach(TimerService& service) {
    service_ = &service;
    service_->alarmChanged(*this);
}

void Alarm::ring(Millis now) {
    if (!due_)
        return;
    const Millis at = std::max(now, *due_);
    due_.reset();
    if (onRing_)
        onRing_(at);
}

} // namespace bt
