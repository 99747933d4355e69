"""A private Xvfb, the program in its own folder, real X clients; all they start is stopped."""

import contextlib
import http.server
import json
import os
import shlex
import shutil
import socket
import subprocess
import tempfile
import threading
import time
import unittest

from pathlib import Path
from subprocess import DEVNULL

from PIL import ImageGrab
from Xlib import X, XK, display as xdisplay, protocol
from Xlib.ext import xtest

BIN = os.environ.get("BRONTEK_BIN", "")
SITE = os.environ.get("BRONTEK_SITE", os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "..", "..", "server", "update_info", "binds_data"))
ARTIFACTS = os.environ.get("BRONTEK_ARTIFACTS", tempfile.gettempdir())
MAIN = "Brontek Tarnlow"  # the main window's title
NEWS = "Brontek news - December 2026"  # the sample feed's caption
BOX = "Brontek tarnlow"  # an input or message box's title


def wait_for(predicate, timeout=10.0, step=0.05, what="condition"):  # what: or a function of it
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if value := predicate():
            return value
        time.sleep(step)
    raise AssertionError("timed out waiting for " + (what() if callable(what) else what))


def steady(read, what):  # read() once it gives the same twice: a new window moves after it shows
    seen = [None]

    def same():
        before, seen[0] = seen[0], read()
        return seen[0] if seen[0] and seen[0] == before else None
    return wait_for(same, step=0.25, what=what)


def rect(widget):  # a probed window's or widget's (x, y, w, h) on the screen
    return widget["x"], widget["y"], widget["w"], widget["h"]


def typed_by(x, rec, key="KP_0", focus=lambda: None, settle=0.8):  # what rec got for a tap
    before = len(rec.typed())
    focus()
    x.tap(key, hold=0.05)
    time.sleep(settle)
    return [k for _, k in rec.typed()[before:]]


def notices(log, sender=""):  # the Notify calls' (summary, body) python3-dbusmock logged
    lines = Path(log).read_text().splitlines() if os.path.exists(log) else []
    calls = [shlex.split(line) for line in lines]  # time, Notify, app, id, icon, summary, body
    return [c[5:7] for c in calls if c[1:2] == ["Notify"] and sender in " ".join(c[2:6])]


FILE_ORDER = ["slotMenu0", "slotMessage0"] + [  # the twenty slot lists in the bind file's order
    "slot%s%d" % (kind, k) for k in range(1, 10) for kind in ("Message", "Menu")]


def slot_indices(entries):  # the twenty list indices in the file's order, from {place: index}
    return [entries.get(n, 0) for n in range(20)]


def binds_bytes(game, entries):  # "binds" with these list indices, by place in the file
    return "".join("%s\r\n" % v for v in [game] + slot_indices(entries) + [""]).encode()


def write_binds(workdir, game=1, entries=None):  # by default Numpad 7: v23, 3: v34
    Path(workdir, "binds").write_bytes(binds_bytes(game, entries or {15: 1, 14: 2, 7: 2, 6: 3}))


def free_port():  # on 127.0.0.1, that nothing listens on
    with socket.create_server(("127.0.0.1", 0)) as s:
        return s.getsockname()[1]


class SampleSite:  # the sample news site on 127.0.0.1, its status page delay s late
    def __init__(self, port=0, delay=0.0):
        class Handler(http.server.SimpleHTTPRequestHandler):
            def do_GET(self):
                if self.path.endswith("/form1.html"):
                    time.sleep(delay)
                super().do_GET()

            def log_message(self, *args):
                pass

        class Server(http.server.ThreadingHTTPServer):
            def handle_error(self, request, client_address):
                pass  # the program cancels a poll under way when it ends: nothing to report

        root = os.path.dirname(os.path.dirname(SITE))
        self.server = Server(("127.0.0.1", port), lambda *args: Handler(*args, directory=root))
        self.port = self.server.server_address[1]
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


class Xvfb:  # a private X server; with -noreset a keyboard layout set on it stays
    def __init__(self, size="1280x1024"):
        ready, write = os.pipe()  # it takes a free display, its number written here once it is up
        self.proc = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-noreset", "-nolisten",
                                      "tcp", "-screen", "0", size + "x24"], pass_fds=[write],
                                     stdout=DEVNULL, stderr=DEVNULL)
        os.close(write)
        with os.fdopen(ready) as f:
            self.name = ":" + f.readline().strip()
        self.display = xdisplay.Display(self.name)
        self.root = self.display.screen().root

    def stop(self):
        self.display.close()
        self.proc.terminate()
        self.proc.wait(5)

    def keycode(self, name):  # a key's name ("KP_0", "Return") or the character it types
        name = {".": "period", ",": "comma", "-": "minus"}.get(name, name)
        return self.display.keysym_to_keycode(XK.string_to_keysym(name))

    def keys(self, names, down):  # in one flush: the server takes them in the same instant
        for name in names:
            xtest.fake_input(self.display, X.KeyPress if down else X.KeyRelease, self.keycode(name))
        self.display.sync()

    def tap(self, name, hold=0.02):
        self.keys([name], True)
        time.sleep(hold)
        self.keys([name], False)

    def move(self, x, y):
        xtest.fake_input(self.display, X.MotionNotify, x=int(x), y=int(y))
        self.display.sync()
        time.sleep(0.05)

    def click(self, x, y, button=1, times=1):
        self.move(x, y)
        for event in [X.ButtonPress, X.ButtonRelease] * times:
            xtest.fake_input(self.display, event, button)
            self.display.sync()
            time.sleep(0.03)

    def click_on(self, area, button=1, times=1):  # the middle of (x, y, w, h)
        x, y, w, h = area
        self.click(x + w // 2, y + h // 2, button, times)

    def window(self, name, under=None):  # by WM_NAME or WM_CLASS, mapped, below under
        for child in (under or self.root).query_tree().children:
            try:
                if (name in [child.get_wm_name()] + list(child.get_wm_class() or ()) and
                        child.get_attributes().map_state):
                    return child
            except Exception:
                continue
            if found := self.window(name, child):
                return found

    def find(self, name, under=None):  # that window's (x, y, w, h) on the screen, or None
        with contextlib.suppress(Exception):  # none yet, or gone in between
            window = self.window(name, under)
            g = window.get_geometry()
            at = window.translate_coords(self.root, 0, 0)
            return (-at.x, -at.y, g.width, g.height)

    def _title(self, window):  # of window or the nearest window above it that has one
        with contextlib.suppress(Exception):  # gone in between
            while window and window != self.root:
                if name := window.get_wm_name():
                    return name if isinstance(name, str) else name.decode()
                window = window.query_tree().parent

    def stacking(self):  # the top-level windows' titles, bottom first (a frame has none)
        stacking = self.display.intern_atom("_NET_CLIENT_LIST_STACKING")
        if prop := self.root.get_full_property(stacking, X.AnyPropertyType):
            windows = [self.display.create_resource_object("window", w) for w in prop.value]
        else:
            windows = [w for w in self.root.query_tree().children
                       if w.get_attributes().map_state == X.IsViewable]
        return [t for t in (self._title(w) for w in windows) if t]

    def focused(self):  # the title of the window that gets the keys (at PointerRoot, the pointed)
        focus = self.display.get_input_focus().focus
        if focus == X.PointerRoot:
            focus = self.root.query_pointer().child
        return self._title(focus) if focus else None


class Recorder:  # a focused X window recording (server time, key) per press, keypad ones as "KP"
    def __init__(self, xvfb, grab=False, name="Recorder", wm_class=None, at=(700, 600)):
        self.d = xdisplay.Display(xvfb.name)
        screen = self.d.screen()
        self.win = screen.root.create_window(
            at[0], at[1], 300, 200, 0, screen.root_depth, X.InputOutput, X.CopyFromParent,
            background_pixel=screen.white_pixel, event_mask=X.KeyPressMask)
        self.win.set_wm_name(name)
        self.win.set_wm_class(*(wm_class or (name, name)))
        self.title = name
        self.win.map()
        self.d.sync()
        time.sleep(0.1)
        self.focus()
        if grab:  # the keyboard, as a game does
            self.win.grab_keyboard(True, X.GrabModeAsync, X.GrabModeAsync, X.CurrentTime)
            self.d.sync()
        self.keys = []  # (server time in ms, character), read from the connection when asked

    def focus(self):  # under a window manager by asking it, as a pager does; whether it has it
        root = self.d.screen().root
        if root.get_full_property(self.d.get_atom("_NET_SUPPORTING_WM_CHECK"), X.AnyPropertyType):
            event = protocol.event.ClientMessage(
                window=self.win, client_type=self.d.intern_atom("_NET_ACTIVE_WINDOW"),
                data=(32, [2, X.CurrentTime, 0, 0, 0]))
            root.send_event(event, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
            self.d.sync()
            time.sleep(0.2)
        self.win.set_input_focus(X.RevertToParent, X.CurrentTime)
        self.d.sync()
        return self.d.get_input_focus().focus == self.win

    def typed(self, presses=False):
        while self.d.pending_events():
            ev = self.d.next_event()
            if ev.type == X.MappingNotify:  # a key lent another character
                self.d.refresh_keyboard_mapping(ev)
            if ev.type == X.KeyPress:
                sym = self.d.keycode_to_keysym(ev.detail, self.column(ev.state))
                keypad = XK.XK_KP_Space <= sym <= XK.XK_KP_9  # with NumLock on or off
                if text := "KP" if keypad else XK.keysym_to_string(sym):  # none for a modifier
                    self.keys.append((ev.time, text))
        return [k for k in self.keys if presses or k[1] != "KP"]

    def column(self, state):  # of a key's symbols, as an X client unaware of layouts reads it:
        switch = self.d.keysym_to_keycode(XK.XK_Mode_switch)  # Shift: 1; the second layout: 2, 3
        second = switch and any(state & 1 << bit and switch in codes
                                for bit, codes in enumerate(self.d.get_modifier_mapping()))
        return (2 if second else 0) + (1 if state & X.ShiftMask else 0)

    def wait(self, count, timeout=5):  # the typed characters, once there are count of them
        wait_for(lambda: len(self.typed()) >= count, timeout,
                 what="%d typed keys, got %r" % (count, self.typed()))
        return [k for _, k in self.typed()]

    def clear(self):
        self.typed()
        self.keys.clear()

    def stop(self):
        self.d.close()


class Program:  # Linux's or Windows' under Wine, in its folder, probed, its server on 127.0.0.1
    def __init__(self, xvfb, workdir, port, extra_env=None, command=None, cwd=None, hidden=False):
        self.x = xvfb
        self.probe = os.path.join(workdir, ".probe.json")
        self.env = dict(os.environ, DISPLAY=xvfb.name, BRONTEK_TEST_PROBE=self.probe,
                        QT_FONT_DPI="96", XDG_RUNTIME_DIR=workdir, LC_ALL="C.UTF-8")
        self.env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        self.env.update(extra_env or {})
        Path(self.probe).unlink(missing_ok=True)  # a previous run's would say it is up already
        self.log = open(os.path.join(workdir, ".program.log"), "ab")
        self.proc = subprocess.Popen((command or [BIN]) + ["--server", "127.0.0.1:%d" % port],
                                     cwd=cwd or workdir, env=self.env, stdout=self.log,
                                     stderr=subprocess.STDOUT)
        if hidden:  # started into the tray: up once it says so
            self.wait_model("mainVisible", False, 90)
            return
        wait_for(lambda: self.widget("saveButton"), 90,
                 what=lambda: "the main window; the program said:\n" + self.said())
        steady(lambda: tuple(self.widget("saveButton")[k] for k in "xy"), "the window placed")

    def said(self):  # the end of what the program wrote, a sanitizer's report say
        self.log.flush()
        return Path(self.log.name).read_text(errors="replace")[-6000:]

    def state(self):  # None before the program writes it, or while it does
        with contextlib.suppress(OSError, ValueError), open(self.probe) as f:
            return json.load(f)

    def window(self, title=MAIN):
        return next((w for w in (self.state() or {}).get("windows", [])
                     if w.get("title", "").startswith(title)), None)

    def widget(self, name, title=MAIN):
        return next((c for c in (self.window(title) or {}).get("children", [])
                     if c["name"] == name), None)

    def wait_text(self, name, text, timeout=30):
        self.wait_state(lambda s: (self.widget(name) or {}).get("text") == text, timeout,
                        what="%s saying %s" % (name, text))

    def click(self, name, title=MAIN, button=1):
        self.x.click_on(rect(self.widget(name, title)), button)

    def model(self):
        return (self.state() or {}).get("model", {})

    def wait_state(self, predicate, timeout=10.0, what="program state"):
        def check():
            s = self.state()
            return s if s and predicate(s) else None
        return wait_for(check, timeout, what=what)

    def wait_model(self, key, value, timeout=10.0):
        self.wait_state(lambda s: s["model"].get(key) == value, timeout,
                        what="%s to be %r" % (key, value))

    def to_tray(self):  # with Start
        self.click("startButton")
        self.wait_model("mainVisible", False)

    def ended(self, timeout=15):  # by itself, with status 0, never a signal
        wait_for(lambda: self.proc.poll() is not None, timeout, what="the program to end")
        assert self.proc.poll() == 0, "exit status %d:\n%s" % (self.proc.poll(), self.said())

    def stop(self):
        if (died := self.proc.poll()) is None:
            self.proc.kill()
            self.proc.wait()
        assert died in (None, 0, -9, -15), "ended by itself with %d:\n%s" % (died, self.said())
        self.log.close()


class E2ETest(unittest.TestCase):  # each test has its own Xvfb and working folder
    screen = "1280x1024"
    window_manager = False  # openbox, which focuses a new window a moment after placing it

    def setUp(self):
        self.assertTrue(os.path.exists(BIN), "BRONTEK_BIN names no built program: %r" % BIN)
        self.port = free_port()
        self.x = self.owned(Xvfb(self.screen))
        self.workdir = self.folder()
        if self.window_manager:
            self.spawn(["openbox", "--sm-disable"])
            wm = self.x.display.intern_atom("_NET_SUPPORTING_WM_CHECK")
            wait_for(lambda: self.x.root.get_full_property(wm, X.AnyPropertyType), what="openbox")

    def start_program(self, extra_env=None, command=None, cwd=None, hidden=False):
        p = self.owned(Program(self.x, self.workdir, self.port, extra_env, command, cwd, hidden))
        if self.window_manager and "--tray" not in (command or []):
            wait_for(lambda: self.x.focused() == MAIN, what="the window focused")
        return p

    start = start_program  # what the scenarios run: the Linux program; the Wine suite's the exe

    def box(self, p):  # the open input or message box, once there is one
        return wait_for(lambda: p.window(BOX), 30, what="a box")

    def message_box(self, p):  # its texts, once it is open, closed by its OK
        box = self.box(p)
        time.sleep(0.3)
        [ok] = [c for c in box["children"] if c.get("text") in ("OK", "&OK")]
        self.x.click_on(rect(ok))
        p.wait_state(lambda s: all(w["title"] != BOX for w in s["windows"]), what="the box closed")
        return [c.get("text") for c in box["children"] if c.get("text")]

    def start_choosing(self, p, slot):
        p.click("keyLabel%d" % slot)
        p.wait_text("keyLabel%d" % slot, "Press a key\u2026")

    def login_box(self, p):  # the box's text, and whether it is ticked
        return p.widget("loginStartBox")["text"], p.widget("loginStartBox")["checked"]

    def tick_login_box(self, p, written):  # on, off, on again: written() follows it each time
        for ticked in (True, False, True):
            p.click("loginStartBox")
            p.wait_state(lambda s: self.login_box(p)[1] == ticked, what="ticked: %s" % ticked)
            self.assertEqual(written(), ticked)

    def game(self):  # a focused recorder: a function giving (ms, key) pairs
        return self.recorder().typed

    def typed_after(self, keys, *taps, settle=0.0):  # (time, key) pairs, taps a second apart
        for key in taps:
            self.x.tap(key, hold=0.05)
            time.sleep(1.0)
        wait_for(lambda: len(keys()) >= 3 * len(taps))
        time.sleep(settle)  # for any key more
        return keys()

    def serve_sample_site(self, status_delay=0.0):
        self.owned(SampleSite(self.port, status_delay))

    def spawn(self, args, env=None, cwd=None):  # a program of the desktop, stopped after the test
        env = {**os.environ, **(env or {}), "DISPLAY": self.x.name}
        proc = subprocess.Popen(args, cwd=cwd, env=env, stdout=DEVNULL, stderr=DEVNULL)
        self.addCleanup(lambda: (proc.kill(), proc.wait()))

    def start_trayer(self):  # an XEmbed tray: icons dock into its window "panel"
        self.spawn(["trayer", "--edge", "top", "--align", "right", "--width", "10", "--height",
                    "24", "--SetDockType", "false"])
        wait_for(lambda: self.x.find("panel"), what="the tray")

    def put_away(self, p, icon):  # with Start: the docked icon
        p.click("startButton")
        return self.docked_icon(p, icon)

    def docked_icon(self, p, name):  # once the window is put away, its icon in the tray
        p.wait_model("mainVisible", False)
        return steady(lambda: self.x.find(name, self.x.window("panel")), "the icon in the tray")

    def recorder(self, grab=False, **where):
        return self.owned(Recorder(self.x, grab, **where))

    def owned(self, thing):  # stopped after the test
        self.addCleanup(thing.stop)
        return thing

    def folder(self, mode=0o700):  # a new one of the test's own, removed after it
        path = tempfile.mkdtemp(prefix="bt-e2e-")
        self.addCleanup(shutil.rmtree, path, True)
        os.chmod(path, mode)
        return path

    def path(self, name):  # in the working folder
        return os.path.join(self.workdir, name)

    def file(self, name):  # the bytes of a file in the working folder, once it is there
        wait_for(lambda: os.path.exists(self.path(name)), what=name)
        return Path(self.path(name)).read_bytes()

    def decline_news(self, p):  # the news window's box ticked, then its Exit: "data" written
        p.click("declineBox", NEWS)
        time.sleep(0.3)
        p.click("exitButton", NEWS)
        p.ended(30)
        self.assertEqual(self.file("data"), b"brontek-news-2026-12\r\n")

    def texts_cut_off(self, p, title=MAIN):
        return [c for c in p.window(title)["children"] if c["visible"] and c["textW"] > c["w"]]

    def screenshot(self, name, area):  # (x, y, w, h) into the artifacts' folder
        x, y, w, h = area
        os.makedirs(ARTIFACTS, exist_ok=True)
        ImageGrab.grab((x, y, x + w, y + h), xdisplay=self.x.name).save(
            os.path.join(ARTIFACTS, name), optimize=True)


class WindowScenarios:  # both programs' window; EDIT: the input box's field, F5: as "keys" has it
    def choose(self, p, name, index):  # a click opens the list, the keyboard picks
        steps = index - p.widget(name)["index"]
        p.click(name)
        time.sleep(0.5)
        for key in ["Down" if steps > 0 else "Up"] * abs(steps) + ["Return"]:
            self.x.tap(key)
            time.sleep(0.1)
        p.wait_state(lambda s: p.widget(name)["index"] == index, what="%s at %d" % (name, index))

    def answer_box(self, p, typed):
        [edit] = [c for c in self.box(p)["children"] if c["class"] == self.EDIT]
        self.x.click(edit["x"] + 5, edit["y"] + edit["h"] // 2)
        wait_for(lambda: self.x.focused() == BOX, what="the box focused")
        for key in ["End"] + ["BackSpace"] * 3 + list(typed) + ["Return"]:
            self.x.tap(key)
        p.wait_state(lambda s: not any(c["class"] == self.EDIT for w in s["windows"]
                                       if w["title"] == BOX for c in w["children"]),
                     what="the input box closed")

    def no_keys_file(self):
        self.assertFalse(os.path.exists(self.path("keys")))

    def test_lists_chosen_by_clicks_are_saved_and_type_after_a_restart(self):
        p = self.start()
        self.assertEqual([p.widget("keyLabel" + k)["text"] for k in "09"], ["Numpad 0", "Numpad 9"])
        p.click("unitedOffensiveOption")
        p.wait_model("game", "UnitedOffensive")
        for name, index in (("slotMenu9", 4), ("slotMessage9", 7),  # Numpad 9: Vehicles 8
                            ("slotMenu3", 1), ("slotMessage3", 6)):  # then Statements 7
            self.choose(p, name, index)
        self.assertEqual([p.widget(n)["text"] for n in ("slotMessage9", "slotMenu3")],
                         ["8 Incoming armor!", "2 Statements"])  # each binding read whole
        self.assertEqual(self.texts_cut_off(p), [])
        p.click("saveButton")
        entries = {19: 4, 18: 7, 7: 1, 6: 6}
        self.assertEqual(self.file("binds"), binds_bytes(2, entries))
        p.click("exitButton")
        p.ended(30)
        again = self.start()
        again.wait_state(lambda s: again.widget("slotMessage9")["index"] == 7, 30, what="bindings")
        self.assertEqual([again.widget(n)["index"] for n in FILE_ORDER], slot_indices(entries))
        self.assertEqual([k for _, k in self.typed_after(self.game(), "KP_9", "KP_3")],
                         ["v", "5", "8", "v", "2", "7"])

    def test_the_status_arriving_leaves_the_players_window_on_top_with_the_focus(self):
        self.serve_sample_site(status_delay=2.0)
        p = self.start()
        keys = self.game()  # the player switched to the game
        for waited in (0, 1):
            if waited:
                p.wait_model("status", "ONLINE", 20)
                time.sleep(2.5)  # the blink, then the shrink
            order = self.x.stacking()
            self.assertGreater(order.index("Recorder"), order.index(MAIN), order)
        self.assertEqual(self.x.focused(), "Recorder")
        self.assertEqual([k for _, k in self.typed_after(keys, "KP_0")], ["v", "1", "1"])

    def test_the_interval_box_opened_during_a_key_choice_before_the_status_takes_250_5(self):
        self.serve_sample_site(status_delay=2.0)
        p = self.start()
        self.start_choosing(p, 0)
        p.click("intervalButton")
        self.box(p)
        self.assertEqual(p.widget("keyLabel0")["text"], "Numpad 0", "the box ended the choice")
        p.wait_model("status", "ONLINE", 20)  # it blinks and shrinks the window behind the box
        time.sleep(2.5)
        self.answer_box(p, "250.5")
        self.assertEqual(p.model()["keyInterval"], 250)
        typed = self.typed_after(self.game(), "KP_0")
        self.assertEqual([k for _, k in typed], ["v", "1", "1"])
        for (a, _), (b, _) in zip(typed, typed[1:]):
            self.assertAlmostEqual(b - a, 250, delta=20)
        p.click("intervalButton")
        self.answer_box(p, "99")
        self.assertIn("Enter 100 - 1000", self.message_box(p))
        p.wait_model("keyInterval", 100)
        self.no_keys_file()

    def test_a_chosen_key_moved_while_held_types_nothing_until_pressed_again(self):
        write_binds(self.workdir)
        p = self.start()
        p.wait_state(lambda s: p.widget("slotMessage3")["index"] == 3, 30, what="the bindings")
        lists = lambda: [p.widget(name)["index"] for name in FILE_ORDER]  # noqa: E731
        before = lists()
        self.start_choosing(p, 3)
        self.x.tap("F5")
        p.wait_text("keyLabel3", "F5")
        self.start_choosing(p, 7)
        self.x.keys(["F5"], True)  # it moves to Numpad 7 and stays down
        p.wait_text("keyLabel7", "F5")
        p.wait_text("keyLabel3", "Numpad 3")
        self.assertTrue(self.file("keys").splitlines()[7].startswith(self.F5))
        time.sleep(1.5)
        self.x.keys(["F5"], False)
        time.sleep(1.5)
        self.assertEqual(lists(), before, "nothing was typed into the window")
        self.assertEqual([k for _, k in self.typed_after(self.game(), "F5", "KP_3", settle=1.5)],
                         ["v", "2", "3", "v", "3", "4"])

    def test_exit_during_a_key_choice_opens_the_news_and_no_key_is_chosen_there(self):
        self.serve_sample_site()
        p = self.start()
        p.wait_model("status", "ONLINE", 20)
        self.start_choosing(p, 3)
        p.click("exitButton")
        p.wait_state(lambda s: p.widget("exitButton", NEWS), 30, what="the news window")
        time.sleep(0.5)
        self.assertEqual(self.texts_cut_off(p, NEWS), [])  # the feed's places, each text whole
        text = p.widget("newsText", NEWS)
        self.x.move(text["x"] + 5, text["y"] + 5)  # the news window has the keyboard
        for key in ("F5", "q"):  # not Space, which would tick the decline box
            self.x.tap(key)
        self.decline_news(p)
        self.no_keys_file()

    def test_a_list_dropped_down_during_a_key_choice_ends_it_and_keeps_its_keys(self):
        p = self.start()
        self.start_choosing(p, 4)
        self.choose(p, "slotMenu5", p.widget("slotMenu5")["index"] + 1)  # Down, then Return
        p.wait_text("keyLabel4", "Numpad 4")
        self.no_keys_file()


class SideButtonScenario:  # RAW_MOUSE: whether the probe tells the mouse is heard
    RAW_MOUSE = False

    def mouse_heard(self, p, heard):
        if self.RAW_MOUSE:
            p.wait_model("rawMouse", heard)

    def test_a_side_button_chosen_types_over_another_window_the_left_button_and_wheel_never(self):
        write_binds(self.workdir)  # Numpad 3: v 3 4
        p = self.start()
        self.mouse_heard(p, False)  # no button chosen: the program asked for no mouse input
        self.start_choosing(p, 3)
        for button in (1, 4, 5):  # the left button, the wheel
            p.click("keyLabel3", button=button)
        time.sleep(0.5)
        self.assertEqual(p.widget("keyLabel3")["text"], "Press a key\u2026")
        p.click("keyLabel3", button=8)
        p.wait_text("keyLabel3", "Mouse 4")
        self.mouse_heard(p, True)
        keys = self.game()
        self.x.click_on(self.x.find("Recorder"), button=8)
        self.assertEqual([k for _, k in wait_for(lambda: len(keys()) >= 3 and keys())],
                         ["v", "3", "4"])
        self.start_choosing(p, 3)
        self.x.tap("Delete")
        p.wait_text("keyLabel3", "Numpad 3")
        self.mouse_heard(p, False)


class AltF4Scenario:
    def test_alt_f4_during_a_key_choice_closes_the_window(self):
        p = self.start()
        self.start_choosing(p, 3)
        self.x.keys(["Alt_L"], True)
        self.x.tap("F4")
        self.x.keys(["Alt_L"], False)
        p.ended(30)
        self.no_keys_file()


class CopyScenarios:  # one copy at a time; ICON: the icon's window, second_start(p): its status
    def test_a_second_start_shows_the_running_copy_and_one_that_died_blocks_nothing(self):
        self.start_trayer()
        p = self.start()
        self.x.click_on(self.put_away(p, self.ICON), times=2)
        p.wait_model("mainVisible", True)
        self.put_away(p, self.ICON)
        files = sorted(os.listdir(self.workdir))
        self.assertEqual(self.second_start(p), 0)
        p.wait_model("mainVisible", True)  # the running copy came back out of the tray
        self.assertEqual(sorted(os.listdir(self.workdir)), files, "the second start wrote nothing")
        self.assertEqual([k for _, k in self.typed_after(self.game(), "KP_0", settle=1.0)],
                         ["v", "1", "1"], "typed once")
        self.x.click_on(self.put_away(p, self.ICON), button=3)  # the icon's menu, then Exit
        time.sleep(1.0)
        self.x.tap("e")
        p.ended()
        self.assertFalse(os.path.exists(self.path("binds")), "nothing written")
        p = self.start()
        p.stop()  # (under Wine too: wine execs the program)
        self.start()
