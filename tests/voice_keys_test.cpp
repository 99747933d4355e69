// The trigger keys and the sequences they type, as scenarios on the virtual clock: a press is
// looked at the moment it comes, so v follows it by one key interval; a key held, or pressed
// during a sequence, is looked at 100 ms after the sequence. (input_sequences_test holds every
// interleaving to these rules, chords and presses during a sequence included.)

#include "main_window_fixture.h"

namespace bt::test {
namespace {

// Something the player does at a virtual time: a slot's key goes down or up.
struct Event {
    Millis at;
    bool down;
    int slot;
    Millis happened = -1; // for a press read late, when it was made
};
Event down(Millis at, int slot) {
    return {at, true, slot};
}
Event readLate(Millis at, Millis happened, int slot) {
    return {at, true, slot, happened};
}
Event up(Millis at, int slot) {
    return {at, false, slot};
}

struct Scenario {
    const char* name;
    std::vector<Event> events;
    Typed typed;
    Millis late = 0; // every wake of the program comes this late
};

class KeyScenarioTest : public MainWindowTest, public ::testing::WithParamInterface<Scenario> {};

TEST_P(KeyScenarioTest, TypesTheSlotsSequencesAtTheirStartsTimes) {
    start();
    p.clock.late = GetParam().late;
    auto event = GetParam().events.begin();
    for (Millis t = 0; t <= 8000; ++t) {
        p.clock.advanceTo(t);
        for (; event != GetParam().events.end() && event->at == t; ++event)
            event->happened >= 0 ? p.input.press(event->slot, event->happened)
            : event->down        ? p.input.press(event->slot)
                                 : p.input.release(event->slot);
    }
    EXPECT_EQ(typed(), GetParam().typed);
    EXPECT_LT(p.clock.wakeUps, 20) << "nothing runs while no key is down";
}

using T = Typed;
// clang-format off
const Scenario kScenarios[] = {
    // A 5 ms tap: v one key interval after the press.
    {"Tap", {down(150, 0), up(155, 0)}, T{{250, "v"}, {350, "1"}, {450, "1"}}},
    // On a system slow to wake, v waits for that once, not once for the start and again for v.
    // A press read late counts from when it was made; made during a sequence, from 100 ms after it.
    {"PressesReadLate", {readLate(160, 150, 0), up(170, 0), readLate(452, 445, 9), up(460, 9)},
     T{{250, "v"}, {350, "1"}, {450, "1"}, {650, "v"}, {750, "1"}, {850, "1"}}},
    {"TapOnASlowSystem", {down(150, 0), up(155, 0)}, T{{253, "v"}, {356, "1"}, {456, "1"}}, 3},
    // A held key repeats every three intervals and 100 ms; released just before a start, it
    // leaves that start nothing to find. (A key pressed while another is held, and every other
    // interleaving, the random player holds.)
    {"Hold", {down(150, 5), up(949, 5)},
     T{{250, "v"}, {350, "1"}, {450, "1"}, {650, "v"}, {750, "1"}, {850, "1"}}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Scenarios, KeyScenarioTest, ::testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

struct IntervalCase {
    const char* answer;
    int interval; // afterwards, from 500
    bool message;
};
class IntervalBoxTest : public MainWindowTest,
                        public ::testing::WithParamInterface<IntervalCase> {};

TEST_P(IntervalBoxTest, TheAnswerGivesTheIntervalOrTheMessageAnd100) {
    p.dialogs.separator = ',';
    start();
    for (const char* answer : {"500", GetParam().answer}) {
        p.dialogs.inputAnswers.push_back(answer);
        c().intervalButton.click();
    }
    EXPECT_EQ(window().keyInterval(), GetParam().interval);
    ASSERT_EQ(p.dialogs.messageBoxes.size(), GetParam().message ? 1u : 0u);
    for (const auto& box : p.dialogs.messageBoxes)
        EXPECT_EQ(std::tuple(box.prompt, box.title),
                  std::tuple("Enter 100 - 1000", "Brontek tarnlow"));
    for (const auto& box : p.dialogs.inputBoxes) // the default always 100, even at 500
        EXPECT_EQ(std::tuple(box.prompt, box.defaultText, box.title, box.left, box.top),
                  std::tuple("Key interval (ms)", "100", "Brontek tarnlow", 2500, 2700));
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
