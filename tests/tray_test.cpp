// The main window put away into the notification area and back, and the ways out.

#include "main_window_fixture.h"

namespace bt::test {
namespace {

struct TrayTest : MainWindowTest {
    int closes = 0;
    void SetUp() override {
        start();
        window().setOnClosed([this] { ++closes; });
    }
};

// (That the icon is there exactly while the window is put away, that Show brings it out and
// forward, and that its menu closed without a choice changes nothing, whatever the player does,
// input_sequences_test holds.)
TEST_F(TrayTest, ExitFromTheMenuRemovesTheIconBeforeTheWindowCloses) {
    c().startButton.click();
    EXPECT_EQ(p.tray.tip, "Brontek tarnlow");
    bool iconWhileClosing = true;
    window().setOnClosing([&] { iconWhileClosing = p.tray.iconPresent; });
    p.tray.popupChoices.push_back(PopupChoice::Exit);
    window().trayEvent(TrayEvent::MenuAsked);
    EXPECT_FALSE(iconWhileClosing);
    EXPECT_EQ(std::make_pair(closes, window().isOpen()), std::make_pair(1, false));
    window().close();
    EXPECT_EQ(closes, 1) << "closes once";
}

} // namespace
} // namespace bt::test
