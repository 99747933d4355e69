// The control models every behaviour rests on: the list's change-notification rule, the option
// group, and timers on the virtual clock.

#include "backends/fake/fake_platform.h"
#include "base/controls/drop_down_list.h"
#include "base/controls/option_button.h"

#include <gtest/gtest.h>

namespace bt {
namespace {

using Times = std::vector<std::int64_t>;

TEST(DropDownListTest, OnlyADifferentIndexRunsTheBehaviourInsideTheAssignment) {
    DropDownList list{"list", digitItems(3)}, other{"other", digitItems(2)};
    std::vector<std::string> log;
    list.setBehaviour([&] {
        log.push_back("list sees " + list.text());
        other.setIndex(1); // nested: runs inside this behaviour
        log.push_back("list ends");
    });
    other.setBehaviour([&] { log.push_back("other"); });
    int changes = 0;
    list.setObserver([&] { ++changes; });

    EXPECT_EQ(list.text(), "");
    EXPECT_TRUE(list.setIndex(1));
    EXPECT_EQ(log, (std::vector<std::string>{"list sees 2", "other", "list ends"}));
    EXPECT_TRUE(list.setIndex(1)); // the same index
    for (int bad : {3, -2, 32767, -32768})
        EXPECT_FALSE(list.setIndex(bad)) << bad;
    list.addItem("4");
    list.clear();
    list.clear();
    EXPECT_EQ(log.size(), 3u) << "same index, refused index, adding and clearing run nothing";
    EXPECT_EQ(std::make_pair(list.index(), list.count()), std::make_pair(-1, 0));
    EXPECT_EQ(changes, 3) << "the observer hears changes, not no-ops";
    list.addItem("1");
    list.setIndex(0);
    EXPECT_TRUE(list.setIndex(-1));
    EXPECT_EQ(log.size(), 7u) << "deselecting by code is a change";
}

TEST(OptionButtonTest, SelectingTheOtherOptionSwitchesBeforeItsClickRuns) {
    OptionButton a{"a", "A"}, b{"b", "B"};
    OptionButton::group({&a, &b});
    a.setDesignValue(true);
    std::string log;
    a.setObserver([&] { log += a.value() ? "A+" : "A-"; });
    a.setOnClick([&] { log += "a"; });
    b.setOnClick([&] { log += b.value() && !a.value() ? "b" : "?"; });
    b.select();
    b.select();
    a.select();
    EXPECT_EQ(log, "A-bA+a") << "the other option is told it was deselected";
}

TEST(TimerTest, TicksOnTheVirtualClock) {
    FakePlatform p;
    Times fast, once, slower, disabled, destroyed;
    std::string order;
    Timer a{100, true}, b{100, true}, c{100, true}, d{300, false};
    a.setOnTick([&] { fast.push_back(p.now()), order += 'a'; });
    b.setOnTick([&] {
        once.push_back(p.now()), order += 'b';
        b.setEnabled(false); // a tick may disable its own timer
    });
    c.setOnTick([&] {
        slower.push_back(p.now());
        c.setInterval(300); // or change its own interval
    });
    d.setOnTick([&] { disabled.push_back(p.now()); });
    for (Timer* t : {&b, &a, &c, &d})
        t->attach(p);
    {
        Timer gone{100, true}; // a timer destroyed is forgotten
        gone.setOnTick([&] { destroyed.push_back(p.now()); });
        gone.attach(p);
    }
    d.fire(); // a disabled timer does not tick, even when its driver is late to notice

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

} // namespace
} // namespace bt
