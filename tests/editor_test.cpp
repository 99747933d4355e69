// The voice-menu catalogue, and how the player's choices change the bindings and the preview.

#include "base/controls/text_fit.h"
#include "base/news_window_controls.h"
#include "base/twips.h"

#include "main_window_fixture.h"
#include <tuple>

namespace bt::test {
namespace {

constexpr auto CoD = Game::CallOfDuty;
constexpr auto UO = Game::UnitedOffensive;

// The texts that differ between the games, or are misspelt, as the game says them. (That the
// closed lists read the slot's binding in these words after every pick, the random player holds.)
TEST(VoiceMenuTest, TheGamesOwnWordsAndNumberOfMessagesEachWithATextAndNothingOutside) {
    // clang-format off
    const std::tuple<Game, int, int, const char*> texts[] = {
        {UO, 3, 8, "Thank you!"}, {CoD, 2, 7, "Need reinforcements!"}, {UO, 2, 7, "Smoke out!"},
        {CoD, 2, 8, "Hold your fire!"}, {UO, 2, 8, "Enemy spotted ahead!"},
        {UO, 4, 5, "Need artilery support!"}, {UO, 5, 7, "Enemy heavy tank spotted?"},
        {CoD, 3, 7, "Are you crazy?"}, {UO, 1, 9, "Redeploy forward!"}, {UO, 1, 0, ""}};
    // clang-format on
    for (const auto& [game, menu, message, text] : texts)
        EXPECT_EQ(messageText(game, menu, message), text) << menu << " " << message;
    EXPECT_EQ(menuName(5), "Vehicles");
    // Call of Duty 1 / 2: Commands, Statements, Responses; United Offensive adds Requests and
    // Vehicles and has more messages.
    const std::vector<std::pair<Game, std::vector<int>>> games = {{CoD, {8, 8, 7}},
                                                                  {UO, {9, 9, 8, 5, 8}}};
    for (const auto& [game, counts] : games) {
        EXPECT_EQ(menuCount(game), static_cast<int>(counts.size()));
        for (int menu = 1; menu <= static_cast<int>(counts.size()); ++menu) {
            const int count = counts[static_cast<std::size_t>(menu - 1)];
            EXPECT_EQ(messageCount(game, menu), count) << menu;
            EXPECT_NE(messageText(game, menu, count), "") << menu;
            EXPECT_EQ(messageText(game, menu, count + 1), "") << menu;
        }
        EXPECT_EQ(messageText(game, menuCount(game) + 1, 1), "");
        EXPECT_EQ(messageText(game, 0, 1), "");
    }
    for (int none : {-1000, 0, 6, 1000})
        EXPECT_EQ(menuName(none), "") << none;
}

// (Which binding each pick and each game leaves a slot, the random player holds by what its keys
// type.)
using EditorTest = MainWindowTest;

TEST_F(EditorTest, AMenuStartsAtItsFirstMessageAndWhatASlotHasAlreadyChangesNothing) {
    start();
    EXPECT_EQ(c().slotMenu(0).items(),
              (std::vector<std::string>{"1 Commands", "2 Statements", "3 Responses"}));
    bind(3, 1, 7);
    bind(2, 3, 4);
    EXPECT_EQ(c().previewMessageLabel.caption(), "Sorry!");
    int viewTold = 0;
    c().slotMessage(4).setObserver([&] { ++viewTold; });
    c().slotMenu(4).choose(2); // Responses on Numpad 4
    EXPECT_EQ(c().slotMessage(4).items(), messageItems(CoD, 3));
    EXPECT_GT(viewTold, 0) << "the list's view is told of its new messages";
    EXPECT_EQ(c().previewMenuLabel.caption(), "Responses");
    EXPECT_EQ(c().previewMessageLabel.caption(), "Yes sir!");
    c().slotMenu(3).choose(1); // Statements: message 7 goes back to 1, though Statements has one
    c().slotMessage(3).choose(6);
    EXPECT_EQ(c().previewMessageLabel.caption(), "Need reinforcements!");
    c().slotMenu(4).choose(2);    // what Numpad 4 has, menu and message: the preview stays on
    c().slotMessage(4).choose(0); // Numpad 3
    EXPECT_EQ(c().previewMessageLabel.caption(), "Need reinforcements!");
}

TEST_F(EditorTest, AnotherGameResetsEverySlotAndShowsSlot0) {
    start();
    bind(7, 3, 5);
    c().callOfDutyOption.click(); // with no game chosen yet: it shows, and nothing changes
    EXPECT_TRUE(c().callOfDutyOption.value() && !window().profile().game);
    c().unitedOffensiveOption.click();
    EXPECT_EQ(window().profile().game, UO);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(c().slotMenu(slot).items(), menuItems(UO));
        EXPECT_EQ(c().slotMessage(slot).items(), messageItems(UO, 1));
    }
    EXPECT_TRUE(c().unitedOffensiveOption.value() && !c().callOfDutyOption.value());
    bind(4, 5, 8);
    EXPECT_EQ(c().previewMessageLabel.caption(), "Incoming armor!");
    c().callOfDutyOption.click();
    EXPECT_EQ(window().profile().game, CoD);
    EXPECT_EQ(c().slotMessage(4).items(), messageItems(CoD, 1));
    EXPECT_EQ(c().previewMenuLabel.caption(), "Commands");
    EXPECT_EQ(c().previewMessageLabel.caption(), "Follow me!");
}

// Where the windows' controls stand before a feed moves any, as players have always seen them.
TEST(WindowLayoutTest, TheControlsStandWhereTheyWereDesigned) {
    MainWindowControls m;
    NewsWindowControls n;
    // clang-format off
    const std::pair<const Control*, Rect> designed[] = {
        {&m.keyLabel(0), {120, 165, 1095, 255}}, {&m.keyLabel(9), {6480, 1605, 1095, 255}},
        {&m.slotMenu(2), {1320, 840, 1695, 315}}, {&m.slotMessage(6), {9480, 480, 3225, 315}},
        {&m.slotMenu(8), {7680, 1200, 1695, 315}}, {&m.slotMessage(4), {3120, 1560, 3225, 315}},
        {&m.previewMenuLabel, {120, 2040, 2895, 255}}, {&m.exitButton, {3600, 2760, 975, 375}},
        {&m.previewMessageLabel, {120, 2325, 2895, 255}}, {&m.saveButton, {2520, 2760, 975, 375}},
        {&m.callOfDutyOption, {3120, 2040, 2415, 255}}, {&m.startButton, {360, 2760, 975, 375}},
        {&m.unitedOffensiveOption, {3120, 2325, 2415, 255}}, {&n.newsIdBox, {1800, 5880, 615, 285}},
        {&m.intervalButton, {1440, 2760, 975, 375}}, {&m.statusLabel, {1275, 4080, 3495, 255}},
        {&m.loginStartBox, {360, 3660, 2415, 255}},
        {&m.onlyInGameBox, {360, 3300, 1935, 255}}, {&m.gameButton, {2520, 3240, 2895, 375}},
        {&n.newsText, {1680, 2160, 5055, 735}}, {&n.pageView, {4560, 7800, 4095, 1335}},
        {&n.openLinkLabel, {5520, 4080, 1695, 255}}, {&n.probeLabel, {3600, 5040, 1335, 255}},
        {&n.connectingLabel, {120, 120, 3495, 495}}, {&n.declineBox, {360, 5640, 3135, 255}},
        {&n.linkLabel(1), {600, 3000, 1695, 255}}, {&n.linkLabel(2), {2160, 3000, 1695, 255}},
        {&n.linkLabel(3), {3720, 3000, 1695, 255}}, {&n.linkLabel(4), {600, 3360, 1695, 255}},
        {&n.linkLabel(5), {2160, 3360, 1695, 255}}, {&n.linkLabel(6), {3720, 3360, 1695, 255}}};
    // clang-format on
    for (const auto& [control, rect] : designed)
        EXPECT_EQ(control->rect(), rect) << control->name();
    EXPECT_EQ(m.statusLabel.font().size, 9.75);
    const PixelSize outer = outerSizePx(m.window, Twips(144), {16, 39}); // 150 %, with a frame
    EXPECT_TRUE(outer.width <= 1366 && outer.height <= 768 - 72) << "above a 1366 x 768 taskbar";
}

// A text wider than its control in the system's font: the control grows to the right, into free
// room only (not past a control beside it, 5 to its right, nor the window's edge), never narrower.
// The room is not taken by a control just below or above it, to its left, or stacked at its left.
TEST(WindowLayoutTest, AControlGrowsRightForItsTextIntoTheFreeRoomBesideIt) {
    const std::vector<Rect> others = {
        {23, 5, 5, 2}, {13, 7, 4, 2}, {13, 1, 4, 4}, {1, 5, 8, 2}, {10, 6, 3, 2}};
    for (const auto& [needed, clientWidth, width] :
         {std::tuple{6, 40, 8}, {10, 40, 10}, {20, 40, 13}, {20, 20, 10}})
        EXPECT_EQ(fittedWidth({10, 5, 8, 2}, needed, others, clientWidth), width) << needed;
}

} // namespace
} // namespace bt::test
