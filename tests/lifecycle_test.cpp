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

TEST_F(LifecycleTest, StartMinimizeDoubleClickAndShowKeepTheIconOnlyWhileHidden) {
    EXPECT_EQ(p.trayAdds, 0) << "no icon at start";
    for (int round = 0; round < 3; ++round) {
        c().startButton.click();
        EXPECT_FALSE(c().window.visible());
        expectIconOnlyWhileHidden();
        EXPECT_EQ(p.trayTip, "Brontek tarnlow");
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
    EXPECT_EQ(std::make_pair(p.popupsOpened, unloads), std::make_pair(6, 0));
}

TEST_F(LifecycleTest, OtherIconMessagesDoNothingAndASecondStartShowsTheWindow) {
    c().startButton.click();
    for (double x : {512.0, 513.0, 514.0, 517.0, 0.0, 516.6, 514.4, 1e300})
        window().trayMessage(x);
    EXPECT_EQ(std::make_pair(c().window.visible(), p.popupsOpened), std::make_pair(false, 0));
    app->anotherCopyStarted();
    EXPECT_TRUE(c().window.visible());
    expectIconOnlyWhileHidden();
    EXPECT_EQ(p.broughtToFront, std::vector<WindowId>{WindowId::Main});
}

TEST_F(LifecycleTest, ExitFromTheMenuRemovesTheIconBeforeTheUnloadStep) {
    c().startButton.click();
    bool iconDuringUnloadStep = true;
    window().setUnloadStep([&] { iconDuringUnloadStep = p.iconPresent; });
    p.popupChoices.push_back(PopupChoice::Exit);
    window().trayMessage(516);
    EXPECT_FALSE(iconDuringUnloadStep);
    EXPECT_EQ(std::make_pair(unloads, window().loaded()), std::make_pair(1, false));
    window().unload();
    EXPECT_EQ(unloads, 1) << "unloads once";
}

TEST_F(LifecycleTest, TheExitButtonUnloadsUnlessATransferIsRunningThenEndsAtOnce) {
    bool stepRan = false;
    window().setUnloadStep([&] { stepRan = true; });
    c().statusTransfer.start("http://127.0.0.1:8642/x", nullptr);
    c().exitButton.click();
    EXPECT_TRUE(p.ended && !stepRan && unloads == 0) << "ended at once, without the unload";
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
