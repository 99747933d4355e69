#pragma once

// The clock of the Windows program: the core's schedule, run on the hidden window, and one system
// timer armed for the time it answers. A high-resolution waitable timer where Windows has it (10
// 1803 and later), waited for by a thread of its own that posts to the hidden window, so that
// modal loops (the tray menu, a message box), which pump that window's messages too, do not hold
// it back; elsewhere SetTimer, a tick late at most. A change between runs is posted, not a system
// tick later.

#include "backends/win32/clock_schedule.h"
#include "backends/win32/message_window.h"
#include "base/time/schedule.h"

#include <functional>
#include <optional>
#include <thread>

namespace bt::win32 {

class Win32Clock : public Schedule {
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
    // Runs before the schedule: key input still queued is read first, so that keys of one
    // instant are one chord for the message a ring starts.
    void setBeforeRun(std::function<void()> f) { beforeRun_ = std::move(f); }
    // Nothing ticks or rings any more (the program is ending).
    void stopAll();

  protected:
    void runSoon() override;

  private:
    void runDue();
    void arm(std::optional<Millis> next);

    MessageWindow& window_;
    HANDLE waitable_ = nullptr;
    HANDLE stop_ = nullptr; // ends the waiting thread
    std::thread waiter_;
    bool throttlingOff_ = false;
    bool posted_ = false;
    std::function<void()> beforeRun_;
};

} // namespace bt::win32
