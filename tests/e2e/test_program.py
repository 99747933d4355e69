"""The Linux program as a player uses it: what its window shows, bindings chosen by clicks that
survive a restart, Start where no tray exists at all, and keypad presses injected into the X
server as a keyboard sends them, with what a focused window receives."""

import os
import socket
import subprocess
import time
import unittest

from harness import MAIN, E2ETest

# The twenty slot lists in the order the bind file keeps them.
FILE_ORDER = ["slotMenu0", "slotMessage0"] + [
    "slot%s%d" % (kind, k) for k in range(1, 10) for kind in ("Message", "Menu")]


class WindowTest(E2ETest):
    """Without a window manager, as on a bare X server; WindowUnderOpenboxTest runs the same
    under a real one, with its frames and focus rules."""
    window_manager = False

    def setUp(self):
        super().setUp()
        if self.window_manager:
            self.start_openbox()

    def choose(self, p, name, index):
        """Opens a list with a click and picks an entry with the keyboard, as a player can."""
        steps = index - p.widget(name)["index"]
        p.click(name)
        time.sleep(0.3)
        for _ in range(abs(steps)):
            self.x.tap("Down" if steps > 0 else "Up")
            time.sleep(0.05)
        self.x.tap("Return")
        p.wait_state(lambda s: p.widget(name)["index"] == index, what="%s at %d" % (name, index))

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
        self.assertEqual(self.file("binds"),
                         ("2\r\n" + "".join("%d\r\n" % i for i in indices) + "\r\n").encode())
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

    def boxes(self, state):  # the program's open input and message boxes
        return [w for w in state["windows"] if w["title"] == "Brontek tarnlow"]

    def answer_box(self, p, typed):
        box = self.boxes(p.wait_state(self.boxes, what="the input box"))[0]
        self.assertIn("Key interval (ms)", [c.get("text") for c in box["children"]])
        for key in ["End"] + ["BackSpace"] * 3 + list(typed) + ["Return"]:
            self.x.tap(key)

    def test_the_interval_box_opened_before_the_status_takes_250_5_and_refuses_99(self):
        self.serve_sample_site(status_delay=2.0)
        p = self.start_program()
        p.click("intervalButton")
        p.wait_state(self.boxes, what="the input box")
        # The status arrives, blinks and shrinks the window while the box is open.
        p.wait_model("status", "ONLINE", timeout=15)
        time.sleep(2.5)
        self.answer_box(p, "250.5")
        p.wait_state(lambda s: not self.boxes(s), what="the box closed")
        self.assertEqual(p.model()["keyInterval"], 250)
        rec = self.recorder()
        self.x.tap("KP_0")
        self.assertEqual(rec.wait(3), ["v", "1", "1"])
        times = [t for t, _ in rec.typed()]
        for a, b in zip(times, times[1:]):
            self.assertAlmostEqual(b - a, 250, delta=15)

        p.click("intervalButton")
        self.answer_box(p, "99")
        p.wait_state(lambda s: any(c.get("text") == "Enter 100 - 1000" for w in self.boxes(s)
                                   for c in w["children"]), what="the message")
        self.x.tap("Return")  # its OK button
        p.wait_state(lambda s: not self.boxes(s), what="no box left")
        self.assertEqual(p.model()["keyInterval"], 100)

    def test_the_status_arriving_leaves_the_players_window_on_top_with_the_focus(self):
        self.serve_sample_site(status_delay=2.0)
        p = self.start_program()
        rec = self.recorder()
        main = p.window()
        rec.cover((main["x"], main["y"], main["w"], main["h"]))
        self.x.click(*rec.centre())  # the player clicks into the game
        rec.focus()
        order = self.x.stacking()
        self.assertGreater(order.index("Recorder"), order.index(MAIN), order)
        p.wait_model("status", "ONLINE", timeout=15)
        time.sleep(2.5)  # the blink, then the shrink
        order = self.x.stacking()
        self.assertGreater(order.index("Recorder"), order.index(MAIN), order)
        self.assertEqual(self.x.focused(), "Recorder")
        self.x.tap("KP_0")
        self.assertEqual(rec.wait(3), ["v", "1", "1"])

    def test_start_without_a_tray_host_leaves_the_window_reachable(self):
        p = self.start_program()
        p.click("startButton")
        p.wait_model("mainMinimized", True)
        self.assertTrue(p.model()["mainVisible"])
        self.assertIn(MAIN, self.x.stacking(), "there for the player to bring back")


class WindowUnderOpenboxTest(WindowTest):
    window_manager = True


class KeysTest(E2ETest):
    def setUp(self):
        super().setUp()
        # Numpad 7 on Statements 3, Numpad 3 on Responses 4 (indices in file order).
        indices = [0] * 20
        indices[15], indices[14], indices[7], indices[6] = 1, 2, 2, 3
        with open(os.path.join(self.workdir, "binds"), "wb") as f:
            f.write(("1\r\n" + "".join("%d\r\n" % i for i in indices) + "\r\n").encode())

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

    def test_keypad_0_types_v11_at_the_key_interval_while_the_server_never_answers(self):
        with socket.socket() as server:  # accepts the status poll and never answers it
            server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
            server.bind(("127.0.0.1", 8642))
            server.listen(8)
            rec = self.start()
            time.sleep(1.5)  # the poll's transfer is under way and stalls
            for _ in range(3):
                rec.clear()
                self.x.tap("KP_0")
                self.assertEqual(rec.wait(3), ["v", "1", "1"])
                times = [t for t, _ in rec.typed()]
                for a, b in zip(times, times[1:]):
                    self.assertAlmostEqual(b - a, 100, delta=15)
                time.sleep(0.5)

    def test_digits_arrive_as_digits_on_a_french_layout(self):
        subprocess.run(["setxkbmap", "-display", self.x.name, "fr"], check=True)
        time.sleep(0.3)
        rec = self.start()
        self.x.tap("KP_0")
        self.assertEqual(rec.wait(3), ["v", "1", "1"])


if __name__ == "__main__":
    unittest.main()
