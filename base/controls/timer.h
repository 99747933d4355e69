#pragma once

#include <functional>

namespace bt {

class Timer;

// Whoever drives the timers (the real event loop, or the virtual clock in tests) is told of every
// change; the core itself never reads a clock.
class TimerService {
  public:
    virtual ~TimerService() = default;
    // The timer was enabled, disabled, or its interval changed while enabled. An enabled timer
    // with a positive interval gets its next tick one full interval from now.
    virtual void timerChanged(Timer& timer) = 0;
    virtual void timerDestroyed(Timer& timer) = 0;
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
    // changes nothing, so a watcher that copies the interval on every tick costs nothing.
    void setInterval(int ms);
    // Enabling a disabled timer makes its first tick one full interval later; enabling an enabled
    // timer changes nothing.
    void setEnabled(bool on);

    void setOnTick(std::function<void()> f) { onTick_ = std::move(f); }

    // A timer whose tick can only find something while a keypad key is down or was pressed since
    // the last tick (the key poll). Its driver may let it sleep while the keypad is idle, as long
    // as a key event wakes it for the tick that would have come next.
    void setWakesOnKeypad(bool on) { wakesOnKeypad_ = on; }
    bool wakesOnKeypad() const { return wakesOnKeypad_; }

    // Connects the timer to its driver; from then on enabled timers tick.
    void attach(TimerService& service);
    bool armed() const { return enabled_ && interval_ > 0 && service_ != nullptr; }

    // Called by the driver when the interval has elapsed. A tick may change its own timer.
    void fire();

  private:
    void notify();

    int interval_;
    bool enabled_;
    bool wakesOnKeypad_ = false;
    TimerService* service_ = nullptr;
    std::function<void()> onTick_;
};

} // namespace bt
