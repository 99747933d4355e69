#include "catalogue/voice_menu.h"

#include <gtest/gtest.h>

namespace bt {
namespace {

constexpr auto CoD = Variant::CallOfDuty;
constexpr auto UO = Variant::UnitedOffensive;

TEST(VoiceMenuTest, CountsPerVariantAndMenu) {
    EXPECT_EQ(menuCount(CoD), 3);
    EXPECT_EQ(menuCount(UO), 5);
    const int cod[] = {8, 8, 7};
    const int uo[] = {9, 9, 8, 5, 8};
    for (int m = 1; m <= 3; ++m)
        EXPECT_EQ(messageCount(CoD, m), cod[m - 1]) << m;
    for (int m = 1; m <= 5; ++m)
        EXPECT_EQ(messageCount(UO, m), uo[m - 1]) << m;
}

TEST(VoiceMenuTest, MenuNamesDoNotDependOnTheVariant) {
    EXPECT_EQ(menuName(1), "Commands");
    EXPECT_EQ(menuName(2), "Statements");
    EXPECT_EQ(menuName(3), "Responses");
    EXPECT_EQ(menuName(4), "Requests");
    EXPECT_EQ(menuName(5), "Vehicles");
}

TEST(VoiceMenuTest, StatementsSevenAndEightDifferBetweenTheVariants) {
    EXPECT_EQ(messageText(CoD, 2, 7), "Need reinforcements!");
    EXPECT_EQ(messageText(UO, 2, 7), "Smoke out!");
    EXPECT_EQ(messageText(CoD, 2, 8), "Hold your fire!");
    EXPECT_EQ(messageText(UO, 2, 8), "Enemy spotted ahead!");
    EXPECT_EQ(messageText(UO, 4, 1), "Hold your fire!");
    EXPECT_EQ(messageText(UO, 4, 2), "Need reinforcements!");
}

TEST(VoiceMenuTest, TextsKeepTheGamesOwnSpelling) {
    EXPECT_EQ(messageText(CoD, 1, 1), "Follow me!");
    EXPECT_EQ(messageText(UO, 1, 9), "Redeploy forward!");
    EXPECT_EQ(messageText(UO, 2, 9), "Enemy behind us!");
    EXPECT_EQ(messageText(CoD, 3, 7), "Are you crazy?");
    EXPECT_EQ(messageText(UO, 3, 8), "Thank you!");
    EXPECT_EQ(messageText(UO, 4, 5), "Need artilery support!");
    EXPECT_EQ(messageText(UO, 5, 7), "Enemy heavy tank spotted?");
    EXPECT_EQ(messageText(UO, 5, 8), "Incoming armor!");
}

TEST(VoiceMenuTest, AnythingOutsideAVariantsMenuHasNoText) {
    // United Offensive's additions do not exist in Call of Duty 1 / 2.
    for (auto [menu, message] : {std::pair{1, 9}, {2, 9}, {3, 8}, {4, 1}, {5, 1}})
        EXPECT_EQ(messageText(CoD, menu, message), "") << menu << "/" << message;
    for (auto [menu, message] : {std::pair{1, 0}, {1, 10}, {0, 1}, {6, 1}})
        EXPECT_EQ(messageText(UO, menu, message), "") << menu << "/" << message;
    EXPECT_EQ(messageCount(CoD, 4), 0);
    EXPECT_EQ(messageCount(UO, 6), 0);
    EXPECT_EQ(menuName(0), "");
    EXPECT_EQ(menuName(6), "");
}

TEST(VoiceMenuTest, ItemListsAreTheDigitsWithoutGaps) {
    EXPECT_EQ(menuItems(CoD), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(menuItems(UO), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(messageItems(CoD, 3), (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(messageItems(UO, 4), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_TRUE(messageItems(CoD, 5).empty());
}

TEST(VoiceMenuTest, EveryMessageOfEveryVariantHasText) {
    for (Variant v : {CoD, UO})
        for (int m = 1; m <= menuCount(v); ++m)
            for (int n = 1; n <= messageCount(v, m); ++n)
                EXPECT_FALSE(messageText(v, m, n).empty()) << m << "/" << n;
}

} // namespace
} // namespace bt
