#pragma once

// The program's clocks: periodic timers (the key send, the status poll, the blink, the connect
// timeout, the news window's start delay) and one alarm (the key poll's next poll). Whoever drives
// them (the real event loop, or the virtual clock in tests) is told of every change and hands each
// tick the time on its clock; the core itself never reads a clock.

#include "base/time.h"

#include <functional>
#include <optional>

namespace bt {

class Alarm;
class Timer;

class TimerService {
  public:
    virtual ~TimerService() = default;
    // The timer was enabled, disabled, or its interval changed while enabled. An enabled timer
    // with a positive interval gets its next tick one full interval from now.
    virtual void timerChanged(Timer& timer) = 0;
    virtual void timerDestroyed(Timer& timer) = 0;
    // The alarm was set to another time, or silenced.
    virtual void alarmChanged(Alarm& alarm) = 0;
    virtual void alarmDestroyed(Alarm& alarm) = 0;
};

class Timer {
  public:
    Timer(int intervalMs, bool enabled) : interval_(intervalMs), enabled_(enabled) {}
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer();

    int interval() const { return interval_; }
    bool enabled() const { return enabled_; }

    // Changing the interval of an enabled timer restarts its count from now; the same interval
    // changes nothing.
    void setInterval(int ms);
    // Enabling a disabled timer makes its first tick one full interval later; enabling an enabled
    // timer changes nothing.
    void setEnabled(bool on);

    void setOnTick(std::function<void(Millis now)> f) { onTick_ = std::move(f); }

    // Connects the timer to its driver; from then on enabled timers tick.
    void attach(TimerService& service);
    bool armed() const { return enabled_ && interval_ > 0 && service_ != nullptr; }

    // Called by the driver when the interval has elapsed. A tick may change its own timer.
    void fire(Millis now);

  private:
    void notify();

    int interval_;
    bool enabled_;
    TimerService* service_ = nullptr;
    std::function<void(Millis)> onTick_;
};

// Rings once at the time it is set to, on the platform's clock; then it is silent until set again.
class Alarm {
  public:
    Alarm() = default;
    Alarm(const Alarm&) = delete;
    Alarm& operator=(const Alarm&) = delete;
    ~Alarm();

    std::optional<Millis> due() const { return due_; }
    // nullopt silences it. Setting the time it already has changes nothing.
    void ringAt(std::optional<Millis> due);
    void setOnRing(std::function<void(Millis now)> f) { onRing_ = std::move(f); }

    void attach(TimerService& service);
    // Called by the driver once the due time has come. A native timer may come a hair early; the
    // handler is then told the due time, so it never runs before it.
    void ring(Millis now);

  private:
    std::optional<Millis> due_;
    TimerService* service_ = nullptr;
    std::function<void(Millis)> onRing_;
};

} // namespace bt
