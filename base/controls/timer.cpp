#include "base/controls/timer.h"

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

void Timer::fire() {
    if (enabled_ && onTick_)
        onTick_();
}

void Timer::notify() {
    if (service_)
        service_->timerChanged(*this);
}

} // namespace bt
