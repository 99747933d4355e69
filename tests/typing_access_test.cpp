// The desktop's leave to type, as scenarios on the virtual clock: a Wayland desktop's question at
// the start, answered after minutes; taken back in the middle of a message; a grant kept for the
// next start. (A refusal, a desktop that cannot ask, keys the system would not type, each told
// once, and every interleaving of them with presses, the random player holds.)

#include "main_window_fixture.h"

#include <functional>

namespace bt::test {
namespace {

// What happens at a virtual time: the player presses or lets go of Numpad 0, the desktop answers.
struct Step {
    Millis at;
    std::function<void(FakePlatform&)> act;
};
Step press(Millis at) {
    return {at, [](FakePlatform& p) { p.input.press(0); }};
}
Step release(Millis at) {
    return {at, [](FakePlatform& p) { p.input.release(0); }};
}
Step tap(Millis at) {
    return {at, [](FakePlatform& p) { p.input.tap(0); }};
}
Step desktop(Millis at, Permission now, std::string grant = "") {
    return {at, [now, grant](FakePlatform& p) { p.permission.answer(now, grant); }};
}

struct Scenario {
    const char* name;
    std::string grantKept; // "grant" before the start; "" for none
    std::string offered;   // what the start offers the desktop
    std::vector<Step> steps;
    Typed typed;
    std::vector<Notice> notices;
    std::string grantAfter; // "grant" at the end
};

class DesktopPermissionTest : public MainWindowTest,
                              public ::testing::WithParamInterface<Scenario> {};

TEST_P(DesktopPermissionTest, TypesOnlyWithTheDesktopsLeaveAndSaysWhyNot) {
    const Scenario& s = GetParam();
    if (!s.grantKept.empty())
        p.files["grant"] = s.grantKept;
    p.permission.atStart = Permission::Asking;
    start();
    EXPECT_EQ(p.permission.offered, std::vector<std::string>{s.offered})
        << "asked once, at the start, offering the last run's grant";
    for (const Step& step : s.steps) {
        p.clock.advanceTo(step.at);
        step.act(p);
    }
    p.clock.advance(5000);
    EXPECT_EQ(typed(), s.typed);
    EXPECT_EQ(p.notices.shown, s.notices);
    EXPECT_EQ(p.files.count("grant") ? p.files["grant"] : "", s.grantAfter);
}

using T = Typed;
using N = std::vector<Notice>;
constexpr Millis kMinutes = 180000;
// clang-format off
const Scenario kScenarios[] = {
    // The player takes minutes to answer: what was pressed meanwhile, or held into the answer,
    // types nothing; the next press does, and the grant is kept for the next start.
    {"GrantedAfterMinutes", "", "", {tap(1000), press(2000), desktop(kMinutes, Permission::Granted, "t-1"),
      release(kMinutes + 50), tap(kMinutes + 1000)},
     T{{kMinutes + 1100, "v"}, {kMinutes + 1200, "1"}, {kMinutes + 1300, "1"}}, N{}, "t-1\n"},
    // A kept grant that no longer works: the desktop asks again, and its new grant replaces it.
    {"AKeptGrantTheDesktopNoLongerTakes", "t-old\r\n", "t-old", {desktop(100, Permission::Granted, "t-new"),
      tap(1000)}, T{{1100, "v"}, {1200, "1"}, {1300, "1"}}, N{}, "t-new\n"},
    // Taken back between v and the digits: the message stops there, and nothing follows.
    {"TakenBackInTheMiddleOfAMessage", "", "", {desktop(100, Permission::Granted), tap(1000),
      desktop(1150, Permission::TakenBack), tap(2000)},
     T{{1100, "v"}}, N{Notice::TypingTakenBack}, ""},
    // A damaged "grant" offers nothing, and the desktop's first grant replaces it; a grant with
    // a space in it is no token, and is not kept.
    {"ADamagedGrant", std::string("t \x01\xff", 4), "", {desktop(100, Permission::Granted, "t-2")},
     T{}, N{}, "t-2\n"},
    {"AGrantWithASpace", "", "", {desktop(100, Permission::Granted, "t 3")}, T{}, N{}, ""},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Desktop, DesktopPermissionTest, ::testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

// (That Exit withdraws an open question, and that the keys the program types, which a desktop
// hands back as a keyboard's, never go to a key choice, the random player holds.)

} // namespace
} // namespace bt::test
