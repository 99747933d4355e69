#include "backends/win32/win32_clock.h"

#include <array>

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
    return scheduleTime(window_.clockMs());
}

void Win32Clock::stopAll() {
    Schedule::stopAll();
    arm(std::nullopt);
}

void Win32Clock::runSoon() {
    if (!posted_)
        posted_ = PostMessageW(window_.hwnd(), kDue, 0, 0);
}

void Win32Clock::runDue() {
    posted_ = false;
    if (beforeRun_)
        beforeRun_();
    arm(run(now()));
}

// The system timer, for the next due time. One that comes early or late changes nothing: the
// schedule runs only what has come, and answers again.
void Win32Clock::arm(std::optional<Millis> next) {
    if (waitable_)
        CancelWaitableTimer(waitable_);
    KillTimer(window_.hwnd(), kTimerId);
    if (!next)
        return;
    const double now = window_.clockMs();
    if (static_cast<double>(*next) <= now) {
        runSoon(); // set due at once by a ring or a tick
    } else if (waitable_) {
        LARGE_INTEGER after;
        after.QuadPart = -armUnits(kWaitableTimer, *next, now); // negative: from now
        SetWaitableTimer(waitable_, &after, 0, nullptr, nullptr, FALSE);
    } else {
        SetTimer(window_.hwnd(), kTimerId, static_cast<UINT>(armUnits(kSetTimer, *next, now)),
                 nullptr);
    }
}

} // namespace bt::win32
