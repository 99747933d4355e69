"""Only in the game under openbox, for both programs: Wine's CoDMP.exe, Proton's, and another."""

import os

import harness
from test_wine import WineTest, WineWindow

LINUX_BIN = os.environ.get("BRONTEK_LINUX_BIN", "")
MESSAGE = ["v", "1", "1"]  # keypad 0's message on a fresh start
LEFT = 960  # right of the program's window, which may be over 700 px wide


class OnlyInTheGame:  # a mixin giving windows() (two games and another) and OTHER_PROGRAM
    window_manager = True

    def typed_into(self, window):  # what keypad 0 typed there, pressed with window in front
        def focus():
            window.focus()
            harness.wait_for(lambda: self.x.focused() == window.title, what="the window focused")
        return harness.typed_by(self.x, window, focus=focus, settle=1.0)

    def tick(self, p, on):
        p.click("onlyInGameBox")
        expected = b"only-in-game = %s\r\n" % (b"yes" if on else b"no")
        harness.wait_for(lambda: self.file("options").startswith(expected), what="options: %s" % on)

    def test_ticked_keypad_0_types_into_both_games_and_elsewhere_only_once_taught(self):
        p = self.start()
        game, proton, other = self.windows()
        for window in filter(None, (game, proton, other)):
            self.assertEqual(self.typed_into(window), MESSAGE, "off: every window, " + window.title)
        self.tick(p, True)
        self.assertEqual(self.typed_into(game), MESSAGE, "the game under Wine")
        if proton:
            self.assertEqual(self.typed_into(proton), MESSAGE, "the game under Proton")
        self.assertEqual(self.typed_into(other), [], "not the game")
        self.assertEqual(self.typed_into(game), MESSAGE, "nothing kept for the game's return")
        p.click("gameButton")  # the next press in another program's window makes it a game
        p.wait_text("gameButton", "Press a key in the game\u2026")
        self.assertEqual(self.typed_into(other), MESSAGE, "taught by its own press")
        self.assertEqual(self.file("options"), b"only-in-game = yes\r\ngame-program = %s\r\n"
                         % self.OTHER_PROGRAM)
        self.assertFalse(os.path.exists(self.path("binds")), "\"binds\" does not change for it")
        self.tick(p, False)


class LinuxProgramTest(OnlyInTheGame, WineTest):
    OTHER_PROGRAM = b"other"

    def start(self):
        self.assertTrue(os.path.exists(LINUX_BIN), "no program at BRONTEK_LINUX_BIN %r" % LINUX_BIN)
        return self.start_program(command=[LINUX_BIN])

    def windows(self):
        return (WineWindow(self, "CoDMP.exe", "CoDMP", LEFT, 40),
                self.recorder(name="Proton", wm_class=("codmp.exe", "steam_app_2620"),
                              at=(LEFT, 340)),
                self.recorder(name="Other", wm_class=("other", "Other"), at=(LEFT, 640)))


class WindowsProgramTest(OnlyInTheGame, WineTest):  # Wine hands keys only to a focused Wine window
    OTHER_PROGRAM = b"Other.exe"

    def windows(self):
        return (WineWindow(self, "CoDMP.exe", "CoDMP", LEFT, 40), None,
                WineWindow(self, "Other.exe", "Other", LEFT, 640))
