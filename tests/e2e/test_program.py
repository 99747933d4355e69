"""The Linux program as a player uses it: what its window shows, bindings chosen by clicks that
survive a restart, Start where no tray exists at all, and keypad presses injected into the X
server as a keyboard sends them, with what a focused window receives."""

import os
import subprocess
import time
import unittest

from harness import FILE_ORDER, MAIN, E2ETest, WindowScenarios, binds_bytes, write_binds


class WindowTest(WindowScenarios, E2ETest):
    """Without a window manager, as on a bare X server; WindowUnderOpenboxTest runs the same
    under a real one, with its frames and focus rules."""
    EDIT = "QLineEdit"
    F5 = b"x11 71 "

    def start(self):
        return self.start_program()

    def game(self):
        return self.recorder().typed

    def test_bindings_chosen_by_clicks_survive_a_restart_and_type(self):
        p = self.start_program()
        children = p.window()["children"]
        self.assertEqual(sorted(c["text"] for c in children if c["name"].startswith("keyLabel")),
                         ["Numpad %d" % i for i in range(10)])
        self.assertEqual([c["index"] for c in children if c["name"].startswith("slot")], [0] * 20)
        p.click("unitedOffensiveOption")
        p.wait_model("game", "UnitedOffensive")
        self.choose(p, "slotMenu9", 4)     # Numpad 9: Vehicles
        self.choose(p, "slotMessage9", 7)  # message 8
        self.choose(p, "slotMenu3", 1)     # then another slot, Numpad 3: Statements
        self.choose(p, "slotMessage3", 6)  # message 7
        p.click("saveButton")
        indices = [0] * 20
        indices[19], indices[18], indices[7], indices[6] = 4, 7, 1, 6
        self.assertEqual(self.file("binds"), binds_bytes(2, indices))
        p.click("exitButton")
        p.ended()

        again = self.start_program()
        again.wait_state(lambda s: again.widget("slotMessage9")["index"] == 7, what="the bindings")
        self.assertEqual([again.widget(name)["index"] for name in FILE_ORDER], indices)
        self.assertTrue(again.widget("unitedOffensiveOption")["checked"])
        rec = self.recorder()
        for key, typed in (("KP_9", ["v", "5", "8"]), ("KP_3", ["v", "2", "7"])):
            rec.clear()
            self.x.tap(key)
            self.assertEqual(rec.wait(3), typed)
            time.sleep(0.5)

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

    def start(self):
        self.start_program()
        rec = self.recorder()
        time.sleep(0.5)
        return rec

    def test_the_highest_key_of_one_poll_wins_and_a_held_key_repeats(self):
        rec = self.start()
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

    def test_digits_arrive_as_digits_on_a_french_layout(self):
        subprocess.run(["setxkbmap", "-display", self.x.name, "fr"], check=True)
        time.sleep(0.3)
        rec = self.start()
        self.x.tap("KP_0")
        self.assertEqual(rec.wait(3), ["v", "1", "1"])


class ChosenKeyTest(E2ETest):
    """A keyboard without a keypad: F5 chosen for Numpad 3 by a click and a key press."""

    def setUp(self):
        super().setUp()
        write_binds(self.workdir)

    def typed_by(self, rec, key):
        rec.clear()
        self.x.tap(key)
        time.sleep(0.7)
        return [k for _, k in rec.typed()]

    def test_f5_types_numpad_3s_message_in_the_window_the_tray_and_a_grabbing_game(self):
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
