// The control models every behaviour rests on: the list's change-notification rule, the option
// group, timers on the virtual clock, and the one-at-a-time transfer.

#include "backends/fake/fake_platform.h"
#include "base/controls/drop_down_list.h"
#include "base/controls/option_button.h"
#include "base/controls/transfer.h"

#include <gtest/gtest.h>

namespace bt {
namespace {

using Times = std::vector<std::int64_t>;

TEST(DropDownListTest, OnlyADifferentIndexRunsTheBehaviourInsideTheAssignment) {
    DropDownList list{"list", {"1", "2", "3"}};
    DropDownList other{"other", {"1", "2"}};
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
    log.clear();
    EXPECT_TRUE(list.setIndex(1)); // the same index
    for (int bad : {3, -2, 32767, -32768})
        EXPECT_FALSE(list.setIndex(bad)) << bad;
    EXPECT_EQ(list.index(), 1);
    list.addItem("4");
    list.clear();
    list.clear();
    EXPECT_TRUE(log.empty()) << "same index, refused index, adding and clearing run nothing";
    EXPECT_EQ(list.index(), -1);
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(changes, 3) << "the observer hears changes, not no-ops";

    list.addItem("1");
    list.setIndex(0);
    log.clear();
    EXPECT_TRUE(list.setIndex(-1));
    EXPECT_EQ(log.size(), 2u) << "deselecting by code is a change";
    EXPECT_EQ(list.text(), "");
}

TEST(OptionButtonTest, SelectingTheOtherOptionSwitchesBeforeItsClickRuns) {
    OptionButton a{"a", "A"}, b{"b", "B"};
    OptionButton::group({&a, &b});
    a.setDesignValue(true);
    std::string clicks;
    a.setOnClick([&] { clicks += 'a'; });
    b.setOnClick([&] { clicks += b.value() && !a.value() ? 'B' : '?'; });
    b.select();
    b.select();
    a.select();
    EXPECT_EQ(clicks, "Ba");
    EXPECT_TRUE(a.value());
    EXPECT_FALSE(b.value());
}

TEST(TimerTest, TicksOnTheVirtualClock) {
    FakePlatform p;
    Times fast, once, slower, disabled, destroyed;
    Timer a{100, true};
    a.setOnTick([&] { fast.push_back(p.now()); });
    Timer b{100, true};
    b.setOnTick([&] {
        once.push_back(p.now());
        b.setEnabled(false); // a tick may disable its own timer
    });
    Timer c{100, true};
    c.setOnTick([&] {
        slower.push_back(p.now());
        c.setInterval(300); // or change its own interval
    });
    Timer d{300, false};
    d.setOnTick([&] { disabled.push_back(p.now()); });
    auto e = std::make_unique<Timer>(100, true);
    e->setOnTick([&] { destroyed.push_back(p.now()); });
    for (Timer* t : {&a, &b, &c, &d, e.get()})
        t->attach(p);
    e.reset();

    p.advance(250);
    a.setEnabled(true); // enabling an enabled timer, or the same interval, keeps its schedule
    a.setInterval(100);
    d.setEnabled(true); // a full interval first
    p.advance(300);
    a.setInterval(250); // a new interval restarts the count from now
    p.advance(500);
    EXPECT_EQ(fast, (Times{100, 200, 300, 400, 500, 800, 1050}));
    EXPECT_EQ(once, (Times{100}));
    EXPECT_EQ(slower, (Times{100, 400, 700, 1000}));
    EXPECT_EQ(disabled, (Times{550, 850}));
    EXPECT_TRUE(destroyed.empty());
}

TEST(TimerTest, TimersDueTogetherFireInTheOrderTheyWereArmed) {
    FakePlatform p;
    Timer a{100, true}, b{100, true};
    std::string order;
    a.setOnTick([&] { order += 'a'; });
    b.setOnTick([&] { order += 'b'; });
    b.attach(p);
    a.attach(p);
    p.advance(200);
    EXPECT_EQ(order, "baba");
}

TEST(TransferTest, OneAtATimeAndACancelledOneNeverDelivers) {
    FakePlatform p;
    Transfer t(p);
    std::vector<HttpResult> results;
    auto keep = [&](const HttpResult& r) { results.push_back(r); };
    EXPECT_TRUE(t.start("http://127.0.0.1/a", keep));
    EXPECT_FALSE(t.start("http://127.0.0.1/b", keep)) << "one is running";
    EXPECT_TRUE(t.running());
    p.respondTo("http://127.0.0.1/a", HttpResult{404, 404, "nope", {}});
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].body, "nope");
    EXPECT_EQ(t.responseCode(), 404);
    EXPECT_FALSE(t.running());

    t.start("http://127.0.0.1/c", keep);
    const auto id = p.requests.back().id;
    t.cancel();
    EXPECT_FALSE(t.running());
    EXPECT_FALSE(p.respond(id, HttpResult{}));
    EXPECT_EQ(results.size(), 1u);
    EXPECT_EQ(p.requests.size(), 2u);
}

} // namespace
} // namespace bt
