"""The Linux program as a player uses it: the shared window scenarios, Start with no tray at all,
and keys injected into the X server as a keyboard sends them, as a focused window gets them."""

import subprocess
import time
import unittest

from harness import FILE_ORDER, MAIN, E2ETest, WindowScenarios, write_binds


class WindowTest(WindowScenarios, E2ETest):
    """On a bare X server; WindowUnderOpenboxTest runs the same under a window manager."""
    EDIT = "QLineEdit"
    F5 = b"x11 71 "

    def test_start_without_a_tray_host_leaves_the_window_reachable(self):
        p = self.start_program()
        p.click("startButton")
        p.wait_model("mainMinimized", True)
        self.assertTrue(p.model()["mainVisible"])
        self.assertIn(MAIN, self.x.stacking(), "there for the player to bring back")


class WindowUnderOpenboxTest(WindowTest):
    window_manager = True

    def test_alt_f4_during_a_key_choice_closes_the_window(self):
        self.alt_f4_during_a_key_choice_closes_the_window()


class KeysTest(E2ETest):
    def setUp(self):
        super().setUp()
        write_binds(self.workdir)

    def test_on_a_french_layout_the_highest_key_of_a_poll_wins_and_a_held_key_repeats(self):
        subprocess.run(["setxkbmap", "-display", self.x.name, "fr"], check=True)
        time.sleep(0.3)
        self.start_program()  # the digits it types arrive as digits whatever the layout
        rec = self.recorder()
        time.sleep(0.5)
        self.x.keys(["KP_3", "KP_7"], True)
        time.sleep(0.03)
        self.x.keys(["KP_3", "KP_7"], False)
        self.assertEqual(rec.wait(3), ["v", "2", "3"])
        time.sleep(0.6)
        rec.clear()
        self.x.keys(["KP_0"], True)
        time.sleep(1.0)
        self.x.keys(["KP_0"], False)
        time.sleep(0.5)
        keys = rec.wait(6)
        self.assertEqual(len(keys) % 3, 0)
        self.assertEqual(keys[:6], ["v", "1", "1"] * 2)

    def typed_by(self, rec, key):
        rec.clear()
        self.x.tap(key)
        time.sleep(0.7)
        return [k for _, k in rec.typed()]

    def test_f5_chosen_for_numpad_3_types_in_the_window_the_tray_and_a_grabbing_game(self):
        self.start_trayer()
        p = self.start_program()
        binds = self.file("binds")
        lists = lambda: [p.widget(name)["index"] for name in FILE_ORDER]  # noqa: E731
        p.wait_state(lambda s: lists()[6] == 3, what="the bindings")
        before = lists()
        p.click("keyLabel3")
        p.wait_text("keyLabel3", "Press a key\u2026")
        for key, word in (("v", "The program types V"), ("1", "The program types 1")):
            self.x.tap(key)
            p.wait_text("keyLabel3", word)
        self.x.tap("F5")
        p.wait_text("keyLabel3", "F5")
        main = p.window()
        self.x.screenshot(self.artifact("chosen-key.png"),
                          (main["x"], main["y"], main["w"], main["h"]))
        self.assertEqual(self.file("keys").splitlines()[3], b"x11 %d F5" % self.x.keycode("F5"))
        self.assertEqual(self.file("binds"), binds, "the bindings' file stays as it was")
        time.sleep(0.7)
        self.assertEqual(lists(), before, "the key that chose F5 typed nothing into the window")
        rec = self.recorder()
        self.assertEqual(self.typed_by(rec, "F5"), ["v", "3", "4"])
        self.assertEqual(self.typed_by(rec, "KP_3"), [], "its keypad key no longer types")
        self.assertEqual(self.typed_by(rec, "KP_7"), ["v", "2", "3"], "the others still do")
        p.click("startButton")
        p.wait_model("mainVisible", False)
        rec.focus()
        self.assertEqual(self.typed_by(rec, "F5"), ["v", "3", "4"], "from the tray")
        game = self.recorder(grab=True)
        self.assertEqual(self.typed_by(game, "F5"), ["v", "3", "4"], "behind a game's grab")
        game.ungrab()
        p.proc.terminate()
        p.proc.wait(10)

        again = self.start_program()
        again.wait_text("keyLabel3", "F5")
        rec.focus()
        self.assertEqual(self.typed_by(rec, "F5"), ["v", "3", "4"], "after a restart")


if __name__ == "__main__":
    unittest.main()
