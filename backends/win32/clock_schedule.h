#pragma once

// The Windows clock's decisions, kept apart from Windows so that they are tested on any system:
// what to arm the system timer with for a due time, whether a due time has come, and a periodic
// timer's next due time. Times are milliseconds on the program's clock (QueryPerformanceCounter).

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

// Whether what is due at `due` may run at `now`: never before its time.
bool hasCome(double due, double now);
// The delay to arm the system timer with for a due time yet to come: what is left, rounded up to
// the timer's units, at least its minimum. A system timer that comes early all the same (SetTimer
// counts from the last tick) is armed again for the rest.
long long armUnits(const SystemTimer& timer, double due, double now);
// A periodic timer that ticked for `due` is next due one interval after that due time, not after
// the tick, so a sequence does not drift; one that fell more than an interval behind (the program
// was held up) goes on one interval from now rather than ticking in a burst.
double nextDue(double due, int intervalMs, double now);

} // namespace bt::win32
