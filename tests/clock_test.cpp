// What every behaviour's time runs on: timers and alarms, on the virtual clock.

#include "backends/fake/fake_platform.h"
#include "backends/x11/event_time.h"

#include <gtest/gtest.h>

namespace bt {
namespace {

using Times = std::vector<Millis>;

TEST(TimerTest, TicksOnTheVirtualClockWithTheTimeTheyAreDue) {
    VirtualClock clock;
    Times fast, once, slower, stopped, destroyed;
    std::string order;
    Timer a, b, c, d;
    a.setOnTick([&](Millis now) { fast.push_back(now), order += 'a'; });
    b.setOnTick([&](Millis now) {
        once.push_back(now), order += 'b';
        b.stop(); // a tick may stop its own timer
    });
    c.setOnTick([&](Millis now) {
        slower.push_back(now);
        c.start(300); // or change its own interval
    });
    d.setOnTick([&](Millis now) { stopped.push_back(now); });
    for (Timer* t : {&b, &a, &c, &d})
        t->attach(clock);
    for (Timer* t : {&b, &a, &c})
        t->start(100);
    {
        Timer gone; // a timer destroyed is forgotten
        gone.setOnTick([&](Millis now) { destroyed.push_back(now); });
        gone.attach(clock);
        gone.start(100);
    }
    d.fire(0); // a stopped timer does not tick, even when its clock is late to notice

    clock.advance(250);
    a.start(100); // the interval it runs at: it keeps its schedule
    d.start(300); // a full interval first
    clock.advance(300);
    a.start(250); // a new interval restarts the count from now
    clock.advance(500);
    EXPECT_EQ(fast, (Times{100, 200, 300, 400, 500, 800, 1050}));
    EXPECT_EQ(once, (Times{100}));
    EXPECT_EQ(order.substr(0, 3), "baa") << "due together, in the order they were armed";
    EXPECT_EQ(slower, (Times{100, 400, 700, 1000}));
    EXPECT_EQ(stopped, (Times{550, 850}));
    EXPECT_TRUE(destroyed.empty());
}

TEST(AlarmTest, RingsOnceAtItsTimeOrAfterItsDelayAndNeverBeforeIt) {
    VirtualClock clock;
    Alarm alarm;
    Times rung;
    alarm.setOnRing([&](Millis now) {
        rung.push_back(now);
        if (rung.size() == 1)
            alarm.ringAt(now + 50); // a ring may set the next one
    });
    alarm.attach(clock);
    {
        Alarm gone; // an alarm destroyed while set is forgotten
        gone.setOnRing([&](Millis now) { rung.push_back(-now); });
        gone.attach(clock);
        gone.ringAt(100);
    }
    alarm.ringAt(120);
    clock.advance(1000);
    EXPECT_EQ(rung, (Times{120, 170}));
    alarm.ringAt(1500);
    alarm.silence();
    clock.advance(1000);
    EXPECT_EQ(rung.size(), 2u);
    EXPECT_EQ(clock.wakeUps, 2) << "a silenced alarm does not wake the program";
    alarm.ringAfter(300); // counted from the clock's now, 2000
    alarm.ringAfter(400); // a later word counts
    clock.advance(1000);
    EXPECT_EQ(rung.back(), 2400);
    alarm.ringAt(3200);
    alarm.ring(3199); // a native timer a hair early: told the due time
    EXPECT_EQ(rung.back(), 3200);
}

TEST(X11EventTimeTest, APressCountsFromItsServerStampWhenTheStampFitsThisMachinesClock) {
    EXPECT_EQ(x11::eventTime(4998, 5000), 4998) << "read 2 ms late";
    EXPECT_EQ(x11::eventTime(0xFFFFFFFEu, (Millis{1} << 32) + 1), (Millis{1} << 32) - 2) << "wrap";
    EXPECT_EQ(x11::eventTime(5003, 5000), 5000) << "ahead of us: another clock";
    EXPECT_EQ(x11::eventTime(4000, 5000), 5000) << "a second old: another clock, or a stall";
    EXPECT_EQ(x11::eventTime(4001, 5000), 4001);
}

} // namespace
} // namespace bt
