// The core's schedule as the Windows clock runs it, against models of its two system timers on a
// machine whose tick is 15.625 ms: a high-resolution waitable timer (0.5 ms steps) and SetTimer,
// which counts from the last tick and comes on a tick, so it may come early.

#include "backends/win32/clock_schedule.h"
#include "base/time/schedule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace bt::win32 {
namespace {

constexpr double kTick = 15.625;

double setTimerComes(double at, long long ms) {
    return std::ceil((std::floor(at / kTick) * kTick + ms) / kTick) * kTick;
}

double waitableComes(double at, long long units) {
    return std::ceil((at + units / 1e4) / 0.5) * 0.5;
}

struct Path {
    const char* name;
    SystemTimer timer;
    double (*comes)(double at, long long units);
    double maxLate; // after its due time; never before
};
const Path kPaths[] = {
    {"high-resolution", kWaitableTimer, waitableComes, 2.0},
    {"SetTimer", kSetTimer, setTimerComes, kTick + 1}, // and the ms its delay is rounded up to
};

// The Windows clock's loop over the core's schedule, on the model's time: it runs the schedule,
// arms the system timer for the answer, and runs again when the timer comes.
class ModelClock : public Schedule {
  public:
    explicit ModelClock(const Path& path, double start) : path_(path), now(start) {}
    void runUntil(double until) {
        for (auto next = run(scheduleTime(now)); next; next = run(scheduleTime(now))) {
            const double comes = static_cast<double>(*next) <= now
                                     ? now
                                     : path_.comes(now, armUnits(path_.timer, *next, now));
            if (comes > until)
                break;
            now = comes;
        }
        now = until;
    }
    const Path& path_;
    double now;
    int doorbells = 0; // the platform asked to run the schedule soon

  protected:
    void runSoon() override { ++doorbells; }
};

TEST(ClockScheduleTest, ArmsForWhatIsLeftInTheTimersUnitsAndTicksFromTheirDueTimes) {
    EXPECT_EQ(armUnits(kSetTimer, 151, 100.2), 51);
    EXPECT_EQ(armUnits(kSetTimer, 103, 100), 10);
    EXPECT_EQ(armUnits(kWaitableTimer, 101, 100.75), 2500);
    EXPECT_EQ(armUnits(kWaitableTimer, 101, 100.99999), 1);
    EXPECT_EQ(scheduleTime(100.99), 100);
    EXPECT_EQ(nextTick(200, 100, 215), 300);
    EXPECT_EQ(nextTick(200, 100, 300), 300);
    EXPECT_EQ(nextTick(200, 100, 320), 420); // held up: no burst
}

TEST(ClockScheduleTest, KeysComeOneIntervalApartNeverEarlyNorDriftingAndLateByTheTimersStep) {
    for (const Path& path : kPaths) {
        for (const int interval : {100, 137, 1000}) {
            SCOPED_TRACE(std::string(path.name) + ", interval " + std::to_string(interval));
            for (double press = 1000.3; press < 1400; press += 37.1) { // at any point of a tick
                // A press starts v one interval after it; v starts the key send.
                ModelClock clock(path, press);
                std::vector<double> typed;
                Alarm v;
                Timer send;
                send.setOnTick([&](Millis) { typed.push_back(clock.now); });
                v.setOnRing([&](Millis) { typed.push_back(clock.now), send.start(interval); });
                v.attach(clock), send.attach(clock);
                v.ringAt(scheduleTime(press) + interval);
                EXPECT_EQ(clock.doorbells, 1); // set between runs: asks for one
                clock.runUntil(press + 40.5 * interval);
                EXPECT_EQ(clock.doorbells, 1); // the key send, started within a run: runs after
                ASSERT_EQ(typed.size(), 40u);
                EXPECT_GE(typed[0], std::floor(press) + interval);
                EXPECT_LE(typed[0] - press, interval + path.maxLate);
                for (std::size_t k = 1; k < typed.size(); ++k) {
                    const double due = std::floor(typed[0]) + static_cast<double>(k) * interval;
                    ASSERT_GE(typed[k], due) << k;
                    ASSERT_LE(typed[k] - due, path.maxLate) << k;
                }
            }
        }
    }
}

} // namespace
} // namespace bt::win32
