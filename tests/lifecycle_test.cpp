// The main window put away into the notification area and back, and the ways out.

#include "main_window_fixture.h"

namespace bt::test {
namespace {

struct LifecycleTest : MainWindowTest {
    int unloads = 0;
    void SetUp() override {
        startAndSettle();
        window().setOnUnloaded([this] { ++unloads; });
    }
    // The icon is in the notification area exactly while the window is hidden.
    void expectIconOnlyWhileHidden() { EXPECT_EQ(p.iconPresent, !c().window.visible()); }
};

TEST_F(LifecycleTest, TheTrayRecordIsFilledAtStartButNoIconIsAdded) {
    const TrayRecord& r = window().lifecycle().trayRecord();
    EXPECT_EQ(r.cbSize, 88u);
    EXPECT_EQ(r.uID, 1u);
    EXPECT_EQ(r.uFlags, 7u);
    EXPECT_EQ(r.uCallbackMessage, 512u);
    EXPECT_EQ(r.hWnd, p.windowHandle(WindowId::Main));
    EXPECT_EQ(r.hIcon, p.windowIconHandle(WindowId::Main));
    EXPECT_EQ(r.szTip, std::string("Brontek tarnlow\0", 16) + std::string(48, ' '));
    EXPECT_EQ(r.tip(), "Brontek tarnlow");
    EXPECT_EQ(p.trayAdds, 0);
    expectIconOnlyWhileHidden();
}

TEST_F(LifecycleTest, StartMinimizeDoubleClickAndShowKeepTheIconOnlyWhileHidden) {
    for (int round = 0; round < 3; ++round) {
        c().startButton.click();
        EXPECT_FALSE(c().window.visible());
        expectIconOnlyWhileHidden();
        EXPECT_EQ(p.lastTrayRecord->tip(), "Brontek tarnlow");
        window().trayMessage(515); // double-click
        EXPECT_TRUE(c().window.visible());
        expectIconOnlyWhileHidden();
        window().userMinimized();
        EXPECT_FALSE(c().window.visible());
        p.popupChoices.push_back(PopupChoice::None);
        window().trayMessage(516); // the menu, closed without a choice
        EXPECT_FALSE(c().window.visible());
        p.popupChoices.push_back(PopupChoice::Show);
        window().trayMessage(516.4);
        EXPECT_TRUE(c().window.visible());
        EXPECT_EQ(c().window.windowState(), WindowState::Normal);
        expectIconOnlyWhileHidden();
    }
    EXPECT_EQ(p.popupsOpened, 6);
    EXPECT_EQ(unloads, 0);
}

TEST_F(LifecycleTest, OtherIconMessagesDoNothing) {
    c().startButton.click();
    for (double x : {512.0, 513.0, 514.0, 517.0, 0.0, 516.6, 514.4, 1e300})
        window().trayMessage(x);
    EXPECT_FALSE(c().window.visible());
    EXPECT_EQ(p.popupsOpened, 0);
}

TEST_F(LifecycleTest, ExitFromTheMenuRemovesTheIconBeforeTheUnloadStep) {
    c().startButton.click();
    bool iconDuringUnloadStep = true;
    window().setUnloadStep([&] { iconDuringUnloadStep = p.iconPresent; });
    p.popupChoices.push_back(PopupChoice::Exit);
    window().trayMessage(516);
    EXPECT_FALSE(iconDuringUnloadStep);
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(window().loaded());
    window().unload();
    EXPECT_EQ(unloads, 1) << "unloads once";
}

TEST_F(LifecycleTest, TheExitButtonUnloadsUnlessATransferIsRunningThenEndsAtOnce) {
    bool stepRan = false;
    window().setUnloadStep([&] { stepRan = true; });
    c().statusTransfer.start("http://127.0.0.1:8642/x", nullptr);
    c().exitButton.click();
    EXPECT_TRUE(p.ended);
    EXPECT_FALSE(stepRan);
    EXPECT_EQ(unloads, 0);
    EXPECT_FALSE(c().window.visible());
    EXPECT_EQ(p.cancelled.size(), 1u);
}

TEST_F(LifecycleTest, WithoutATrayHostStartAndMinimizeKeepTheWindowReachable) {
    p.trayHost = false;
    c().startButton.click();
    EXPECT_TRUE(c().window.visible());
    EXPECT_EQ(c().window.windowState(), WindowState::Minimized);
    window().userRestored();
    window().userMinimized();
    EXPECT_TRUE(c().window.visible());
    EXPECT_EQ(p.trayAdds, 0);
}

} // namespace
} // namespace bt::test
