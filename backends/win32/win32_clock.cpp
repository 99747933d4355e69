#include "backends/win32/win32_clock.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

// Newer than MinGW-w64 10's headers.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x2
#endif
#ifndef PROCESS_POWER_THROTTLING_IGNORE_TIMER_RESOLUTION
#define PROCESS_POWER_THROTTLING_IGNORE_TIMER_RESOLUTION 0x4
#endif

namespace bt::win32 {

namespace {
constexpr UINT kDue = WM_APP + 3; // something may be due: the waitable timer, or due at once
constexpr UINT_PTR kTimerId = 1;
} // namespace

Win32Clock::Win32Clock(MessageWindow& window, bool highResolution) : window_(window) {
    PROCESS_POWER_THROTTLING_STATE state{};
    state.Version = PROCESS_POWER_THROTTLING_CURRENT_VERSION;
    state.ControlMask =
        PROCESS_POWER_THROTTLING_EXECUTION_SPEED | PROCESS_POWER_THROTTLING_IGNORE_TIMER_RESOLUTION;
    throttlingOff_ =
        SetProcessInformation(GetCurrentProcess(), ProcessPowerThrottling, &state, sizeof state);
    // Windows before 10 1803 refuses the flag: SetTimer then.
    if (highResolution)
        waitable_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                           TIMER_ALL_ACCESS);
    if (waitable_) {
        stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        waiter_ = std::thread([handles = std::array{stop_, waitable_}, hwnd = window_.hwnd()] {
            while (WaitForMultipleObjects(2, handles.data(), FALSE, INFINITE) == WAIT_OBJECT_0 + 1)
                PostMessageW(hwnd, kDue, 0, 0);
        });
    }
    const auto due = [this](WPARAM, LPARAM) {
        runDue();
        return LRESULT{0};
    };
    window_.onMessage(WM_TIMER, due);
    window_.onMessage(kDue, due);
}

Win32Clock::~Win32Clock() {
    if (waitable_) {
        SetEvent(stop_);
        waiter_.join();
        CloseHandle(stop_);
        CloseHandle(waitable_);
    }
    KillTimer(window_.hwnd(), kTimerId);
}

Millis Win32Clock::now() const {
    return std::llround(window_.clockMs());
}

void Win32Clock::stopAll() {
    stopped_ = true;
    scheduled_.clear();
    arm();
}

void Win32Clock::forget(const void* owner) {
    if (scheduled_.erase(owner))
        arm();
}

void Win32Clock::timerChanged(Timer& timer) {
    if (!timer.armed() || stopped_)
        return forget(&timer);
    scheduled_[&timer] = {window_.clockMs() + timer.interval(), &timer, nullptr};
    arm();
}

void Win32Clock::alarmChanged(Alarm& alarm) {
    if (!alarm.armed() || stopped_)
        return forget(&alarm);
    scheduled_[&alarm] = {static_cast<double>(alarm.dueFrom(now())), nullptr, &alarm};
    arm();
}

// The system timer, for the earliest due time. One that comes early or late changes nothing:
// runDue runs only what has come and arms again.
void Win32Clock::arm() {
    const auto next = std::min_element(scheduled_.begin(), scheduled_.end(), [](auto& a, auto& b) {
        return a.second.due < b.second.due;
    });
    if (next == scheduled_.end()) {
        if (waitable_)
            CancelWaitableTimer(waitable_);
        KillTimer(window_.hwnd(), kTimerId);
        return;
    }
    const double due = next->second.due, now = window_.clockMs();
    if (hasCome(due, now)) {
        if (!posted_)
            posted_ = PostMessageW(window_.hwnd(), kDue, 0, 0);
    } else if (waitable_) {
        LARGE_INTEGER after;
        after.QuadPart = -armUnits(kWaitableTimer, due, now); // negative: from now
        SetWaitableTimer(waitable_, &after, 0, nullptr, nullptr, FALSE);
    } else {
        SetTimer(window_.hwnd(), kTimerId, static_cast<UINT>(armUnits(kSetTimer, due, now)),
                 nullptr);
    }
}

// Rings and ticks what has come, earliest first, each with the time now. What a ring or tick sets
// due at once is posted, not run in this round, so a ring that sets itself again cannot loop.
void Win32Clock::runDue() {
    posted_ = false;
    const double now = window_.clockMs();
    std::vector<std::pair<double, const void*>> due;
    for (const auto& [owner, s] : scheduled_)
        if (hasCome(s.due, now))
            due.emplace_back(s.due, owner);
    std::sort(due.begin(), due.end());
    for (const auto& [at, owner] : due) {
        const auto it = scheduled_.find(owner);
        if (it == scheduled_.end() || it->second.due != at)
            continue; // an earlier ring or tick changed it
        if (Alarm* alarm = it->second.alarm) {
            scheduled_.erase(it); // rings once; the ring may set it again
            if (beforeRing_)
                beforeRing_();
            alarm->ring(std::llround(now));
        } else {
            it->second.due = nextDue(at, it->second.timer->interval(), now);
            it->second.timer->fire(std::llround(now));
        }
    }
    arm();
}

} // namespace bt::win32
