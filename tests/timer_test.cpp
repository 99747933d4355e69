#include "platform/fake/fake_platform.h"
#include "ui/controls/timer.h"

#include <gtest/gtest.h>

namespace bt {
namespace {

struct TimerTest : ::testing::Test {
    FakePlatform p;
    std::vector<std::int64_t> ticks;
};

TEST_F(TimerTest, EnabledTimerTicksEveryIntervalWithoutDrift) {
    Timer t{"Timer1", 100, true};
    t.setOnTick([&] { ticks.push_back(p.now()); });
    t.attach(p);
    p.advance(450);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{100, 200, 300, 400}));
}

TEST_F(TimerTest, DisabledTimerNeverTicksAndEnablingGivesAFullIntervalFirst) {
    Timer t{"Timer2", 300, false};
    t.setOnTick([&] { ticks.push_back(p.now()); });
    t.attach(p);
    p.advance(1000);
    EXPECT_TRUE(ticks.empty());
    t.setEnabled(true);
    p.advance(650);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{1300, 1600}));
}

TEST_F(TimerTest, EnablingAnEnabledTimerOrSettingTheSameIntervalKeepsItsSchedule) {
    Timer t{"Timer1", 100, true};
    t.setOnTick([&] { ticks.push_back(p.now()); });
    t.attach(p);
    p.advance(50);
    t.setEnabled(true);
    t.setInterval(100);
    p.advance(60);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{100}));
}

TEST_F(TimerTest, ChangingTheIntervalOfAnEnabledTimerRestartsItsCount) {
    Timer t{"Timer2", 100, true};
    t.setOnTick([&] { ticks.push_back(p.now()); });
    t.attach(p);
    p.advance(50);
    t.setInterval(250);
    p.advance(600);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{300, 550}));
}

TEST_F(TimerTest, ATickMayDisableItselfOrChangeItsOwnInterval) {
    Timer once{"Timer5", 100, true};
    once.setOnTick([&] {
        ticks.push_back(p.now());
        once.setEnabled(false);
    });
    Timer slower{"Timer7", 100, true};
    std::vector<std::int64_t> slowTicks;
    slower.setOnTick([&] {
        slowTicks.push_back(p.now());
        slower.setInterval(300);
    });
    once.attach(p);
    slower.attach(p);
    p.advance(1000);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{100}));
    EXPECT_EQ(slowTicks, (std::vector<std::int64_t>{100, 400, 700, 1000}));
}

TEST_F(TimerTest, TimersDueTogetherFireInTheOrderTheyWereArmed) {
    Timer a{"A", 100, true}, b{"B", 100, true};
    std::string order;
    a.setOnTick([&] { order += 'a'; });
    b.setOnTick([&] { order += 'b'; });
    b.attach(p);
    a.attach(p);
    p.advance(200);
    EXPECT_EQ(order, "baba");
}

TEST_F(TimerTest, ATimerThatIsDestroyedIsForgotten) {
    auto t = std::make_unique<Timer>("Timer1", 100, true);
    t->attach(p);
    t.reset();
    p.advance(500);
    SUCCEED();
}

} // namespace
} // namespace bt
