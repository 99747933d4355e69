// The trigger keys and the sequences they type, as scenarios on the virtual clock. The key poll
// sleeps while no trigger key is down, and must type the same keys at the same times as polling
// every 100 ms would: the expected times below are those of plain polling.

#include "behaviours/keys/poll_schedule.h"
#include "main_window_fixture.h"

namespace bt::test {
namespace {

// Something the player does at a virtual time: a slot's key goes down or up, or the key interval
// is set through the Interval box.
struct Event {
    Millis at;
    enum { Down, Up, Interval } what;
    int slot = 0;
    const char* answer = nullptr;
};
Event down(Millis at, int slot) {
    return {at, Event::Down, slot};
}
Event up(Millis at, int slot) {
    return {at, Event::Up, slot};
}
Event interval(Millis at, const char* answer) {
    return {at, Event::Interval, 0, answer};
}

struct Scenario {
    const char* name;
    std::vector<Event> events;
    Typed typed;
};

class KeyScenarioTest : public MainWindowTest, public ::testing::WithParamInterface<Scenario> {};

TEST_P(KeyScenarioTest, TypesTheSlotsSequencesAtThePollsTimes) {
    start();
    bind(3, 3, 4); // Numpad 3: Responses, "Sorry!"
    bind(7, 2, 6); // Numpad 7: Statements, "Sniper!"
    auto event = GetParam().events.begin();
    for (Millis t = 0; t <= 8000; ++t) {
        p.advanceTo(t);
        for (; event != GetParam().events.end() && event->at == t; ++event) {
            if (event->what == Event::Interval) {
                p.inputAnswers.push_back(event->answer);
                c().intervalButton.click();
            } else {
                event->what == Event::Down ? p.press(event->slot) : p.release(event->slot);
            }
        }
        ASSERT_NE(window().keys().watching(), window().keys().typing()) << "one of them, at " << t;
    }
    EXPECT_EQ(typed(), GetParam().typed);
    EXPECT_LT(p.pollsRun, 20) << "the poll sleeps while no key is down";
}

using T = Typed;
// clang-format off
const Scenario kScenarios[] = {
    // A 5 ms tap between two polls is caught by the next one.
    {"Tap", {down(150, 0), up(155, 0)}, T{{300, "v"}, {400, "1"}, {500, "1"}}},
    // A tap right after a poll waits a whole poll.
    {"TapOnTheGrid", {down(1000, 2), up(1000, 2)}, T{{1200, "v"}, {1300, "1"}, {1400, "1"}}},
    // Two keys in one poll: the highest slot wins, the lower one's press is spent.
    {"Chord", {down(1710, 3), down(1712, 7), up(1790, 3), up(1795, 7)},
     T{{1900, "v"}, {2000, "2"}, {2100, "6"}}},
    // A press during a sequence is caught at the first poll after it.
    {"PressDuringASequence", {down(150, 0), up(155, 0), down(320, 9), up(325, 9)},
     T{{300, "v"}, {400, "1"}, {500, "1"}, {700, "v"}, {800, "1"}, {900, "1"}}},
    // A held key repeats every three intervals and one poll; released just before a poll, it
    // leaves that poll nothing to find.
    {"Hold", {down(150, 5), up(950, 5)},
     T{{300, "v"}, {400, "1"}, {500, "1"}, {700, "v"}, {800, "1"}, {900, "1"}}},
    {"HoldAtInterval1000", {interval(0, "1000"), down(150, 5), up(3300, 5)},
     T{{1200, "v"}, {2200, "1"}, {3200, "1"}, {4300, "v"}, {5300, "1"}, {6300, "1"}}},
    // A new interval takes effect at the next poll, not in the sequence under way.
    {"NewInterval", {down(150, 0), up(155, 0), interval(250, "250.5"), down(550, 0), up(560, 0)},
     T{{300, "v"}, {400, "1"}, {500, "1"}, {850, "v"}, {1100, "1"}, {1350, "1"}}},
    // While one key is held another is pressed: it wins the next poll, then the held one repeats.
    {"PressHeldAcrossASequence", {down(1101, 5), down(1150, 9), up(1400, 5), up(2100, 9)},
     T{{1300, "v"}, {1400, "1"}, {1500, "1"}, {1700, "v"}, {1800, "1"}, {1900, "1"},
       {2100, "v"}, {2200, "1"}, {2300, "1"}}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Scenarios, KeyScenarioTest, ::testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

using VoiceKeysTest = MainWindowTest;

TEST_F(VoiceKeysTest, EachStepTypesTheBindingAsItIsThen) {
    start();
    bind(1, 1, 3);
    p.tap(1); // seen at 100; v at 200, menu at 300, message at 400
    p.advance(350);
    c().slotMessage(1).choose(5);
    p.advance(650);
    EXPECT_EQ(typed(), (Typed{{200, "v"}, {300, "1"}, {400, "6"}}));
    EXPECT_EQ(window().keys().typedSlot(), 1);
}

TEST(PollScheduleTest, PollsLieOnTheGridFromWhenWatchingStartedAndOnlyWhileKeysAreDown) {
    PollSchedule s;
    EXPECT_EQ(s.nextDue(0, false), std::nullopt) << "not watching yet";
    s.start(1003);
    EXPECT_EQ(s.nextDue(1003, true), std::nullopt) << "asleep: nothing to find";
    EXPECT_EQ(s.nextDue(1003, false), 1103);
    EXPECT_EQ(s.nextDue(1250, false), 1303) << "a key event wakes it for the next grid point";
    EXPECT_EQ(s.nextDue(1303, false), 1403) << "strictly after a poll just run";
    EXPECT_EQ(s.nextDue(900, false), 1103) << "a native timer a hair early";
    s.stop();
    EXPECT_EQ(s.nextDue(1500, false), std::nullopt);
}

struct IntervalCase {
    const char* answer;
    int interval; // afterwards, from 500
    bool message;
};
class IntervalBoxTest : public MainWindowTest,
                        public ::testing::WithParamInterface<IntervalCase> {};

TEST_P(IntervalBoxTest, TheAnswerGivesTheIntervalOrTheMessageAnd100) {
    p.separator = ',';
    start();
    for (const char* answer : {"500", GetParam().answer}) {
        p.inputAnswers.push_back(answer);
        c().intervalButton.click();
    }
    EXPECT_EQ(window().keyInterval(), GetParam().interval);
    ASSERT_EQ(p.messageBoxes.size(), GetParam().message ? 1u : 0u);
    if (GetParam().message) {
        EXPECT_EQ(p.messageBoxes[0].prompt, "Enter 100 - 1000");
        EXPECT_EQ(p.messageBoxes[0].title, "Brontek tarnlow");
    }
    for (const auto& box : p.inputBoxes) {
        EXPECT_EQ(box.prompt, "Key interval (ms)");
        EXPECT_EQ(box.defaultText, "100") << "always 100, even at 500";
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Answers, IntervalBoxTest, ::testing::Values(
    IntervalCase{"100", 100, false}, IntervalCase{"1000", 1000, false},
    IntervalCase{"250,5", 250, false}, IntervalCase{"251,5", 252, false},
    IntervalCase{"999,6", 1000, false}, IntervalCase{"99", 100, true}, IntervalCase{"0", 100, true},
    IntervalCase{"1001", 100, true}, IntervalCase{"1000,4", 100, true},
    IntervalCase{"250.5", 100, true}, IntervalCase{"abc", 100, true},
    IntervalCase{"", 500, false}));
// clang-format on

} // namespace
} // namespace bt::test
