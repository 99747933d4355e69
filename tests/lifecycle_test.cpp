// The main window put away into the notification area and back, and the ways out.

#include "main_window_fixture.h"

namespace bt::test {
namespace {

struct LifecycleTest : MainWindowTest {
    int unloads = 0;
    void SetUp() override {
        start();
        window().setOnClosed([this] { ++unloads; });
    }
    // The icon is in the notification area exactly while the window is hidden.
    void expectIconOnlyWhileHidden() { EXPECT_EQ(p.tray.iconPresent, !c().window.visible()); }
};

TEST_F(LifecycleTest, StartMinimizeAndTheIconsEventsKeepTheIconOnlyWhileHidden) {
    EXPECT_EQ(p.tray.adds, 0) << "no icon at start";
    for (int round = 0; round < 2; ++round) {
        c().startButton.click();
        EXPECT_FALSE(c().window.visible());
        expectIconOnlyWhileHidden();
        EXPECT_EQ(p.tray.tip, "Brontek tarnlow");
        window().trayEvent(TrayEvent::ShowAsked); // a double-click
        EXPECT_TRUE(c().window.visible());
        expectIconOnlyWhileHidden();
        window().shownMinimized(true);
        EXPECT_FALSE(c().window.visible());
        p.tray.popupChoices.push_back(PopupChoice::None);
        window().trayEvent(TrayEvent::MenuAsked); // the menu, closed without a choice
        EXPECT_FALSE(c().window.visible());
        p.tray.popupChoices.push_back(PopupChoice::Show);
        window().trayEvent(TrayEvent::MenuAsked);
        EXPECT_TRUE(c().window.visible());
        EXPECT_EQ(c().window.state(), WindowState::Normal);
        expectIconOnlyWhileHidden();
    }
    EXPECT_EQ(std::make_pair(p.tray.popupsOpened, unloads), std::make_pair(4, 0));
    EXPECT_EQ(p.desktop.broughtToFront, std::vector<WindowId>(4, WindowId::Main))
        << "asked for, each time";
}

TEST_F(LifecycleTest, ASecondStartBringsTheWindowOutOfTheTrayAndForward) {
    c().startButton.click();
    app->anotherCopyStarted();
    EXPECT_TRUE(c().window.visible());
    expectIconOnlyWhileHidden();
    EXPECT_EQ(p.desktop.broughtToFront, std::vector<WindowId>{WindowId::Main});
}

TEST_F(LifecycleTest, ExitFromTheMenuRemovesTheIconBeforeTheUnloadStep) {
    c().startButton.click();
    bool iconDuringUnloadStep = true;
    window().setOnClosing([&] { iconDuringUnloadStep = p.tray.iconPresent; });
    p.tray.popupChoices.push_back(PopupChoice::Exit);
    window().trayEvent(TrayEvent::MenuAsked);
    EXPECT_FALSE(iconDuringUnloadStep);
    EXPECT_EQ(std::make_pair(unloads, window().isOpen()), std::make_pair(1, false));
    window().close();
    EXPECT_EQ(unloads, 1) << "unloads once";
}

TEST_F(LifecycleTest, TheExitButtonWhileThePollWaitsForTheServerEndsAtOnce) {
    bool stepRan = false;
    window().setOnClosing([&] { stepRan = true; });
    p.clock.advance(1000); // the status poll asks and gets no answer yet
    c().exitButton.click();
    EXPECT_TRUE(p.desktop.ended && !stepRan && unloads == 0) << "ended at once, without the unload";
    EXPECT_FALSE(c().window.visible());
    EXPECT_EQ(p.http.pendingCount(), 0u) << "the poll is cancelled";
}

TEST_F(LifecycleTest, AKeyPressedAsTheWindowClosesTypesNothing) {
    p.keyboard.tap(4); // its poll is due at once, but runs after the window has gone
    c().exitButton.click();
    p.clock.advance(1000);
    EXPECT_TRUE(p.typist.typed.empty());
}

TEST_F(LifecycleTest, ASequenceUnderWayWhenTheWindowClosesStopsThere) {
    p.keyboard.tap(4); // seen at once: v at 100, the digits at 200 and 300
    p.clock.advance(150);
    c().exitButton.click();
    p.clock.advance(1000);
    EXPECT_EQ(typed(), (Typed{{100, "v"}}));
}

TEST_F(LifecycleTest, WithoutATrayHostStartAndMinimizeKeepTheWindowReachable) {
    p.tray.host = false;
    c().startButton.click();
    EXPECT_TRUE(c().window.visible());
    EXPECT_EQ(c().window.state(), WindowState::Minimized);
    window().shownMinimized(false); // from the taskbar
    EXPECT_EQ(c().window.state(), WindowState::Normal) << "or a view would minimize it again";
    window().shownMinimized(true);
    EXPECT_TRUE(c().window.visible());
    EXPECT_EQ(p.tray.adds, 0);
}

} // namespace
} // namespace bt::test
