#include "form1_fixture.h"

namespace bt::test {
namespace {

using Form1StartupTest = Form1Fixture;

TEST_F(Form1StartupTest, TheWindowOpensWithItsDesignInventory) {
    FakePlatform fp;
    Form1 f(fp, kBase);
    auto& k = f.controls();
    EXPECT_EQ(k.form.caption(), "Brontek Tarnlow");
    EXPECT_FALSE(k.form.visible()) << "shown only after the load step";
    for (int n = 1; n <= 10; ++n)
        EXPECT_EQ(k.label(n).caption(), "Numpad " + std::to_string(n - 1));
    EXPECT_EQ(k.label(6).rect(), (Rect{2640, 165, 855, 255}));
    EXPECT_EQ(k.combo(1).rect().left, 1200);
    EXPECT_EQ(k.combo(19).rect().left, 4320);
    EXPECT_EQ(k.combo(19).rect().top, 1560);
    EXPECT_EQ(k.combo(1).items(), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(k.combo(2).listCount(), 8);
    EXPECT_EQ(k.combo(21).listCount(), 5);
    EXPECT_EQ(k.combo(22).listCount(), 7);
    for (int n = 1; n <= 22; ++n)
        EXPECT_EQ(k.combo(n).listIndex(), -1);
    EXPECT_EQ(k.text(1).text(), "Text1");
    EXPECT_EQ(k.text(2).text(), "100");
    EXPECT_EQ(k.text(3).text(), "Text3");
    EXPECT_EQ(k.text(4).text(), "offline\r\n");
    EXPECT_EQ(k.text(5).text(), kBase);
    EXPECT_EQ(k.text(8).text(), "data");
    EXPECT_EQ(k.label(12).caption(), "Commands");
    EXPECT_EQ(k.label(13).caption(), "..!");
    EXPECT_EQ(k.label(14).caption(), "Connecting to server...");
    EXPECT_TRUE(k.option1.value());
    EXPECT_EQ(k.command(6).caption(), "Start");
    EXPECT_EQ(k.command(5).caption(), "Interval");
    EXPECT_EQ(k.command(1).caption(), "Save");
    EXPECT_EQ(k.command(2).caption(), "Exit");
    const int intervals[] = {100, 200, 100, 1000, 100, 1000, 300, 10000};
    const bool enabled[] = {true, false, true, true, true, true, false, true};
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(k.timer(n).interval(), intervals[n - 1]) << n;
        EXPECT_EQ(k.timer(n).enabled(), enabled[n - 1]) << n;
    }
}

TEST_F(Form1StartupTest, LoadAsksTheCounterPageThenSelectsDefaultsInNumericOrder) {
    FakePlatform fp;
    Form1 f(fp, kBase);
    std::vector<int> order;
    for (int n = 1; n <= 20; ++n)
        f.controls().combo(n).setObserver([&order, &f, n] {
            if (f.controls().combo(n).listIndex() == 0 && (order.empty() || order.back() != n))
                order.push_back(n);
        });
    f.load();
    ASSERT_EQ(fp.navigations.size(), 1u);
    EXPECT_EQ(fp.navigations[0].second, std::string(kBase) + "counter.php");
    EXPECT_EQ(order.front(), 1);
    EXPECT_EQ(order[1], 2);
    EXPECT_TRUE(f.controls().form.visible());
    for (int n = 1; n <= 20; ++n)
        EXPECT_EQ(f.controls().combo(n).listIndex(), 0) << n;
}

TEST_F(Form1StartupTest, Timer5RefreshesSlot0OnceThenTheWindowShowsItsBinding) {
    start();
    form->userSelected(10, 2); // the preview moves to slot 4
    ASSERT_EQ(c().label(12).caption(), "Responses");
    p.advance(100);
    EXPECT_FALSE(c().timer(5).enabled());
    EXPECT_EQ(c().label(12).caption(), "Commands");
    EXPECT_EQ(c().label(13).caption(), "Follow me!");
    form->userSelected(10, 1);
    p.advance(1000);
    EXPECT_EQ(c().label(12).caption(), "Statements") << "runs once only";
}

TEST_F(Form1StartupTest, TheWatcherIsLiveBeforeTheBindFileIsApplied) {
    std::vector<int> indices(20, 0);
    indices[0] = 1;
    p.files["binds"] = bindFileBytes("1", indices);
    start();
    p.press(kVkNumpad0);
    p.advance(100); // the first poll sees the key; the lists are restored in the same instant
    p.release(kVkNumpad0);
    p.advance(300);
    ASSERT_EQ(p.typed.size(), 3u);
    EXPECT_EQ(p.typed[1].keys, "2") << "read at the moment of the step, after the restore";
}

TEST_F(Form1StartupTest, Timer4TicksAndDoesNothing) {
    startAndSettle();
    const auto caption = c().label(13).caption();
    p.advance(5000);
    EXPECT_EQ(c().label(13).caption(), caption);
    EXPECT_TRUE(c().timer(4).enabled());
}

} // namespace
} // namespace bt::test
