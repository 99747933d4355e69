// The Windows clock's scheduling against models of its two system timers on a machine whose tick
// is 15.625 ms: a high-resolution waitable timer (0.5 ms steps) and SetTimer, which counts from
// the last tick and comes on a tick, so it may come early.

#include "backends/win32/clock_schedule.h"

#include <gtest/gtest.h>

#include <cmath>

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
    {"SetTimer", kSetTimer, setTimerComes, kTick},
};

// When the clock, armed at `now`, runs what is due at `due`: armed again whenever it came early.
double runs(const Path& path, double due, double now) {
    while (!hasCome(due, now))
        now = path.comes(now, armUnits(path.timer, due, now));
    return now;
}

TEST(ClockScheduleTest, ArmsForWhatIsLeftInTheTimersUnitsAndCountsTicksFromTheirDueTimes) {
    EXPECT_EQ(armUnits(kSetTimer, 150.2, 100), 51);
    EXPECT_EQ(armUnits(kSetTimer, 103, 100), 10);
    EXPECT_EQ(armUnits(kWaitableTimer, 100.25, 100), 2500);
    EXPECT_EQ(armUnits(kWaitableTimer, 100.00001, 100), 1);
    EXPECT_TRUE(hasCome(100, 100));
    EXPECT_FALSE(hasCome(100, 99.99));
    EXPECT_EQ(nextDue(200, 100, 215), 300);
    EXPECT_EQ(nextDue(200, 100, 300), 300);
    EXPECT_EQ(nextDue(200, 100, 320), 420); // held up: no burst
}

TEST(ClockScheduleTest, KeysComeOneIntervalApartNeverEarlyAndLateByTheTimersStepAtMost) {
    for (const Path& path : kPaths) {
        for (const int interval : {100, 137, 1000}) {
            SCOPED_TRACE(std::string(path.name) + ", interval " + std::to_string(interval));
            for (double press = 1000.3; press < 1400; press += 37.1) { // at any point of a tick
                const double v = runs(path, press + interval, press);
                const double first = runs(path, v + interval, v); // the key send starts at v
                const double second = runs(path, nextDue(v + interval, interval, first), first);
                EXPECT_GE(v - press, interval);
                EXPECT_LE(v - press, interval + path.maxLate);
                EXPECT_GE(first - v, interval);
                EXPECT_LE(first - v, interval + path.maxLate);
                EXPECT_NEAR(second - first, interval, path.maxLate);
            }
            double due = 2000.7 + interval, now = 2000.7; // a long sequence does not drift
            for (int k = 1; k <= 1000; ++k, due = nextDue(due, interval, now)) {
                now = runs(path, due, now);
                ASSERT_GE(now - (2000.7 + k * interval), -1e-6) << k;
                ASSERT_LE(now - (2000.7 + k * interval), path.maxLate + 1e-6) << k;
            }
        }
    }
}

} // namespace
} // namespace bt::win32
