"""The Windows program under Wine on Xvfb; the game is a Wine window, the kind Wine types into."""

import os
import re
import shutil
import subprocess
import time

import harness
from harness import wait_for

EXE = os.environ.get("BRONTEK_EXE", "")
RECORDER = os.environ.get("BRONTEK_RECORDER", "")
POST_MESSAGE = os.environ.get("BRONTEK_POST_MESSAGE", "")
WM_DPICHANGED = 0x02E0
ICON = "explorer.exe"  # Wine's tray icons dock into the tray as windows of its explorer
RUN = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
LOG_PIXELS = (r"HKCU\Control Panel\Desktop", "/v", "LogPixels")  # Wine's one scale for all monitors


class WineTest(harness.E2ETest):
    def setUp(self):
        for tool in ("wine", "wineserver"):
            self.assertTrue(shutil.which(tool), "%s is missing (Debian package wine)" % tool)
        harness.BIN = EXE
        super().setUp()
        self.wine = {"WINEDEBUG": "-all", "DISPLAY": self.x.name, "WINEPREFIX": os.environ.get(
            "WINEPREFIX", self.path("prefix"))}
        self.addCleanup(subprocess.run, ["wineserver", "-k"], env=dict(os.environ, **self.wine),
                        stderr=subprocess.DEVNULL)

    def start(self):
        return self.start_program(self.wine, ["wine", EXE])

    def wine_run(self, *command, check=True):
        return subprocess.run(["wine", *command], env=dict(os.environ, **self.wine), check=check,
                              timeout=120, capture_output=True, text=True)

    def game(self):  # a focused recording Wine window; a function giving its keys from v on
        recorder = WineWindow(self, "Recorder.exe", "Recorder", 700, 500)
        time.sleep(1.0)
        recorder.focus()
        time.sleep(0.5)

        def keys():  # the keypad key arrives too ("0" with NumLock on)
            typed = recorder.typed()
            starts = [n for n, (_, k) in enumerate(typed) if k == "v"]
            return [t for t in typed[starts[0]:] if t[1] != "0"] if starts else []
        return keys


class WineWindow:  # the key recorder run as exe (a copy so named), writing (time, character) lines
    def __init__(self, test, exe, title, left, top):
        shutil.copy(RECORDER, test.path(exe))
        self.out, self.x, self.title = test.path(title), test.x, title  # its keys in file "title"
        test.spawn(["wine", exe, title, title, str(left), str(top)], test.wine, test.workdir)
        wait_for(lambda: test.x.find(title), 60, what="the %s window" % title)  # Wine's first start
        harness.steady(lambda: test.x.find(title), "the %s window placed" % title)

    def focus(self):
        self.x.click_on(self.x.find(self.title))

    def typed(self):  # (message time, character) pairs, written as keys arrive
        if not os.path.exists(self.out):
            return []
        with open(self.out, encoding="utf-8", errors="replace") as f:
            return [(int(line.split()[0]), line.split()[1]) for line in f if len(line.split()) == 2]


class WineKeysTest(WineTest):
    def typed_one_interval_apart(self, keys, count, late=10):
        # Each three on one 100 ms beat, none more than late behind it: a late v hides no early key.
        typed = wait_for(lambda: len(keys()) >= count and keys())
        for i in range(0, count, 3):
            offsets = [at - 100 * n for n, (at, _) in enumerate(typed[i:i + 3])]
            self.assertLessEqual(max(offsets) - min(offsets), late, typed)
        return [k for _, k in typed]

    def test_keypad_types_with_numlock_off_and_on(self):
        p = self.start()
        self.assertEqual(p.model()["clock"], "high-resolution")  # Wine accepts the flag
        keys = self.game()
        for key in ("Insert", "Down"):  # the keypad's scan codes, but not keypad keys
            self.x.tap(key, hold=0.05)
        self.x.tap("KP_0", hold=0.05)  # NumLock is off on a fresh X server
        self.assertEqual(self.typed_one_interval_apart(keys, 3), ["v", "1", "1"])
        self.x.tap("Num_Lock")
        time.sleep(0.3)
        self.x.tap("KP_0", hold=0.05)
        self.assertEqual(self.typed_one_interval_apart(keys, 6), ["v", "1", "1"] * 2)

    def test_settimer_where_the_high_resolution_timer_is_refused_types_the_same(self):
        p = self.start_program(dict(self.wine, BRONTEK_TEST_CLOCK="set-timer"), ["wine", EXE])
        self.assertEqual(p.model()["clock"], "set-timer")
        keys = self.game()
        self.x.tap("KP_0", hold=0.05)  # on Windows' tick each key may be up to 16 ms late, v too
        self.assertEqual(self.typed_one_interval_apart(keys, 3, late=16), ["v", "1", "1"])


# Under a window manager only: a player's Wine always runs on a desktop that has one (the Linux
# program's window runs both with and without).
class WineWindowTest(harness.WindowScenarios, harness.AltF4Scenario, harness.SideButtonScenario,
                     WineTest):
    EDIT = "Edit"
    F5 = b"win32 63 "
    window_manager = True
    RAW_MOUSE = True


class WineTrayTest(WineTest):
    screen = "2560x1440"  # a monitor made for 200 %, which the window is moved to

    def change_dpi(self, p, window, dpi, key="dpi", value=None):  # as on a move to another monitor
        self.wine_run(POST_MESSAGE, window, str(WM_DPICHANGED), str(dpi << 16 | dpi))
        p.wait_model(key, value or dpi)

    def test_at_150_percent_the_scale_is_followed_and_the_first_time_in_the_tray_told_once(self):
        self.wine_run("reg", "add", *LOG_PIXELS, "/t", "REG_DWORD", "/d", "144", "/f")
        self.addCleanup(self.wine_run, "reg", "delete", *LOG_PIXELS, "/f")  # a shared prefix
        harness.write_binds(self.workdir, 2, {19: 4, 18: 6})  # Numpad 9 on Vehicles 7
        self.start_trayer()
        p = self.start()
        p.wait_model("dpi", 144)
        self.assertEqual(p.widget("slotMessage9")["text"], "7 Enemy heavy tank spotted?")

        def sizes():  # the window's width (its height shrinks with the status), Save's, its font's
            save = p.widget("saveButton")
            return [p.window()["clientW"], save["w"], save["h"], save["font"]]
        at_150 = sizes()
        self.assertEqual(self.texts_cut_off(p), [], "at 150 % from the start, connecting")
        self.change_dpi(p, "BrontekTarnlowMain", 192)  # moved to a monitor at 200 %
        for was, now in zip(at_150, sizes()):
            self.assertAlmostEqual(now, was * 4 / 3, delta=1, msg=(at_150, sizes()))
        self.assertEqual(self.texts_cut_off(p), [], "at 200 %")
        self.change_dpi(p, "BrontekTarnlowMain", 144)  # and back to one at 150 %
        self.assertEqual(self.texts_cut_off(p), [], "at 150 % again")
        p.to_tray()
        p.wait_model("notices", 1)
        self.assertEqual(p.model()["trayIconPx"], 24, "the icon's own 24-pixel image at 150 %")
        self.change_dpi(p, "BrontekTarnlowPlatform", 192, "trayIconPx", 32)  # the tray's monitor
        self.assertIn(b"tray-notice-shown = yes\r\n", self.file("options"))
        p.stop()
        again = self.start()
        again.to_tray()
        time.sleep(1.0)
        self.assertEqual(again.model()["notices"], 0, "told once, not at every start")


class WineStartWithWindowsTest(WineTest):
    def run_value(self):  # our value under the Run key, as reg.exe shows it, or None
        query = self.wine_run("reg", "query", RUN, "/v", "Brontek Tarnlow", check=False)
        found = re.search(r"Brontek Tarnlow\s+REG_SZ\s+(.*\S)", query.stdout)
        return found.group(1) if query.returncode == 0 and found else None

    def test_the_box_writes_the_run_value_whose_command_starts_into_the_tray_with_the_binds(self):
        harness.write_binds(self.workdir)  # Numpad 3 types v 3 4
        older = r'"C:\Program Files\Brontek\brontek-tarnlow.exe" --tray'
        self.wine_run("reg", "add", RUN, "/v", "Brontek Tarnlow", "/t", "REG_SZ", "/d", older, "/f")
        p = self.start()
        self.assertEqual(self.login_box(p), ("Start with Windows", False), "an older build's entry")
        self.tick_login_box(p, lambda: self.run_value() is not None)
        command = [a or b for a, b in re.findall(r'"([^"]*)"|(\S+)', self.run_value())]
        self.assertEqual(command[1:3], ["--tray", "--folder"])
        self.assertTrue(command[0].endswith("\\brontek-tarnlow.exe"), command)
        self.assertTrue(command[3].lower().endswith(self.workdir.replace("/", "\\").lower()),
                        command)
        p.stop()
        self.start_trayer()  # the sign-in: Explorer runs the command in a folder of its own
        elsewhere = self.folder()
        again = self.start_program(self.wine, ["wine"] + command, cwd=elsewhere, hidden=True)
        self.docked_icon(again, ICON)
        again.wait_model("notices", 1)
        self.assertEqual([k for _, k in self.typed_after(self.game(), "KP_3")], ["v", "3", "4"],
                         "the player's own bindings")
        self.assertEqual(os.listdir(elsewhere), [], "nothing written where it was started")


class WineCopyTest(harness.CopyScenarios, WineTest):
    ICON = ICON

    def second_start(self, p):
        return subprocess.run(["wine", EXE], cwd=self.workdir, env=p.env, timeout=60).returncode
