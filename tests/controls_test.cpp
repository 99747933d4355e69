// What every behaviour runs on: timers and the alarm on the virtual clock, the controls telling
// their views of changes, and one download at a time.

#include "backends/fake/fake_platform.h"
#include "base/controls/drop_down_list.h"
#include "base/controls/transfer.h"

#include <gtest/gtest.h>

namespace bt {
namespace {

using Times = std::vector<Millis>;

TEST(TimerTest, TicksOnTheVirtualClockWithTheTimeTheyAreDue) {
    FakePlatform p;
    Times fast, once, slower, disabled, destroyed;
    std::string order;
    Timer a{100, true}, b{100, true}, c{100, true}, d{300, false};
    a.setOnTick([&](Millis now) { fast.push_back(now), order += 'a'; });
    b.setOnTick([&](Millis now) {
        once.push_back(now), order += 'b';
        b.setEnabled(false); // a tick may disable its own timer
    });
    c.setOnTick([&](Millis now) {
        slower.push_back(now);
        c.setInterval(300); // or change its own interval
    });
    d.setOnTick([&](Millis now) { disabled.push_back(now); });
    for (Timer* t : {&b, &a, &c, &d})
        t->attach(p);
    {
        Timer gone{100, true}; // a timer destroyed is forgotten
        gone.setOnTick([&](Millis now) { destroyed.push_back(now); });
        gone.attach(p);
    }
    d.fire(0); // a disabled timer does not tick, even when its driver is late to notice

    p.advance(250);
    a.setEnabled(true); // enabling an enabled timer, or the same interval, keeps its schedule
    a.setInterval(100);
    d.setEnabled(true); // a full interval first
    p.advance(300);
    a.setInterval(250); // a new interval restarts the count from now
    p.advance(500);
    EXPECT_EQ(fast, (Times{100, 200, 300, 400, 500, 800, 1050}));
    EXPECT_EQ(once, (Times{100}));
    EXPECT_EQ(order.substr(0, 3), "baa") << "due together, in the order they were armed";
    EXPECT_EQ(slower, (Times{100, 400, 700, 1000}));
    EXPECT_EQ(disabled, (Times{550, 850}));
    EXPECT_TRUE(destroyed.empty());
}

TEST(AlarmTest, RingsOnceAtItsTimeAndNeverBeforeIt) {
    FakePlatform p;
    Alarm alarm;
    Times rung;
    alarm.setOnRing([&](Millis now) {
        rung.push_back(now);
        if (rung.size() == 1)
            alarm.ringAt(now + 50); // a ring may set the next one
    });
    alarm.attach(p);
    {
        Alarm gone; // an alarm destroyed while set is forgotten
        gone.setOnRing([&](Millis now) { rung.push_back(-now); });
        gone.attach(p);
        gone.ringAt(100);
    }
    alarm.ringAt(120);
    p.advance(1000);
    EXPECT_EQ(rung, (Times{120, 170}));
    alarm.ringAt(1500);
    alarm.ringAt(std::nullopt); // silenced
    p.advance(1000);
    EXPECT_EQ(rung.size(), 2u);
    alarm.ringAt(1200);
    alarm.ring(1199); // a native timer a hair early: told the due time
    EXPECT_EQ(rung.back(), 1200);
}

TEST(ControlTest, AViewIsToldOfEachChangeAndOnlyOfChanges) {
    DropDownList list("slotMenu0", {});
    int told = 0;
    list.setObserver([&] { ++told; });
    list.show(digitItems(3), 0);
    list.show(digitItems(3), 0); // the same again: nothing to copy to the widget
    list.show(digitItems(3), 2);
    list.setVisible(true);
    list.setVisible(false);
    EXPECT_EQ(told, 3);
}

TEST(TransferTest, OneAtATimeAndACancelledOneNeverAnswersAndMayStartAgain) {
    FakePlatform p;
    Transfer t(p);
    std::vector<std::string> answers;
    const auto keep = [&](const HttpResult& r) { answers.push_back(r.body); };
    t.start("http://a/1", keep);
    t.start("http://a/2", keep); // one is running: this one is not asked
    t.cancel();
    t.start("http://a/3", keep);
    EXPECT_FALSE(p.respondTo("http://a/1", HttpResult::answer(200, "one")));
    EXPECT_TRUE(p.respondTo("http://a/3", HttpResult::answer(200, "three")));
    EXPECT_EQ(answers, std::vector<std::string>{"three"});
    EXPECT_EQ(p.requests.size(), 2u);
}

} // namespace
} // namespace bt
