// Starting with the desktop, into the tray: the box shows whether the system's entry starts this
// program, ticking writes it, clearing removes it, a refusal is told and changes nothing; and a
// start into the tray (as the entry makes it) keeps the window out of the player's way.

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

TEST_F(LoginStartTest, StartedIntoTheTrayTheWindowStaysAwayAndTheFirstTimeIsToldOnce) {
    p.autostart.present = E::Ours;
    for (const bool host : {true, false}) {
        SCOPED_TRACE(host ? "with a tray" : "without one");
        p.tray.host = host;
        p.tray.iconPresent = false;
        app = std::make_unique<Application>(p.system(), kBase);
        app->start(p.clock.now(), true);
        EXPECT_EQ(c().window.appearance(),
                  host ? Window::Appearance::Hidden : Window::Appearance::Minimized);
        EXPECT_EQ(p.tray.iconPresent, host);
        EXPECT_TRUE(ticked());
        EXPECT_TRUE(p.desktop.broughtToFront.empty()) << "nothing comes over the player's window";
        EXPECT_EQ(p.notices.shown, std::vector<Notice>(1, Notice::KeepsRunningInTray));
        p.input.tap(0); // the keys work from the start
        p.clock.advance(400);
        EXPECT_EQ(typed().size() % 3, 0u);
        EXPECT_FALSE(typed().empty());
        p.typist.typed.clear();
    }
    EXPECT_NE(p.files["options"].find("tray-notice-shown = yes"), std::string::npos);
}

} // namespace
} // namespace bt::test
