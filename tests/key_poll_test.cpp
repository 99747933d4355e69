// The key poll and the sequence it types, scenario by scenario on the virtual clock.

#include "main_window_fixture.h"

namespace bt::test {
namespace {

using Keys = std::vector<std::string>;
using Times = std::vector<std::int64_t>;

struct KeyPollTest : MainWindowTest {
    void setInterval(const std::string& answer) {
        p.inputAnswers.push_back(answer);
        c().intervalButton.click();
    }
};

TEST_F(KeyPollTest, ATapBetweenTwoPollsTypesV11AtTheKeyInterval) {
    startAndSettle(); // t = 100: the first poll saw nothing
    p.tap(0);         // caught at t = 200 although it is over by then
    p.advance(1000);
    EXPECT_EQ(typedKeys(), (Keys{"{v}", "1", "1"}));
    EXPECT_EQ(typedTimes(), (Times{300, 400, 500}));
}

TEST_F(KeyPollTest, TheHighestKeyInOnePollWinsAndLowerOnesAreSpent) {
    startAndSettle();
    bind(3, 3, 4);
    bind(7, 2, 6);
    p.tap(3);
    p.tap(7);
    p.advance(2000);
    EXPECT_EQ(typedKeys(), (Keys{"{v}", "2", "6"}));
    EXPECT_EQ(window().keys().pressedSlot(), 7);
}

struct HoldCase {
    const char* interval;
    std::int64_t period; // from one sequence to the next: three intervals and one poll
};
class HeldKeyTest : public KeyPollTest, public ::testing::WithParamInterface<HoldCase> {};

TEST_P(HeldKeyTest, RepeatsAndOnlyOneOfPollAndSendIsEverEnabled) {
    startAndSettle();
    setInterval(GetParam().interval);
    p.press(5); // seen by the poll at t = 200
    const std::int64_t i = (GetParam().period - 100) / 3;
    for (std::int64_t t = 0; t < 3 * GetParam().period; t += 10) {
        p.advance(10);
        ASSERT_NE(c().keyPollTimer.enabled(), c().keySendTimer.enabled()) << p.now();
    }
    ASSERT_GE(p.typed.size(), 9u);
    for (std::size_t seq = 0; seq < 3; ++seq) {
        const std::int64_t seen = 200 + static_cast<std::int64_t>(seq) * GetParam().period;
        EXPECT_EQ(p.typed[seq * 3].keys, "{v}");
        for (std::size_t step = 0; step < 3; ++step)
            EXPECT_EQ(p.typed[seq * 3 + step].at, seen + static_cast<std::int64_t>(step + 1) * i);
    }
    p.release(5);
    const auto count = p.typed.size();
    p.advance(4 * GetParam().period);
    EXPECT_LE(p.typed.size(), count + 3) << "at most the sequence under way finishes";
}

INSTANTIATE_TEST_SUITE_P(Intervals, HeldKeyTest,
                         ::testing::Values(HoldCase{"100", 400}, HoldCase{"1000", 3100},
                                           HoldCase{"250", 850}));

TEST_F(KeyPollTest, TheListsAreReadAtEachStepAndAnEmptyOneKeepsTheRhythm) {
    startAndSettle();
    bind(1, 1, 3);
    p.tap(1);       // seen at 200; v at 300, menu at 400, message at 500
    p.advance(350); // t = 450
    c().slotMessage(1).setIndex(5);
    p.advance(100);
    EXPECT_EQ(typedKeys(), (Keys{"{v}", "1", "6"}));

    p.typed.clear();
    c().slotMenu(2).clear(); // no selection, and clearing runs nothing
    p.tap(2);                // seen at 600
    p.advance(1000);
    EXPECT_EQ(typedKeys(), (Keys{"{v}", "1"}));
    EXPECT_EQ(typedTimes(), (Times{700, 900}));
    EXPECT_EQ(p.emptySends, 1);
    EXPECT_TRUE(c().keyPollTimer.enabled());
}

TEST_F(KeyPollTest, APressDuringASequenceIsCaughtAtTheFirstPollAfterIt) {
    startAndSettle();
    p.tap(0); // seen at 200, the sequence ends at 500
    p.advance(150);
    p.tap(9);
    p.advance(1000);
    ASSERT_EQ(p.typed.size(), 6u);
    EXPECT_EQ(p.typed[3].at, 700) << "seen at 600";
}

TEST_F(KeyPollTest, ANewIntervalTakesEffectAtTheNextPollNotDuringASequence) {
    p.separator = ',';
    startAndSettle();
    p.tap(0);       // seen at 200 with interval 100
    p.advance(150); // t = 250
    setInterval("300,4");
    p.advance(300);
    p.tap(0); // seen at 600 with interval 300
    p.advance(1000);
    EXPECT_EQ(typedTimes(), (Times{300, 400, 500, 900, 1200, 1500}));
}

struct DialogCase {
    const char* answer;
    const char* interval; // afterwards
    bool message;
};
class IntervalDialogTest : public KeyPollTest, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(IntervalDialogTest, TheAnswerGivesTheIntervalAndPerhapsTheMessage) {
    startAndSettle();
    EXPECT_EQ(c().keyInterval, "100");
    setInterval("500");
    setInterval(GetParam().answer);
    EXPECT_EQ(c().keyInterval, GetParam().interval);
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
                      DialogCase{"0", "100", true}, DialogCase{"1001", "100", true},
                      DialogCase{"99999999", "100", true}, DialogCase{"abc", "100", true},
                      DialogCase{"", "500", false}));

TEST_F(KeyPollTest, CancelAfterAFractionalIntervalKeepsItsRoundedValue) {
    startAndSettle();
    setInterval("250.5");
    c().intervalButton.click(); // cancelled
    EXPECT_EQ(c().keyInterval, "250") << "halves go to the even neighbour";
}

// Presses at virtual times: (time, digit, down).
struct KeyEvent {
    std::int64_t at;
    int digit;
    bool down;
};
struct SleepCase {
    const char* name;
    std::vector<KeyEvent> events;
};
class SleepingPollTest : public ::testing::TestWithParam<SleepCase> {
  protected:
    // Runs the script from a fresh start and returns what was typed, and when.
    static std::pair<std::vector<FakePlatform::Typed>, int>
    run(bool sleeping, const std::vector<KeyEvent>& events) {
        FakePlatform p;
        p.sleepingKeyPoll = sleeping;
        Application app(p, kBase);
        app.start();
        for (const KeyEvent& e : events) {
            p.advanceTo(e.at);
            e.down ? p.press(e.digit) : p.release(e.digit);
        }
        p.advance(5000);
        return {p.typed, p.wakeUps[&app.mainWindow().controls().keyPollTimer]};
    }
};

TEST_P(SleepingPollTest, TypesTheSameKeysAtTheSameTimesAsPlainPolling) {
    const auto [polled, pollTicks] = run(false, GetParam().events);
    const auto [slept, wakeUps] = run(true, GetParam().events);
    ASSERT_EQ(slept.size(), polled.size());
    ASSERT_FALSE(polled.empty());
    for (std::size_t i = 0; i < polled.size(); ++i) {
        EXPECT_EQ(slept[i].keys, polled[i].keys) << i;
        EXPECT_EQ(slept[i].at, polled[i].at) << i;
    }
    EXPECT_LT(wakeUps * 3, pollTicks) << "the sleeping poll wakes only around key presses";
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, SleepingPollTest,
    ::testing::Values(
        SleepCase{"Taps", {{150, 0, true}, {155, 0, false}, {2033, 4, true}, {2038, 4, false}}},
        SleepCase{"TapOnTheGrid", {{1000, 2, true}, {1000, 2, false}}},
        SleepCase{"Hold", {{1250, 8, true}, {2900, 8, false}}},
        SleepCase{"Chord", {{1710, 3, true}, {1712, 7, true}, {1790, 3, false}, {1795, 7, false}}},
        SleepCase{"PressDuringASequence",
                  {{480, 1, true}, {490, 1, false}, {620, 6, true}, {625, 6, false}}},
        SleepCase{"PressHeldAcrossTheSequence",
                  {{1101, 5, true}, {1150, 9, true}, {1400, 5, false}, {2100, 9, false}}}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace bt::test
