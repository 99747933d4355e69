// The key poll and the sequence it types, as scenarios on the virtual clock. Every scenario runs
// twice, with the key poll ticking every 100 ms and with it asleep while the keypad is idle: both
// must type the same keys at the same times.

#include "main_window_fixture.h"

namespace bt::test {
namespace {

// Something that happens at a virtual time: a keypad key goes down or up, or the player sets the
// key interval through the dialog.
struct Event {
    std::int64_t at;
    int digit;
    bool down;
    const char* interval = nullptr;
};
struct Scenario {
    const char* name;
    std::vector<Event> events;
    Typed typed;
};

class KeyScenarioTest : public ::testing::TestWithParam<std::tuple<Scenario, bool>> {};

TEST_P(KeyScenarioTest, TypesWhatAndWhenThePollSaysWhetherItSleepsOrNot) {
    const auto& [scenario, sleeping] = GetParam();
    FakePlatform p;
    p.sleepingKeyPoll = sleeping;
    Application app(p, kBase);
    app.start();
    MainWindowControls& c = app.mainWindow().controls();
    c.slotMenu(3).setIndex(2); // Numpad 3 on Responses 4, Numpad 7 on Statements 6
    c.slotMessage(3).setIndex(3);
    c.slotMenu(7).setIndex(1);
    c.slotMessage(7).setIndex(5);
    auto event = scenario.events.begin();
    for (std::int64_t t = 0; t <= 8000; t += 1) {
        p.advanceTo(t);
        for (; event != scenario.events.end() && event->at == t; ++event) {
            if (event->interval) {
                p.inputAnswers.push_back(event->interval);
                c.intervalButton.click();
            } else {
                event->down ? p.press(event->digit) : p.release(event->digit);
            }
        }
        ASSERT_NE(c.keyPollTimer.enabled(), c.keySendTimer.enabled()) << "one of them, at " << t;
    }
    EXPECT_EQ(typedKeys(p), scenario.typed);
    // Polling wakes every 100 ms it is not typing; asleep, it wakes only around key presses.
    EXPECT_EQ(p.wakeUps[&c.keyPollTimer] < 20, sleeping) << p.wakeUps[&c.keyPollTimer];
}

using T = Typed;
// clang-format off
const Scenario kScenarios[] = {
    // A 5 ms tap between two polls is caught by the next one.
    {"Tap", {{150, 0, true}, {155, 0, false}}, T{{300, "{v}"}, {400, "1"}, {500, "1"}}},
    // A tap right after a poll waits a whole poll.
    {"TapOnTheGrid", {{1000, 2, true}, {1000, 2, false}},
     T{{1200, "{v}"}, {1300, "1"}, {1400, "1"}}},
    // Two keys in one poll: the highest wins, the lower one's press is spent.
    {"Chord", {{1710, 3, true}, {1712, 7, true}, {1790, 3, false}, {1795, 7, false}},
     T{{1900, "{v}"}, {2000, "2"}, {2100, "6"}}},
    // A press during a sequence is caught at the first poll after it.
    {"PressDuringASequence", {{150, 0, true}, {155, 0, false}, {320, 9, true}, {325, 9, false}},
     T{{300, "{v}"}, {400, "1"}, {500, "1"}, {700, "{v}"}, {800, "1"}, {900, "1"}}},
    // A held key repeats every three intervals and one poll; released just before a poll, it
    // leaves that poll nothing to find.
    {"Hold", {{150, 5, true}, {950, 5, false}},
     T{{300, "{v}"}, {400, "1"}, {500, "1"}, {700, "{v}"}, {800, "1"}, {900, "1"}}},
    {"HoldAtInterval1000", {{0, 0, false, "1000"}, {150, 5, true}, {3300, 5, false}},
     T{{1200, "{v}"}, {2200, "1"}, {3200, "1"}, {4300, "{v}"}, {5300, "1"}, {6300, "1"}}},
    // A new interval takes effect at the next poll, not in the sequence under way.
    {"NewInterval", {{150, 0, true}, {155, 0, false}, {250, 0, false, "250.5"}, {550, 0, true},
                     {560, 0, false}},
     T{{300, "{v}"}, {400, "1"}, {500, "1"}, {850, "{v}"}, {1100, "1"}, {1350, "1"}}},
    // While one key is held another is pressed: it wins the next poll, then the held one repeats.
    {"PressHeldAcrossASequence",
     {{1101, 5, true}, {1150, 9, true}, {1400, 5, false}, {2100, 9, false}},
     T{{1300, "{v}"}, {1400, "1"}, {1500, "1"}, {1700, "{v}"}, {1800, "1"}, {1900, "1"},
       {2100, "{v}"}, {2200, "1"}, {2300, "1"}}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Scenarios, KeyScenarioTest,
                         ::testing::Combine(::testing::ValuesIn(kScenarios), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "Sleeping" : "Polling");
                         });

using KeyPollTest = MainWindowTest;

TEST_F(KeyPollTest, TheListsAreReadAtEachStepAndAnEmptyOneKeepsTheRhythm) {
    startAndSettle();
    bind(1, 1, 3);
    p.tap(1);       // seen at 200; v at 300, menu at 400, message at 500
    p.advance(350); // t = 450
    c().slotMessage(1).setIndex(5);
    c().slotMenu(2).clear(); // no selection, and clearing runs nothing
    p.advance(150);
    p.tap(2); // seen at 700
    p.advance(1000);
    EXPECT_EQ(typed(), (Typed{{300, "{v}"}, {400, "1"}, {500, "6"}, {800, "{v}"}, {1000, "1"}}));
    EXPECT_EQ(p.emptySends, 1);
    EXPECT_EQ(window().keys().pressedSlot(), 2);
}

struct DialogCase {
    const char* answer;
    const char* interval; // afterwards
    bool message;
    const char* afterCancel; // after one more dialog, cancelled: the whole number stays
};
class IntervalDialogTest : public MainWindowTest,
                           public ::testing::WithParamInterface<DialogCase> {};

TEST_P(IntervalDialogTest, TheAnswerGivesTheIntervalAndPerhapsTheMessage) {
    p.separator = ',';
    startAndSettle();
    for (const char* answer : {"500", GetParam().answer}) {
        p.inputAnswers.push_back(answer);
        c().intervalButton.click();
    }
    EXPECT_EQ(c().keyInterval, GetParam().interval);
    ASSERT_EQ(p.messageBoxes.size(), GetParam().message ? 1u : 0u);
    if (GetParam().message) {
        EXPECT_EQ(p.messageBoxes[0].prompt, "Enter 100 - 1000");
    }
    c().intervalButton.click();
    EXPECT_EQ(c().keyInterval, GetParam().afterCancel);
    for (const auto& box : p.inputBoxes) {
        EXPECT_EQ(box.prompt, "Key interval (ms)");
        EXPECT_EQ(box.title, "Brontek tarnlow");
        EXPECT_EQ(box.defaultText, "100") << "always 100, even at 500";
        EXPECT_EQ(std::make_pair(box.left, box.top), std::make_pair(2500, 2700));
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Answers, IntervalDialogTest, ::testing::Values(
    DialogCase{"100", "100", false, "100"}, DialogCase{"1000", "1000", false, "1000"},
    DialogCase{"250,5", "250,5", false, "250"}, DialogCase{"99", "100", true, "100"},
    DialogCase{"0", "100", true, "100"}, DialogCase{"1001", "100", true, "100"},
    DialogCase{"250.5", "100", true, "100"}, DialogCase{"abc", "100", true, "100"},
    DialogCase{"", "500", false, "500"}));
// clang-format on

} // namespace
} // namespace bt::test
