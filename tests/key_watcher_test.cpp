#include "form1_fixture.h"

namespace bt::test {
namespace {

using Keys = std::vector<std::string>;
using Times = std::vector<std::int64_t>;

struct KeyWatcherTest : Form1Fixture {
    static constexpr int kNumpad(int n) { return kVkNumpad0 + n; }
};

TEST_F(KeyWatcherTest, Numpad0WithoutBindFileTypesV11AtTheKeyInterval) {
    startAndSettle();  // t = 100: the first poll saw nothing
    p.tap(kNumpad(0)); // a quick tap between two polls is caught at t = 200
    p.advance(1000);
    EXPECT_EQ(typedKeys(), (Keys{"{v}", "1", "1"}));
    EXPECT_EQ(typedTimes(), (Times{300, 400, 500}));
}

TEST_F(KeyWatcherTest, TheHighestKeyDownInOnePollWins) {
    startAndSettle();
    bind(3, 3, 4);
    bind(7, 2, 6);
    p.tap(kNumpad(3));
    p.tap(kNumpad(7));
    p.advance(2000);
    EXPECT_EQ(typedKeys(), (Keys{"{v}", "2", "6"}));
    EXPECT_EQ(form->watcher().pressedSlot(), 8);
}

struct HoldCase {
    const char* interval;
    std::int64_t period;
};
class KeyWatcherHoldTest : public KeyWatcherTest, public ::testing::WithParamInterface<HoldCase> {};

TEST_P(KeyWatcherHoldTest, AHeldKeyRepeatsEveryThreeIntervalsPlusOnePoll) {
    startAndSettle();
    p.inputAnswers.push_back(GetParam().interval);
    c().command(5).click();
    p.press(kNumpad(5)); // seen by the poll at t = 200
    p.advance(3 * GetParam().period);
    ASSERT_GE(p.typed.size(), 9u);
    for (std::size_t seq = 0; seq < 3; ++seq) {
        const std::int64_t seen = 200 + static_cast<std::int64_t>(seq) * GetParam().period;
        const std::int64_t i = (GetParam().period - 100) / 3;
        EXPECT_EQ(p.typed[seq * 3].keys, "{v}");
        EXPECT_EQ(p.typed[seq * 3 + 0].at, seen + i);
        EXPECT_EQ(p.typed[seq * 3 + 1].at, seen + 2 * i);
        EXPECT_EQ(p.typed[seq * 3 + 2].at, seen + 3 * i);
    }
    p.release(kNumpad(5));
    const auto count = p.typed.size();
    p.advance(4 * GetParam().period);
    EXPECT_LE(p.typed.size(), count + 3) << "at most the sequence under way finishes";
}

INSTANTIATE_TEST_SUITE_P(Intervals, KeyWatcherHoldTest,
                         ::testing::Values(HoldCase{"100", 400}, HoldCase{"1000", 3100},
                                           HoldCase{"250", 850}));

TEST_F(KeyWatcherTest, ListsAreReadAtEachStep) {
    startAndSettle();
    bind(1, 1, 3);
    p.tap(kNumpad(1)); // seen at 200; v at 300, menu at 400, message at 500
    p.advance(350);    // t = 450: step 1 done
    ASSERT_EQ(typedKeys(), (Keys{"{v}", "1"}));
    form->userSelected(3, 5); // message 6
    p.advance(100);
    EXPECT_EQ(typedKeys(), (Keys{"{v}", "1", "6"}));
}

TEST_F(KeyWatcherTest, KeysPressedWhileSendingAreCaughtAtTheFirstPollAfter) {
    startAndSettle();
    p.tap(kNumpad(0)); // seen at 200, sequence ends at 500
    p.advance(150);
    p.tap(kNumpad(9)); // during the sequence
    p.advance(1000);
    ASSERT_EQ(p.typed.size(), 6u);
    EXPECT_EQ(p.typed[3].at, 700) << "seen at 600, the first poll after the sequence";
}

TEST_F(KeyWatcherTest, OnlyOneOfWatcherAndSenderIsEverEnabled) {
    startAndSettle();
    p.press(kNumpad(4));
    for (int t = 0; t < 2000; t += 10) {
        p.advance(10);
        EXPECT_NE(c().timer(1).enabled(), c().timer(2).enabled()) << p.now();
    }
}

TEST_F(KeyWatcherTest, ASlotWithoutSelectionTypesNothingForThatStepButKeepsTheRhythm) {
    startAndSettle();
    c().combo(4).clear(); // slot 1's menu list: no selection, no behaviour
    p.tap(kNumpad(1));
    p.advance(1000);
    EXPECT_EQ(typedKeys(), (Keys{"{v}", "1"}));
    EXPECT_EQ(typedTimes(), (Times{300, 500}));
    EXPECT_EQ(p.emptySends, 1);
    EXPECT_TRUE(c().timer(1).enabled());
}

struct DialogCase {
    const char* answer;
    const char* interval; // Text2 afterwards
    bool message;
};
class IntervalDialogTest : public KeyWatcherTest,
                           public ::testing::WithParamInterface<DialogCase> {};

TEST_P(IntervalDialogTest, AnswerGivesIntervalAndMessage) {
    startAndSettle();
    p.inputAnswers.push_back("500");
    c().command(5).click();
    ASSERT_EQ(c().text(2).text(), "500");
    p.inputAnswers.push_back(GetParam().answer);
    c().command(5).click();
    EXPECT_EQ(c().text(2).text(), GetParam().interval);
    ASSERT_EQ(p.messageBoxes.size(), GetParam().message ? 1u : 0u);
    if (GetParam().message) {
        EXPECT_EQ(p.messageBoxes[0].prompt, "Enter 100 - 1000");
        EXPECT_EQ(p.messageBoxes[0].title, "Brontek tarnlow");
    }
    const auto& box = p.inputBoxes.back();
    EXPECT_EQ(box.prompt, "Key interval (ms)");
    EXPECT_EQ(box.title, "Brontek tarnlow");
    EXPECT_EQ(box.defaultText, "100") << "always proposes 100, even at 500";
    EXPECT_EQ(box.left, 2500);
    EXPECT_EQ(box.top, 2700);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, IntervalDialogTest,
    ::testing::Values(DialogCase{"100", "100", false}, DialogCase{"1000", "1000", false},
                      DialogCase{"250.5", "250.5", false}, DialogCase{"99", "100", true},
                      DialogCase{"0", "100", true}, DialogCase{"-20", "100", true},
                      DialogCase{"1001", "100", true}, DialogCase{"99999999", "100", true},
                      DialogCase{"abc", "100", true}, DialogCase{"", "500", false}));

TEST_F(KeyWatcherTest, CancelAfterAFractionalIntervalKeepsItsWholeValue) {
    startAndSettle();
    p.inputAnswers.push_back("250.5");
    c().command(5).click();
    c().command(5).click(); // cancelled
    EXPECT_EQ(c().text(2).text(), "250");
}

TEST_F(KeyWatcherTest, TheIntervalIsReadWithTheUsersDecimalSeparator) {
    p.separator = ',';
    startAndSettle();
    p.inputAnswers.push_back("250,5");
    c().command(5).click();
    EXPECT_TRUE(p.messageBoxes.empty());
    p.advance(100);
    EXPECT_EQ(c().timer(2).interval(), 250) << "250.5 rounds half to even";
}

TEST_F(KeyWatcherTest, ANewIntervalTakesEffectAtTheNextPollNotDuringASequence) {
    startAndSettle();
    p.tap(kNumpad(0)); // seen at 200 with interval 100
    p.advance(150);    // t = 250
    p.inputAnswers.push_back("300");
    c().command(5).click();
    p.advance(300);
    EXPECT_EQ(typedTimes(), (Times{300, 400, 500}));
    p.tap(kNumpad(0)); // seen at 600 with interval 300
    p.advance(1000);
    EXPECT_EQ(typedTimes(), (Times{300, 400, 500, 900, 1200, 1500}));
}

TEST_F(KeyWatcherTest, TheWatcherRunsWhetherTheWindowIsShownOrInTheTray) {
    startAndSettle();
    c().command(6).click(); // Start
    ASSERT_FALSE(c().form.visible());
    p.tap(kNumpad(2));
    p.advance(500);
    EXPECT_EQ(typedKeys(), (Keys{"{v}", "1", "1"}));
}

TEST_F(KeyWatcherTest, IntervalIs100AfterEveryStart) {
    start();
    EXPECT_EQ(c().text(2).text(), "100");
}

} // namespace
} // namespace bt::test
