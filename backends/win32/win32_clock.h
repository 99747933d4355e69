#pragma once

// The clock of the Windows program: one system timer on the hidden window, armed for the earliest
// due time of all the core's timers and alarms (clock_schedule.h decides for what and when it has
// come). A high-resolution waitable timer where Windows has it (10 1803 and later), waited for by
// a thread of its own that posts to the hidden window, so that modal loops (the tray menu, a
// message box), which pump that window's messages too, do not hold it back; elsewhere SetTimer, a
// tick late at most. An alarm due at once is posted, not a system tick later.

#include "backends/win32/clock_schedule.h"
#include "backends/win32/message_window.h"
#include "base/time/timer.h"

#include <functional>
#include <map>
#include <thread>

namespace bt::win32 {

class Win32Clock : public Clock {
  public:
    // Takes SetTimer without asking for a waitable timer when told to (the tests' fallback), and
    // asks Windows to keep the process out of power throttling, which would coarsen its timers
    // while its windows are hidden.
    Win32Clock(MessageWindow& window, bool highResolution);
    ~Win32Clock() override;
    Win32Clock(const Win32Clock&) = delete;
    Win32Clock& operator=(const Win32Clock&) = delete;

    Millis now() const;
    bool highResolution() const { return waitable_ != nullptr; }
    bool throttlingOff() const { return throttlingOff_; }
    // Runs before an alarm rings: key input still queued is read first, so that keys of one
    // instant are one chord for the message the alarm starts.
    void setBeforeRing(std::function<void()> f) { beforeRing_ = std::move(f); }
    // Nothing ticks or rings any more (the program is ending).
    void stopAll();

    void timerChanged(Timer& timer) override;
    void timerDestroyed(Timer& timer) override { forget(&timer); }
    void alarmChanged(Alarm& alarm) override;
    void alarmDestroyed(Alarm& alarm) override { forget(&alarm); }

  private:
    // A periodic timer or an alarm, and when it is due next.
    struct Scheduled {
        double due;
        Timer* timer = nullptr; // or else an alarm
        Alarm* alarm = nullptr;
    };

    void forget(const void* owner);
    void arm();
    void runDue();

    MessageWindow& window_;
    std::map<const void*, Scheduled> scheduled_;
    HANDLE waitable_ = nullptr;
    HANDLE stop_ = nullptr; // ends the waiting thread
    std::thread waiter_;
    bool throttlingOff_ = false;
    bool posted_ = false;
    std::function<void()> beforeRing_;
    bool stopped_ = false;
};

} // namespace bt::win32
