"""The Windows program under Wine on a private Xvfb: keypad presses (NumLock off and on) typed into
a focused Wine window, Save, the tray icon in a real XEmbed tray (Wine docks its icons into
trayer), and one copy at a time.

Under Wine the program hears the keyboard only while a Wine window has the focus, so the target
here is a small Wine window that records what it receives."""

import os
import shutil
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import harness  # noqa: E402
from harness import wait_for  # noqa: E402

EXE = os.environ.get("BRONTEK_EXE", "")
RECORDER = os.environ.get("BRONTEK_RECORDER", "")
ICON = "explorer.exe"  # Wine's tray icons dock into the tray as windows of its explorer


class WineTest(harness.E2ETest):
    def setUp(self):
        for tool in ("wine", "wineserver"):
            if not shutil.which(tool):
                self.fail("%s is missing (Debian package wine)" % tool)
        harness.BIN = EXE
        super().setUp()
        self.wine = {"WINEDEBUG": "-all", "WINEPREFIX": os.environ.get(
            "WINEPREFIX", os.path.join(self.workdir, "prefix"))}
        self.addCleanup(lambda: subprocess.run(["wineserver", "-k"], env=dict(
            os.environ, **self.wine), stderr=subprocess.DEVNULL))

    def start(self):
        return self.start_program(self.wine, ["wine", EXE])

    def recorder_keys(self, with_times=False):
        """A focused recording Wine window, and a function that reads what it got from the first
        v: the characters, or (message time in ms, character) pairs."""
        path = os.path.join(self.workdir, "keys.txt")
        recorder = subprocess.Popen(["wine", RECORDER, "keys.txt"], cwd=self.workdir,
                                    env=dict(os.environ, DISPLAY=self.x.name, **self.wine))
        self.addCleanup(lambda: (recorder.kill(), recorder.wait()))
        x, y, w, h = wait_for(lambda: self.x.find("Recorder"), 60, what="the recorder")
        time.sleep(1.0)
        self.x.click(x + w // 2, y + h // 2)
        time.sleep(0.5)

        def keys():
            if not os.path.exists(path):  # written as keys arrive
                return []
            with open(path, encoding="utf-8", errors="replace") as f:
                # The keypad key itself arrives too ("0" with NumLock on); the program types only
                # v and the digits of its lists.
                typed = [(int(line.split()[0]), line.split()[1]) for line in f
                         if len(line.split()) == 2]
            keys = [k for _, k in typed]
            typed = [t for t in typed[keys.index("v"):] if t[1] != "0"] if "v" in keys else []
            return typed if with_times else [k for _, k in typed]
        return keys


class WineKeysTest(WineTest):
    def test_keypad_types_with_numlock_off_and_on(self):
        self.start()
        keys = self.recorder_keys()
        for key in ("Insert", "Down"):  # the keypad's scan codes, but not keypad keys
            self.x.tap(key, hold=0.05)
        self.x.tap("KP_0", hold=0.05)  # NumLock is off on a fresh X server
        self.assertEqual(wait_for(lambda: len(keys()) >= 3 and keys()), ["v", "1", "1"])
        self.x.tap("Num_Lock")
        time.sleep(0.3)
        self.x.tap("KP_0", hold=0.05)
        self.assertEqual(wait_for(lambda: len(keys()) >= 6 and keys()), ["v", "1", "1"] * 2)


class WineWindowTest(harness.WindowScenarios, WineTest):
    """The window scenarios of the Linux program, with Wine's own windows: without a window
    manager here, under openbox in the subclass."""
    EDIT = "Edit"
    F5 = b"win32 63 "

    def game(self):
        return self.recorder_keys(with_times=True)

    def test_lists_chosen_in_a_row_are_saved_and_type_after_a_restart(self):
        p = self.start()
        self.choose(p, "slotMenu3", 2)     # Numpad 3: Responses
        self.choose(p, "slotMessage3", 1)  # message 2
        self.choose(p, "slotMenu5", 1)     # then another slot, Numpad 5: Statements
        p.click("saveButton")
        indices = [0] * 20
        indices[7], indices[6], indices[11] = 2, 1, 1
        self.assertEqual(self.file("binds"), harness.binds_bytes("Text3", indices))
        p.click("exitButton")
        p.ended(30)

        again = self.start()
        again.wait_state(lambda s: again.widget("slotMenu3")["index"] == 2, 30, what="bindings")
        keys = self.recorder_keys()
        self.x.tap("KP_3", hold=0.05)
        time.sleep(1.0)
        self.x.tap("KP_5", hold=0.05)
        self.assertEqual(wait_for(lambda: len(keys()) >= 6 and keys()),
                         ["v", "3", "2", "v", "2", "1"])


    def test_alt_f4_during_a_key_choice_closes_the_window(self):
        self.alt_f4_during_a_key_choice_closes_the_window()


class WineWindowUnderOpenboxTest(WineWindowTest):
    window_manager = True


class WineTrayTest(WineTest):
    def put_away(self, p):
        p.click("startButton")
        p.wait_model("mainVisible", False)
        x, y, w, h = self.docked_icon(ICON)
        return x + w // 2, y + h // 2

    def test_the_icon_a_second_start_and_exit_from_the_icons_menu(self):
        self.start_trayer()
        p = self.start()
        self.x.click(*self.put_away(p), times=2)
        p.wait_model("mainVisible", True)
        self.put_away(p)
        second = subprocess.run(["wine", EXE], cwd=self.workdir, env=p.env, timeout=60)
        self.assertEqual(second.returncode, 0)
        p.wait_model("mainVisible", True)  # the running copy came back out of the tray
        keys = self.recorder_keys()
        self.x.tap("KP_0", hold=0.05)
        wait_for(lambda: len(keys()) >= 3)
        time.sleep(1.0)
        self.assertEqual(keys(), ["v", "1", "1"], "typed once")
        self.x.click(*self.put_away(p), button=3)
        time.sleep(1.0)
        self.x.tap("e")
        p.ended()
        self.assertFalse(os.path.exists(os.path.join(self.workdir, "binds")), "nothing written")

    def test_a_copy_that_died_does_not_block_the_next_start(self):
        p = self.start()
        p.proc.kill()  # wine execs the program: this is its process
        p.proc.wait(10)
        again = self.start()
        time.sleep(1.0)
        self.assertIsNone(again.proc.poll())


if __name__ == "__main__":
    unittest.main()
