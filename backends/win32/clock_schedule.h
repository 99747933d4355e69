#pragma once

// What the Windows clock arms its system timer with, kept apart from Windows so that it is tested
// on any system. Times are milliseconds on the program's clock (QueryPerformanceCounter).

#include "base/time/time.h"

namespace bt::win32 {

// What one kind of system timer is armed with: a delay in its own units, at least a minimum.
struct SystemTimer {
    double unitsPerMs;
    long long minimum;
};
// SetTimer: whole milliseconds, at least USER_TIMER_MINIMUM; it comes on the system tick.
inline constexpr SystemTimer kSetTimer{1.0, 10};
// A high-resolution waitable timer: 100 ns units; it comes within about 0.5 ms whatever the tick.
inline constexpr SystemTimer kWaitableTimer{10000.0, 1};

// The delay to arm the system timer with for a due time yet to come: what is left, rounded up to
// the timer's units, at least its minimum. A system timer that comes early all the same (SetTimer
// counts from the last tick) finds nothing due, and is armed again for the rest.
long long armUnits(const SystemTimer& timer, Millis due, double now);
// The time the schedule runs at: whole milliseconds, never ahead of the clock, so nothing runs
// before its time.
Millis scheduleTime(double now);

} // namespace bt::win32
