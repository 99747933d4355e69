#include "form1_fixture.h"

namespace bt::test {
namespace {

struct LifecycleTest : Form1Fixture {
    int unloads = 0;
    void startCounting() {
        startAndSettle();
        form->setOnUnloaded([this] { ++unloads; });
    }
    // The icon is in the notification area exactly while the window is hidden.
    void expectInvariant() { EXPECT_EQ(p.iconPresent, !c().form.visible()); }
};

TEST_F(LifecycleTest, TheTrayRecordIsFilledAtStartButNoIconIsAdded) {
    startCounting();
    const TrayRecord& r = form->lifecycle().trayRecord();
    EXPECT_EQ(r.cbSize, 88u);
    EXPECT_EQ(r.uID, 1u);
    EXPECT_EQ(r.uFlags, 7u);
    EXPECT_EQ(r.uCallbackMessage, 512u);
    EXPECT_EQ(r.hWnd, p.windowHandle(WindowId::Form1));
    EXPECT_EQ(r.hIcon, p.windowIconHandle(WindowId::Form1));
    ASSERT_EQ(r.szTip.size(), 64u);
    EXPECT_EQ(r.szTip.substr(0, 16), std::string("Brontek tarnlow\0", 16));
    EXPECT_EQ(r.szTip.find_first_not_of(' ', 16), std::string::npos);
    EXPECT_EQ(r.tip(), "Brontek tarnlow");
    EXPECT_EQ(p.trayAdds, 0);
    EXPECT_TRUE(c().form.visible());
    expectInvariant();
}

TEST_F(LifecycleTest, StartThenDoubleClickOnTheIcon) {
    startCounting();
    c().command(6).click();
    EXPECT_FALSE(c().form.visible());
    expectInvariant();
    ASSERT_TRUE(p.lastTrayRecord);
    EXPECT_EQ(p.lastTrayRecord->tip(), "Brontek tarnlow");
    form->trayMessage(515);
    EXPECT_TRUE(c().form.visible());
    EXPECT_EQ(c().form.windowState(), WindowState::Normal);
    expectInvariant();
}

TEST_F(LifecycleTest, MinimizeThenShowFromTheMenu) {
    startCounting();
    form->userMinimized();
    EXPECT_FALSE(c().form.visible());
    expectInvariant();
    p.popupChoices.push_back(PopupChoice::Show);
    form->trayMessage(516);
    EXPECT_EQ(p.popupsOpened, 1);
    EXPECT_TRUE(c().form.visible());
    EXPECT_EQ(c().form.windowState(), WindowState::Normal);
    expectInvariant();
}

TEST_F(LifecycleTest, OtherIconMessagesDoNothing) {
    startCounting();
    c().command(6).click();
    for (double x : {512.0, 513.0, 514.0, 517.0, 0.0, 516.6, 514.4, 1e300})
        form->trayMessage(x);
    EXPECT_FALSE(c().form.visible());
    EXPECT_EQ(p.popupsOpened, 0);
    form->trayMessage(515.4); // rounds to 515
    EXPECT_TRUE(c().form.visible());
}

TEST_F(LifecycleTest, ExitFromTheMenuRemovesTheIconFirstAndUnloads) {
    startCounting();
    c().command(6).click();
    bool iconAtUnloadStep = true;
    form->setUnloadStep([&] { iconAtUnloadStep = p.iconPresent; });
    p.popupChoices.push_back(PopupChoice::Exit);
    form->trayMessage(516);
    EXPECT_FALSE(iconAtUnloadStep);
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(form->loaded());
    EXPECT_FALSE(p.ended) << "the process ends with its last window, not here";
}

TEST_F(LifecycleTest, ExitButtonWithoutTransferUnloads) {
    startCounting();
    c().command(2).click();
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(p.ended);
}

TEST_F(LifecycleTest, ExitButtonDuringATransferEndsAtOnceWithoutTheUnloadStep) {
    startCounting();
    bool stepRan = false;
    form->setUnloadStep([&] { stepRan = true; });
    c().inet1.openUrl("http://127.0.0.1:8642/x", nullptr);
    ASSERT_TRUE(c().inet1.stillExecuting());
    c().command(2).click();
    EXPECT_TRUE(p.ended);
    EXPECT_FALSE(stepRan);
    EXPECT_EQ(unloads, 0);
    EXPECT_FALSE(c().form.visible());
    EXPECT_EQ(p.cancelled.size(), 1u);
}

TEST_F(LifecycleTest, WithoutATrayHostStartAndMinimizeKeepTheWindowReachable) {
    p.trayHost = false;
    startCounting();
    c().command(6).click();
    EXPECT_TRUE(c().form.visible());
    EXPECT_EQ(c().form.windowState(), WindowState::Minimized);
    EXPECT_EQ(p.trayAdds, 0);
    form->userRestored();
    form->userMinimized();
    EXPECT_TRUE(c().form.visible());
    expectInvariant();
}

TEST_F(LifecycleTest, RoundTripsManyTimesKeepTheInvariant) {
    startCounting();
    for (int i = 0; i < 5; ++i) {
        c().command(6).click();
        expectInvariant();
        form->trayMessage(515);
        expectInvariant();
        form->userMinimized();
        expectInvariant();
        p.popupChoices.push_back(PopupChoice::None);
        form->trayMessage(516);
        expectInvariant();
        form->trayMessage(515);
        expectInvariant();
    }
    EXPECT_TRUE(c().form.visible());
}

} // namespace
} // namespace bt::test
