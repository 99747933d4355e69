"""Smoke test of the Windows program under Wine on a private Xvfb: it starts, its window appears,
a keypad press injected with XTest types v, 1, 1 into a focused Wine window, and Save writes the
bind file's prescribed bytes.

Under Wine the program sees keys only while a Wine window has the focus, so the target here is a
small Wine window that records what it receives."""

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


class WineSmokeTest(unittest.TestCase):
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

    def probe(self):
        import json
        try:
            with open(os.path.join(self.work, "probe.json")) as f:
                return json.load(f)
        except (OSError, ValueError):
            return None

    def widget(self, name):
        s = self.probe()
        if not s:
            return None
        for c in s["windows"][0]["children"]:
            if c["name"] == name:
                return c
        return None

    def test_starts_types_into_a_wine_window_and_saves(self):
        self.start([EXE])
        wait_for(lambda: "Brontek Tarnlow" in self.x.window_titles(), 90, what="the main window")
        wait_for(lambda: self.widget("saveButton"), 30, what="the probe")

        keys = os.path.join(self.work, "keys.txt")
        self.start([RECORDER, "keys.txt"])
        win = wait_for(lambda: self.x.window_titles().get("Recorder"), 60, what="the recorder")
        time.sleep(1.0)
        # Wine takes the focus from a click into its window, as a player gives it.
        geometry = win[0].get_geometry()
        origin = win[0].translate_coords(self.x.display.screen().root, 0, 0)
        self.x.click(-origin.x + geometry.width // 2, -origin.y + geometry.height // 2)
        time.sleep(0.5)
        # Windows reports the keypad digits as VK_NUMPAD0..9 only with NumLock on.
        self.x.tap("Num_Lock")
        time.sleep(0.3)
        self.x.tap("KP_0", hold=0.05)

        def typed():
            if not os.path.exists(keys):
                return None
            with open(keys, encoding="utf-8", errors="replace") as f:
                lines = [l.split() for l in f.read().splitlines() if len(l.split()) == 2]
            # The focused window also gets the keypad key itself ("0"); the program's keys follow.
            starts = [i for i, l in enumerate(lines) if l[1] == "v"]
            lines = lines[starts[0]:] if starts else []
            return lines if len(lines) >= 3 else None
        lines = wait_for(typed, 10, what="three typed keys")
        self.assertEqual([l[1] for l in lines[:3]], ["v", "1", "1"])
        times = [int(l[0]) for l in lines[:3]]
        for a, b in zip(times, times[1:]):
            self.assertAlmostEqual(b - a, 100, delta=40)

        save = self.widget("saveButton")
        self.x.click(*center(save))
        binds = os.path.join(self.work, "binds")
        wait_for(lambda: os.path.exists(binds), 10, what="the binds file")
        with open(binds, "rb") as f:
            self.assertEqual(f.read(), b"Text3\r\n" + b"0\r\n" * 20 + b"\r\n")


if __name__ == "__main__":
    unittest.main()
