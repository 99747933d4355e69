#include "base/time/timer.h"

#include <algorithm>

namespace bt {

Timer::~Timer() {
    if (clock_)
        clock_->timerDestroyed(*this);
}

void Timer::start(int intervalMs) {
    if (running_ && intervalMs == interval_)
        return;
    running_ = true;
    interval_ = intervalMs;
    notify();
}

void Timer::stop() {
    if (!running_)
        return;
    running_ = false;
    notify();
}

void Timer::attach(Clock& clock) {
    clock_ = &clock;
    notify();
}

void Timer::fire(Millis now) {
    if (running_ && onTick_)
        onTick_(now);
}

void Timer::notify() {
    if (clock_)
        clock_->timerChanged(*this);
}

Alarm::~Alarm() {
    if (clock_)
        clock_->alarmDestroyed(*this);
}

void Alarm::ringAt(Millis due) {
    if (due_ == due && !delay_)
        return;
    due_ = due;
    delay_.reset();
    notify();
}

void Alarm::ringAfter(Millis delay) {
    due_.reset();
    delay_ = delay;
    notify();
}

void Alarm::silence() {
    if (!armed())
        return;
    due_.reset();
    delay_.reset();
    notify();
}

void Alarm::attach(Clock& clock) {
    clock_ = &clock;
    notify();
}

Millis Alarm::dueFrom(Millis now) {
    if (delay_) {
        due_ = now + *delay_;
        delay_.reset();
    }
    return due_.value_or(now);
}

void Alarm::ring(Millis now) {
    if (!due_)
        return;
    const Millis at = std::max(now, *due_);
    due_.reset();
    if (onRing_)
        onRing_(at);
}

void Alarm::notify() {
    if (clock_)
        clock_->alarmChanged(*this);
}

} // namespace bt
