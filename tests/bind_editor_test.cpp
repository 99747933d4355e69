#include "form1_fixture.h"

namespace bt::test {
namespace {

using BindEditorTest = Form1Fixture;

std::vector<std::string> digits(int n) {
    std::vector<std::string> v;
    for (int i = 1; i <= n; ++i)
        v.push_back(std::to_string(i));
    return v;
}

TEST_F(BindEditorTest, ChoosingResponsesOnNumpad4RefillsItsMessagesAndMovesThePreview) {
    startAndSettle();
    form->userSelected(10, 2); // Combo10, menu "3"
    EXPECT_EQ(c().combo(9).items(), digits(7));
    EXPECT_EQ(c().combo(9).listIndex(), 0);
    EXPECT_EQ(c().label(12).caption(), "Responses");
    EXPECT_EQ(c().label(13).caption(), "Yes sir!");
    EXPECT_EQ(c().combo(21).listIndex(), 2);
    EXPECT_EQ(c().combo(22).items(), digits(7));
}

TEST_F(BindEditorTest, ChangingTheMenuResetsTheMessageToTheFirst) {
    startAndSettle();
    bind(3, 1, 7);
    EXPECT_EQ(binding(3), std::make_pair(1, 7));
    EXPECT_EQ(c().label(13).caption(), "Hold this position!");
    form->userSelected(8, 1); // Statements
    EXPECT_EQ(binding(3), std::make_pair(2, 1));
    EXPECT_EQ(c().label(13).caption(), "Enemy spotted!");
}

TEST_F(BindEditorTest, ChoosingAMessageChangesOnlyThePreview) {
    startAndSettle();
    bind(5, 2, 1);
    const auto before = c().combo(12).items();
    form->userSelected(11, 6); // Combo11: message 7 of slot 5
    EXPECT_EQ(binding(5), std::make_pair(2, 7));
    EXPECT_EQ(c().combo(12).items(), before);
    for (int slot = 0; slot < 10; ++slot) {
        if (slot != 5) {
            EXPECT_EQ(binding(slot), std::make_pair(1, 1)) << slot;
        }
    }
    EXPECT_EQ(c().label(12).caption(), "Statements");
    EXPECT_EQ(c().label(13).caption(), "Need reinforcements!");
}

TEST_F(BindEditorTest, StatementsSevenAndEightFollowTheVariant) {
    startAndSettle();
    bind(0, 2, 7);
    EXPECT_EQ(c().label(13).caption(), "Need reinforcements!");
    form->userSelected(2, 7);
    EXPECT_EQ(c().label(13).caption(), "Hold your fire!");
    form->userSelectedOption(2);
    bind(0, 2, 7);
    EXPECT_EQ(c().label(13).caption(), "Smoke out!");
    form->userSelected(2, 7);
    EXPECT_EQ(c().label(13).caption(), "Enemy spotted ahead!");
}

TEST_F(BindEditorTest, AssigningTheSameIndexChangesNothing) {
    startAndSettle();
    bind(2, 3, 4);
    form->userSelected(1, 1); // preview on another slot
    const auto caption12 = c().label(12).caption();
    const auto caption13 = c().label(13).caption();
    form->userSelected(6, 2); // slot 2's menu: already "3"
    form->userSelected(5, 3); // slot 2's message: already "4"
    EXPECT_EQ(binding(2), std::make_pair(3, 4));
    EXPECT_EQ(c().label(12).caption(), caption12);
    EXPECT_EQ(c().label(13).caption(), caption13);
}

TEST_F(BindEditorTest, SwitchingToUnitedOffensiveResetsEverySlotAndEndsThePreviewOnSlot0) {
    startAndSettle();
    bind(7, 3, 5);
    bind(0, 2, 4);
    form->userSelectedOption(2);
    EXPECT_EQ(c().text(3).text(), "2");
    for (int slot = 0; slot < 10; ++slot) {
        const SlotDef& s = kSlots[static_cast<std::size_t>(slot)];
        EXPECT_EQ(binding(slot), std::make_pair(1, 1)) << slot;
        EXPECT_EQ(c().combo(s.menuCombo).items(), digits(5));
        EXPECT_EQ(c().combo(s.messageCombo).items(), digits(9));
    }
    EXPECT_EQ(c().combo(21).items(), digits(5));
    EXPECT_EQ(c().label(12).caption(), "Commands");
    EXPECT_EQ(c().label(13).caption(), "Follow me!");
}

TEST_F(BindEditorTest, SwitchingBackFromVehiclesGivesCallOfDutyLists) {
    startAndSettle();
    form->userSelectedOption(2);
    bind(4, 5, 8);
    EXPECT_EQ(c().label(13).caption(), "Incoming armor!");
    form->userSelectedOption(1);
    EXPECT_EQ(c().text(3).text(), "1");
    EXPECT_EQ(binding(4), std::make_pair(1, 1));
    EXPECT_EQ(c().combo(10).items(), digits(3));
    EXPECT_EQ(c().combo(9).items(), digits(8));
}

TEST_F(BindEditorTest, RequestsAndVehiclesPreviewInUnitedOffensive) {
    startAndSettle();
    form->userSelectedOption(2);
    bind(9, 4, 3);
    EXPECT_EQ(c().combo(19).items(), digits(5));
    EXPECT_EQ(c().label(12).caption(), "Requests");
    EXPECT_EQ(c().label(13).caption(), "Need bazooka support!");
    bind(9, 5, 7);
    EXPECT_EQ(c().label(12).caption(), "Vehicles");
    EXPECT_EQ(c().label(13).caption(), "Enemy heavy tank spotted?");
}

TEST_F(BindEditorTest, ClickingTheSelectedVariantKeepsTheBindings) {
    startAndSettle();
    bind(1, 3, 2);
    form->userSelectedOption(1);
    EXPECT_EQ(binding(1), std::make_pair(3, 2));
}

TEST_F(BindEditorTest, PreviewMessageIndexBeyondThePreviewListLeavesThePreviewAlone) {
    startAndSettle();
    // The preview shows Responses (seven items); a message list of another slot whose menu list
    // has no selection then announces message 8, as in the restore's first pass.
    form->userSelected(4, 2);
    ASSERT_EQ(c().combo(22).listCount(), 7);
    const auto before = c().label(13).caption();
    c().combo(6).clear(); // slot 2's menu list without a selection
    for (auto item : digits(3))
        c().combo(6).addItem(item);
    c().combo(5).setListIndex(7);
    EXPECT_EQ(c().label(13).caption(), before);
    EXPECT_EQ(c().combo(22).listCount(), 7);
}

TEST_F(BindEditorTest, EveryPairTheListsOfferPreviewsTheCatalogueText) {
    startAndSettle();
    for (Variant v : {Variant::CallOfDuty, Variant::UnitedOffensive}) {
        form->userSelectedOption(v == Variant::CallOfDuty ? 1 : 2);
        for (int m = 1; m <= menuCount(v); ++m)
            for (int n = 1; n <= messageCount(v, m); ++n) {
                form->userSelected(16, m - 1);
                form->userSelected(15, n - 1);
                EXPECT_EQ(c().label(12).caption(), menuName(m));
                EXPECT_EQ(c().label(13).caption(), messageText(v, m, n)) << m << "/" << n;
            }
    }
}

} // namespace
} // namespace bt::test
