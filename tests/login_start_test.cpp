// Starting with the desktop: the box shows whether the system's entry starts this program, ticking
// writes it, clearing removes it, a refusal is told and changes nothing. (What a start into the
// tray, as the entry makes it, does with the window and the notice, the random player holds.)

#include "main_window_fixture.h"

namespace bt::test {
namespace {

using E = AutostartEntry;

class LoginStartTest : public MainWindowTest {
  protected:
    bool ticked() { return c().loginStartBox.checked(); }
    std::vector<std::string> told() {
        std::vector<std::string> prompts;
        for (const auto& box : p.dialogs.messageBoxes)
            prompts.push_back(box.prompt);
        return prompts;
    }
};

TEST_F(LoginStartTest, TheBoxShowsTheEntryTickWritesClearRemovesAndARefusalKeepsIt) {
    p.autostart.present = E::Another; // an older build's, or the one of a moved folder
    start();
    EXPECT_EQ(c().loginStartBox.caption(), "Start at login");
    EXPECT_FALSE(ticked()) << "another copy's entry is not this program starting";
    // clang-format off
    struct Step { bool tick; bool refused; E entry; bool ticked; int writes; };
    for (const Step& s : {Step{true, false, E::Ours, true, 1},   // written over the other one
                          Step{false, false, E::None, false, 1}, // removed
                          Step{true, true, E::None, false, 2},   // a read-only folder
                          Step{true, false, E::Ours, true, 3},
                          Step{false, true, E::Ours, true, 3},   // a policy keeps it
                          Step{true, false, E::Ours, true, 3}}) { // ticked already: nothing
        // clang-format on
        p.autostart.writeError = s.refused ? std::optional("Permission denied") : std::nullopt;
        c().loginStartBox.toggle(s.tick);
        EXPECT_EQ(std::tuple(p.autostart.present, ticked(), p.autostart.writes),
                  std::tuple(s.entry, s.ticked, s.writes))
            << (s.tick ? "ticked" : "cleared") << (s.refused ? ", refused" : "");
    }
    EXPECT_EQ(told(), (std::vector<std::string>{
                          "\"Start at login\" could not be turned on: Permission denied.",
                          "\"Start at login\" could not be turned off: Permission denied."}));
    EXPECT_EQ(p.dialogs.messageBoxes[0].title, "Brontek tarnlow");
    EXPECT_EQ(p.files.count("options") + p.files.count("binds"), 0u) << "kept nowhere else";
    // The desktop's settings turned it off meanwhile: the box says so once the window is back.
    c().startButton.click();
    p.autostart.present = E::Another;
    window().trayEvent(TrayEvent::ShowAsked);
    EXPECT_FALSE(ticked());
}

} // namespace
} // namespace bt::test
