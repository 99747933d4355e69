// The voice-menu catalogue and how the bind editor's lists, variant switch and preview follow it.

#include "main_window_fixture.h"

namespace bt::test {
namespace {

constexpr auto CoD = Variant::CallOfDuty;
constexpr auto UO = Variant::UnitedOffensive;

TEST(VoiceMenuTest, CountsNamesAndTheTextsThatDifferOrAreMisspelt) {
    EXPECT_EQ(menuCount(CoD), 3);
    EXPECT_EQ(menuCount(UO), 5);
    const int cod[] = {8, 8, 7, 0, 0};
    const int uo[] = {9, 9, 8, 5, 8};
    const char* names[] = {"Commands", "Statements", "Responses", "Requests", "Vehicles"};
    for (int m = 1; m <= 5; ++m) {
        EXPECT_EQ(messageCount(CoD, m), cod[m - 1]) << m;
        EXPECT_EQ(messageCount(UO, m), uo[m - 1]) << m;
        EXPECT_EQ(menuName(m), names[m - 1]);
    }
    struct Text {
        Variant v;
        int menu, message;
        const char* text;
    };
    // clang-format off
    for (const Text& t : {Text{CoD, 2, 7, "Need reinforcements!"}, {UO, 2, 7, "Smoke out!"},
                          {CoD, 2, 8, "Hold your fire!"}, {UO, 2, 8, "Enemy spotted ahead!"},
                          {UO, 4, 1, "Hold your fire!"}, {UO, 4, 5, "Need artilery support!"},
                          {UO, 5, 7, "Enemy heavy tank spotted?"}, {UO, 1, 9, "Redeploy forward!"},
                          {CoD, 1, 9, ""}, {CoD, 3, 8, ""}, {UO, 1, 0, ""}, {UO, 6, 1, ""},
                          {CoD, 4, 1, ""}})
        // clang-format on
        EXPECT_EQ(messageText(t.v, t.menu, t.message), t.text) << t.menu << "/" << t.message;
    EXPECT_EQ(menuName(0), "");
    EXPECT_EQ(menuName(6), "");
}

using EditorTest = MainWindowTest;

TEST_F(EditorTest, AMenuRefillsItsMessagesFromMessage1AndAMessageOnlyMovesThePreview) {
    startAndSettle();
    bind(3, 1, 7);
    bind(2, 3, 4);
    EXPECT_EQ(c().previewMessageLabel.caption(), "Sorry!");
    c().slotMenu(4).setIndex(2); // Responses on Numpad 4
    EXPECT_EQ(c().slotMessage(4).items(), digitItems(7));
    EXPECT_EQ(c().previewMenuLabel.caption(), "Responses");
    EXPECT_EQ(c().previewMessageLabel.caption(), "Yes sir!");
    EXPECT_EQ(c().previewMenuList.index(), 2);
    EXPECT_EQ(c().previewMessageList.items(), digitItems(7));
    c().slotMenu(3).setIndex(1); // Statements: message 7 goes back to 1
    c().slotMessage(3).setIndex(6);
    EXPECT_EQ(c().previewMenuLabel.caption(), "Statements");
    EXPECT_EQ(c().previewMessageLabel.caption(), "Need reinforcements!");
    for (int slot : {0, 1, 5, 6, 7, 8, 9})
        EXPECT_EQ(binding(slot), std::make_pair(1, 1)) << slot;
    EXPECT_EQ(binding(4), std::make_pair(3, 1));
    EXPECT_EQ(binding(3), std::make_pair(2, 7));
    c().slotMenu(2).setIndex(2); // the index it has: nothing runs
    c().slotMessage(2).setIndex(3);
    EXPECT_EQ(c().previewMessageLabel.caption(), "Need reinforcements!");
    EXPECT_EQ(binding(2), std::make_pair(3, 4));
}

TEST_F(EditorTest, SwitchingTheVariantResetsEverySlotAndEndsThePreviewOnSlot0) {
    startAndSettle();
    bind(7, 3, 5);
    c().unitedOffensiveOption.select();
    EXPECT_EQ(c().variant, "2");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(binding(slot), std::make_pair(1, 1)) << slot;
        EXPECT_EQ(c().slotMenu(slot).items(), digitItems(5));
        EXPECT_EQ(c().slotMessage(slot).items(), digitItems(9));
    }
    EXPECT_EQ(c().previewMenuList.items(), digitItems(5));
    bind(4, 5, 8);
    EXPECT_EQ(c().previewMessageLabel.caption(), "Incoming armor!");
    c().callOfDutyOption.select();
    EXPECT_EQ(c().variant, "1");
    EXPECT_EQ(binding(4), std::make_pair(1, 1));
    EXPECT_EQ(c().slotMenu(4).items(), digitItems(3));
    EXPECT_EQ(c().slotMessage(4).items(), digitItems(8));
    EXPECT_EQ(c().previewMenuLabel.caption(), "Commands");
    EXPECT_EQ(c().previewMessageLabel.caption(), "Follow me!");
    bind(1, 3, 2);
    c().callOfDutyOption.select(); // the selected variant again: bindings kept
    EXPECT_EQ(binding(1), std::make_pair(3, 2));
}

TEST_F(EditorTest, EveryPairTheListsOfferPreviewsTheCatalogueText) {
    startAndSettle();
    for (Variant v : {CoD, UO}) {
        (v == CoD ? c().callOfDutyOption : c().unitedOffensiveOption).select();
        for (int m = 1; m <= menuCount(v); ++m)
            for (int n = 1; n <= messageCount(v, m); ++n) {
                bind(7, m, n);
                EXPECT_EQ(c().previewMenuLabel.caption(), menuName(m));
                EXPECT_EQ(c().previewMessageLabel.caption(), messageText(v, m, n)) << m << n;
            }
    }
}

TEST_F(EditorTest, AMessageIndexBeyondThePreviewListLeavesThePreviewAlone) {
    startAndSettle();
    // The preview shows Responses (seven items); a message list of a slot whose menu list has no
    // selection then announces message 8, as while a bind file is being applied.
    c().slotMenu(1).setIndex(2);
    ASSERT_EQ(c().previewMessageList.count(), 7);
    c().slotMenu(2).clear();
    for (const auto& item : digitItems(3))
        c().slotMenu(2).addItem(item);
    c().slotMessage(2).setIndex(7);
    EXPECT_EQ(c().previewMessageLabel.caption(), "Yes sir!");
    EXPECT_EQ(c().previewMessageList.count(), 7);
    // With no menu chosen but the label still on Vehicles, the Vehicles text shows.
    c().unitedOffensiveOption.select();
    bind(6, 5, 1);
    c().slotMenu(6).setIndex(-1);
    c().slotMessage(6).setIndex(3);
    EXPECT_EQ(c().previewMessageLabel.caption(), "Get on that machine gun!");
}

} // namespace
} // namespace bt::test
