"""The Linux program on KDE Plasma 6 Wayland, typing into an X11 game window through the portal's
RemoteDesktop session. Run in tools/desktop-chroot.sh's chroot (`make test-desktops`)."""

import os
import shlex
import tempfile
import time
import unittest

from Xlib import X
from Xlib.ext import xtest

from harness import ARTIFACTS, BIN, Program, Recorder, SampleSite, free_port, wait_for
from kde_session import APP_ID, KdeSession
from procstats import wake_ups

GRANT = "grant"  # the restore token of the program's last run, beside "binds"


class KdeWaylandTest(unittest.TestCase):
    def setUp(self):
        if not BIN or not os.path.exists(BIN):
            self.fail("BRONTEK_BIN does not name the built program: %r" % BIN)
        self.desktop = KdeSession(BIN)
        self.addCleanup(self.desktop.stop, os.path.join(ARTIFACTS, self.id().split(".")[-1]))
        self.desktop.take_keyboard()
        self.workdir = tempfile.mkdtemp(prefix="files-", dir=self.desktop.dir)
        self.port = free_port()
        self.addCleanup(SampleSite(self.port).stop)

    def game(self):  # an X11 window as a game under Wine, with the keyboard
        rec = Recorder(self.desktop, name="Game", wm_class=("codmp.exe", "Wine"), at=(100, 100))
        self.addCleanup(rec.stop)
        return self.focus(rec)

    def focus(self, rec):
        """Gives rec the focus, made sure of by a key: a new window of the program's takes it."""
        def has_it():
            rec.focus()
            return rec.d.get_input_focus().focus == rec.win
        wait_for(has_it, step=0.5, what="the game window focused")
        time.sleep(0.3)
        self.desktop.tap("x")
        wait_for(lambda: rec.typed(), what="the game window's keyboard")
        rec.clear()
        return rec

    def typed_by(self, rec, key="KP_0"):
        before = len(rec.typed())
        self.desktop.tap(key)
        time.sleep(1.0)
        return [k for _, k in rec.typed()[before:]]

    def start_program(self):  # as a player on this desktop starts it
        env = {k: self.desktop.env[k] for k in (
            "DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR", "XDG_SESSION_TYPE",
            "XDG_CURRENT_DESKTOP", "DBUS_SESSION_BUS_ADDRESS", "HOME")}
        p = Program(self.desktop, self.workdir, self.port, env)
        self.addCleanup(p.stop)
        return p

    def grant_kept(self, before=None):
        """"grant" written anew (its identity tells a later writing of the same token)."""
        def written():
            try:
                st = os.stat(os.path.join(self.workdir, GRANT))
                return st.st_size and (st.st_ino, st.st_mtime_ns) != before and (
                    st.st_ino, st.st_mtime_ns)
            except OSError:
                return None
        return wait_for(written, 30, what='the grant kept in "%s"' % GRANT)

    def test_granted_it_asks_at_start_types_and_the_next_start_asks_nothing(self):
        rec = self.game()  # a portal keyboard's keys arrive; an X client's XTest keys wait
        for down in (X.KeyPress, X.KeyRelease):
            xtest.fake_input(self.desktop.display, down, self.desktop.keycode("v"))
        self.desktop.display.sync()
        time.sleep(1.5)
        self.assertEqual(rec.typed(), [], "XTest went through the compositor")
        self.desktop.allow(APP_ID, "yes")
        first = self.start_program()
        self.grant_kept()  # asked and answered before any key was pressed
        self.focus(rec)
        self.assertEqual(self.typed_by(rec), ["v", "1", "1"])
        self.report(rec, first.proc.pid)
        first.proc.terminate()
        first.proc.wait(10)
        first_grant = self.grant_kept()

        # Without the store's grant only the kept token spares the question (nobody answers).
        self.desktop.allow(APP_ID, "no")
        self.desktop.allow("", "no")
        self.start_program()
        self.grant_kept(first_grant)
        self.focus(rec)
        self.assertEqual(self.typed_by(rec), ["v", "1", "1"], "the second start")
        self.assertEqual(self.desktop.questions(), [], "nothing asked")

    def test_refused_the_player_is_told_once_and_the_window_keeps_working(self):
        notices = os.path.join(self.desktop.dir, "notices.log")
        self.desktop.spawn(["python3", "-m", "dbusmock", "--session", "-t",
                            "notification_daemon", "-l", notices])
        wait_for(lambda: os.path.exists(notices), what="the notification service")
        p = self.start_program()
        self.desktop.refuse()
        said = wait_for(lambda: self.notices(notices), 30, what="the program's notice")
        time.sleep(1.0)
        self.assertEqual(len(self.notices(notices)), 1, said)
        self.assertIn("Allow", said[0][1], "how to allow it")
        rec = self.game()
        self.assertEqual(self.typed_by(rec), [], "nothing typed without the keyboard")
        p.wait_model("status", "ONLINE", 30)  # the window goes on as before
        self.assertIsNone(p.proc.poll())

    @staticmethod
    def report(rec, pid, idle=5.0):
        """Figures, not checks: the press to the v by the X server's clock (aim: the 100 ms key
        interval), then the program's wake-ups a second left alone (aim: none)."""
        keys = rec.typed(presses=True)
        press = [t for t, k in keys if k == "KP"][-1]
        v = next(t for t, k in keys if k == "v" and t >= press)
        time.sleep(3.0)  # past the status's blink and shrink, which follow the start
        before = wake_ups(pid)
        time.sleep(idle)
        print("\nthrough the portal: press to v %d ms; idle %.1f wake-ups/s" % (
            v - press, (wake_ups(pid) - before) / idle), flush=True)

    @staticmethod
    def notices(log):  # the program's Notify calls' (summary, body), not the desktop's
        with open(log) as f:  # time, Notify, then app, id, icon, summary, body, ...
            calls = [shlex.split(line) for line in f]
        return [c[5:7] for c in calls if c[1:2] == ["Notify"] and "Brontek" in " ".join(c[2:6])]


if __name__ == "__main__":
    unittest.main()
