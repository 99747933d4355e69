#include "backends/win32/win32_clock.h"

#include <cmath>

namespace bt::win32 {

namespace {
constexpr UINT kAlarmDue = WM_APP + 3; // wParam: the alarm's timer id
} // namespace

Win32Clock::Win32Clock(MessageWindow& window) : window_(window) {
    window_.onMessage(WM_TIMER, [this](WPARAM id, LPARAM) {
        onTimer(id);
        return LRESULT{0};
    });
    window_.onMessage(kAlarmDue, [this](WPARAM id, LPARAM) {
        onTimer(id);
        return LRESULT{0};
    });
}

Millis Win32Clock::now() const {
    return std::llround(window_.clockMs());
}

void Win32Clock::stopAll() {
    stopped_ = true;
    for (auto& [owner, s] : timers_)
        KillTimer(window_.hwnd(), s.id);
    timers_.clear();
    byId_.clear();
}

Win32Clock::Scheduled& Win32Clock::scheduled(const void* owner) {
    auto it = timers_.find(owner);
    if (it == timers_.end()) {
        const UINT_PTR id = nextTimerId_++;
        it = timers_.emplace(owner, Scheduled{id, 0}).first;
        byId_[id] = owner;
    }
    return it->second;
}

void Win32Clock::forget(const void* owner) {
    const auto it = timers_.find(owner);
    if (it == timers_.end())
        return;
    KillTimer(window_.hwnd(), it->second.id);
    byId_.erase(it->second.id);
    timers_.erase(it);
}

// SetTimer fires on the system tick (about 15.6 ms) and never below 10 ms.
void Win32Clock::schedule(const Scheduled& s) {
    const double wait = s.due - window_.clockMs();
    if (s.alarm && wait <= 0) {
        KillTimer(window_.hwnd(), s.id);
        PostMessageW(window_.hwnd(), kAlarmDue, s.id, 0);
        return;
    }
    SetTimer(window_.hwnd(), s.id,
             static_cast<UINT>(wait < USER_TIMER_MINIMUM ? USER_TIMER_MINIMUM : wait), nullptr);
}

void Win32Clock::timerChanged(Timer& timer) {
    if (!timer.armed() || stopped_) {
        forget(&timer);
        return;
    }
    Scheduled& s = scheduled(&timer);
    s.timer = &timer;
    s.due = window_.clockMs() + timer.interval();
    schedule(s);
}

void Win32Clock::alarmChanged(Alarm& alarm) {
    if (!alarm.armed() || stopped_) {
        forget(&alarm);
        return;
    }
    Scheduled& s = scheduled(&alarm);
    s.alarm = &alarm;
    s.due = static_cast<double>(alarm.dueFrom(now()));
    schedule(s);
}

void Win32Clock::onTimer(UINT_PTR id) {
    const auto found = byId_.find(id);
    if (found == byId_.end())
        return;
    const void* owner = found->second;
    Scheduled& s = timers_[owner];
    const double now = window_.clockMs();
    if (now + 1.0 < s.due) { // the system timer came early: wait for the rest
        schedule(s);
        return;
    }
    if (s.alarm) {
        Alarm* alarm = s.alarm;
        forget(owner); // rings once; the ring may set it again
        if (beforeRing_)
            beforeRing_();
        alarm->ring(std::llround(now));
        return;
    }
    s.due += s.timer->interval();
    if (s.due < now)
        s.due = now + s.timer->interval(); // we fell behind (a modal loop); no burst of ticks
    const Scheduled next = s;
    next.timer->fire(std::llround(now));
    // The tick may have changed or stopped its own timer, which then scheduled itself.
    const auto again = timers_.find(owner);
    if (again != timers_.end() && again->second.id == next.id && again->second.due == next.due)
        schedule(next);
}

} // namespace bt::win32
