"""The Windows program under Wine on a private Xvfb: keypad presses (NumLock off and on) typed into
a focused Wine window, Save, the tray icon in a real XEmbed tray (Wine docks its icons into
trayer), and one copy at a time.

Under Wine the program hears the keyboard only while a Wine window has the focus, so the target
here is a small Wine window that records what it receives."""

import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import harness  # noqa: E402
from harness import center, wait_for  # noqa: E402

EXE = os.environ.get("BRONTEK_EXE", "")
RECORDER = os.environ.get("BRONTEK_RECORDER", "")


class WineTest(unittest.TestCase):
    def setUp(self):
        if not shutil.which("wine") or not os.path.exists(EXE):
            self.skipTest("needs wine and the Windows build")
        self.x = harness.Xvfb()
        self.addCleanup(self.x.stop)
        self.work = tempfile.mkdtemp(prefix="bt-wine-")
        self.addCleanup(shutil.rmtree, self.work, True)
        self.env = dict(os.environ, DISPLAY=self.x.name, WINEDEBUG="-all",
                        BRONTEK_TEST_PROBE=os.path.join(self.work, "probe.json"))
        self.env.setdefault("WINEPREFIX", os.path.join(self.work, "prefix"))
        self.procs = []
        self.addCleanup(self.stop_all)

    def stop_all(self):
        for p in self.procs:
            if p.poll() is None:
                p.kill()
                p.wait()
        subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)

    def start(self, args):
        p = subprocess.Popen(["wine"] + args, cwd=self.work, env=self.env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.procs.append(p)
        return p

    def start_program(self):
        p = self.start([EXE])
        wait_for(lambda: self.widget("saveButton"), 90, what="the main window")
        return p

    def probe(self):
        try:
            with open(os.path.join(self.work, "probe.json")) as f:
                return json.load(f)
        except (OSError, ValueError):
            return None

    def model(self, key):
        s = self.probe()
        return s["model"][key] if s else None

    def widget(self, name):
        s = self.probe()
        for c in s["windows"][0]["children"] if s else []:
            if c["name"] == name:
                return c
        return None

    def recorder(self):
        """Starts the recording Wine window and gives it the focus, as a player's click does."""
        keys = os.path.join(self.work, "keys.txt")
        self.start([RECORDER, "keys.txt"])
        win = wait_for(lambda: self.x.window_titles().get("Recorder"), 60, what="the recorder")
        time.sleep(1.0)
        geometry = win[0].get_geometry()
        origin = win[0].translate_coords(self.x.display.screen().root, 0, 0)
        self.x.click(-origin.x + geometry.width // 2, -origin.y + geometry.height // 2)
        time.sleep(0.5)
        return keys

    def typed_after(self, keys, count):
        """The keys the recorder got from the program's first v on, once there are count."""
        def typed():
            if not os.path.exists(keys):
                return None
            with open(keys, encoding="utf-8", errors="replace") as f:
                lines = [line.split() for line in f.read().splitlines()]
            # The focused window also gets the keypad key itself ("0" with NumLock on); the
            # program types only v and the digits of its lists, which here are 1.
            lines = [line for line in lines if len(line) == 2 and line[1] != "0"]
            starts = [i for i, line in enumerate(lines) if line[1] == "v"]
            lines = lines[starts[0]:] if starts else []
            return lines if len(lines) >= count else None
        return wait_for(typed, 10, what="%d typed keys" % count)

    def icon(self):
        return self.x.find("explorer.exe", self.x.window_titles()["panel"][0])


class WineKeysTest(WineTest):
    def test_keypad_types_with_numlock_off_and_on_and_save_writes_the_file(self):
        self.start_program()
        keys = self.recorder()
        self.x.tap("KP_0", hold=0.05)  # NumLock is off on a fresh X server
        lines = self.typed_after(keys, 3)
        self.assertEqual([line[1] for line in lines[:3]], ["v", "1", "1"])
        times = [int(line[0]) for line in lines[:3]]
        for a, b in zip(times, times[1:]):
            self.assertAlmostEqual(b - a, 100, delta=40)
        self.x.tap("Num_Lock")
        time.sleep(0.3)
        self.x.tap("KP_0", hold=0.05)
        lines = self.typed_after(keys, 6)
        self.assertEqual([line[1] for line in lines], ["v", "1", "1"] * 2)

        self.x.click(*center(self.widget("saveButton")))
        binds = os.path.join(self.work, "binds")
        wait_for(lambda: os.path.exists(binds), 10, what="the binds file")
        with open(binds, "rb") as f:
            self.assertEqual(f.read(), b"Text3\r\n" + b"0\r\n" * 20 + b"\r\n")


class WineTrayTest(WineTest):
    def setUp(self):
        super().setUp()
        tray = subprocess.Popen(["trayer", "--edge", "top", "--align", "right", "--width", "10",
                                 "--height", "24", "--SetDockType", "false"], env=self.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: (tray.kill(), tray.wait()))
        wait_for(lambda: self.x.find("panel"), what="the tray")

    def put_away(self):
        self.x.click(*center(self.widget("startButton")))
        wait_for(lambda: self.model("mainVisible") is False, 10, what="the window hidden")
        return wait_for(self.icon, 10, what="the icon in the tray")

    def test_start_double_click_and_exit_from_the_icons_menu(self):
        p = self.start_program()
        x, y, w, h = self.put_away()
        self.x.click(x + w // 2, y + h // 2, times=2)
        wait_for(lambda: self.model("mainVisible"), 10, what="the window shown")
        x, y, w, h = self.put_away()
        self.x.click(x + w // 2, y + h // 2, button=3)
        time.sleep(1.0)
        self.x.tap("e")
        wait_for(lambda: p.poll() is not None, 15, what="the program to end")
        self.assertEqual(p.returncode, 0)

    def test_a_second_start_shows_the_running_copy_and_ends(self):
        first = self.start_program()
        self.put_away()
        second = self.start([EXE])
        wait_for(lambda: second.poll() is not None, 60, what="the second start to end")
        self.assertEqual(second.returncode, 0)
        wait_for(lambda: self.model("mainVisible"), 10, what="the running copy shown")
        self.assertFalse(os.path.exists(os.path.join(self.work, "binds")))
        keys = self.recorder()
        self.x.tap("KP_0", hold=0.05)
        self.typed_after(keys, 3)
        time.sleep(1.0)
        self.assertEqual([line[1] for line in self.typed_after(keys, 3)], ["v", "1", "1"])

        # A copy that died leaves nothing behind that would block the next start.
        subprocess.run(["pkill", "-KILL", "-f", "brontek-tarnlow.exe"])
        first.wait(10)
        os.remove(os.path.join(self.work, "probe.json"))
        again = self.start_program()
        time.sleep(1.0)
        self.assertIsNone(again.poll())


if __name__ == "__main__":
    unittest.main()
