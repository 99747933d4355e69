#pragma once

// The program's clocks: periodic timers (the key send, the status poll, the blink, the connect
// timeout) and alarms that ring once (a message's start, v, the news window's start delay). The
// core's schedule (schedule.h) is told of every change and hands each tick the time the platform
// ran it at; the core itself never reads a clock.

#include "base/time/time.h"

#include <functional>
#include <optional>

namespace bt {

class Alarm;
class Timer;

// What keeps the timers' and alarms' due times: the core's schedule, which every platform runs.
class Clock {
  public:
    virtual ~Clock() = default;
    // The timer started, stopped or got another interval. A running timer ticks one interval
    // from now, and every interval after.
    virtual void timerChanged(Timer& timer) = 0;
    virtual void timerDestroyed(Timer& timer) = 0;
    // The alarm was set to ring, or silenced.
    virtual void alarmChanged(Alarm& alarm) = 0;
    virtual void alarmDestroyed(Alarm& alarm) = 0;
};

class Timer {
  public:
    Timer() = default;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer();

    // Ticks every intervalMs, the first tick one interval from now; a timer already running at
    // this interval goes on as it was.
    void start(int intervalMs);
    void stop();
    bool running() const { return running_; }
    int interval() const { return interval_; }

    void setOnTick(std::function<void(Millis now)> f) { onTick_ = std::move(f); }

    // Connects the timer to its clock; from then on a running timer ticks.
    void attach(Clock& clock);
    bool armed() const { return running_ && interval_ > 0 && clock_ != nullptr; }
    // Called by the clock when the interval has elapsed. A tick may change its own timer.
    void fire(Millis now);

  private:
    void notify();

    int interval_ = 0;
    bool running_ = false;
    Clock* clock_ = nullptr;
    std::function<void(Millis)> onTick_;
};

// Rings once, then is silent until set again.
class Alarm {
  public:
    Alarm() = default;
    Alarm(const Alarm&) = delete;
    Alarm& operator=(const Alarm&) = delete;
    ~Alarm();

    // At this time on the platform's clock. Setting the time it already has changes nothing.
    void ringAt(Millis due);
    // This long from now, for a wait that starts with something that comes with no time (a
    // click): the clock fixes the time when it is told.
    void ringAfter(Millis delay);
    void silence();
    bool armed() const { return due_ || delay_; }
    std::optional<Millis> due() const { return due_; }
    void setOnRing(std::function<void(Millis now)> f) { onRing_ = std::move(f); }

    void attach(Clock& clock);
    // For the clock: the time the alarm rings at, a delay counted from now.
    Millis dueFrom(Millis now);
    // Called by the clock once the due time has come. A native timer may come a hair early; the
    // handler is then told the due time, so it never runs before it.
    void ring(Millis now);

  private:
    void notify();

    std::optional<Millis> due_;
    std::optional<Millis> delay_;
    Clock* clock_ = nullptr;
    std::function<void(Millis)> onRing_;
};

} // namespace bt
