"""The Linux program on KDE Plasma 6 Wayland typing through its portal (`make test-desktops`)."""

import contextlib
import os
import tempfile
import time
import unittest

from harness import ARTIFACTS, BIN, Program, Recorder, SampleSite, notices, typed_by, wait_for
from kde_session import APP_ID, KdeSession


class KdeWaylandTest(unittest.TestCase):
    def setUp(self):
        self.assertTrue(os.path.exists(BIN), "BRONTEK_BIN names no built program: %r" % BIN)
        self.desktop = KdeSession(BIN, os.path.join(ARTIFACTS, self.id().split(".")[-1]))
        self.addCleanup(self.desktop.stop)
        self.workdir = tempfile.mkdtemp(prefix="files-", dir=self.desktop.dir)
        self.site = SampleSite()  # the server the program asks
        self.addCleanup(self.site.stop)

    def game(self):  # an X11 window as a game under Wine, with the keyboard
        rec = Recorder(self.desktop, name="Game", wm_class=("codmp.exe", "Wine"), at=(100, 100))
        self.addCleanup(rec.stop)
        return self.focus(rec)

    def focus(self, rec):  # made sure of by a key: a new window of the program's takes the focus
        wait_for(rec.focus, step=0.5, what="the game window focused")
        time.sleep(0.3)
        self.desktop.tap("x")
        wait_for(lambda: rec.typed(), what="the game window's keyboard")
        rec.clear()
        return rec

    def start_program(self):  # as a player on this desktop starts it
        env = {k: self.desktop.env[k] for k in ("DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR",
               "XDG_SESSION_TYPE", "XDG_CURRENT_DESKTOP", "DBUS_SESSION_BUS_ADDRESS", "HOME")}
        p = Program(self.desktop, self.workdir, self.site.port, env)
        self.addCleanup(p.stop)
        return p

    def grant_kept(self, before=None):  # "grant" written anew: its identity tells a rewrite
        def written():
            with contextlib.suppress(OSError):
                st = os.stat(os.path.join(self.workdir, "grant"))
                identity = (st.st_ino, st.st_mtime_ns)
                return st.st_size and identity != before and identity
        return wait_for(written, 30, what='the grant kept in "grant"')

    def test_granted_it_asks_at_start_types_and_the_next_start_asks_nothing(self):
        rec = self.game()  # a portal keyboard's keys arrive; an X client's XTest keys wait
        for down in (True, False):
            self.desktop.xtest_keys(["v"], down)
        time.sleep(1.5)
        self.assertEqual(rec.typed(), [], "XTest went through the compositor")
        self.desktop.allow(APP_ID, "yes")
        first = self.start_program()
        self.grant_kept()  # asked and answered before any key was pressed
        self.focus(rec)
        self.assertEqual(typed_by(self.desktop, rec, settle=1.0), ["v", "1", "1"])
        first.proc.terminate()
        first.proc.wait(10)
        first_grant = self.grant_kept()

        self.desktop.allow(APP_ID, "no")  # only the kept token spares a question nobody answers
        self.desktop.allow("", "no")
        self.start_program()
        self.grant_kept(first_grant)
        self.focus(rec)
        self.assertEqual(typed_by(self.desktop, rec, settle=1.0), ["v", "1", "1"], "started again")
        self.assertEqual(self.desktop.questions(), [], "nothing asked")

    def test_refused_the_player_is_told_once_and_the_window_keeps_working(self):
        log = os.path.join(self.desktop.dir, "notices.log")
        self.desktop.spawn(["python3", "-m", "dbusmock", "--session", "-t",
                            "notification_daemon", "-l", log])
        wait_for(lambda: os.path.exists(log), what="the notification service")
        p = self.start_program()
        self.desktop.refuse()
        said = wait_for(lambda: notices(log, "Brontek"), 30, what="the program's notice")
        time.sleep(1.0)
        self.assertEqual(len(notices(log, "Brontek")), 1, said)
        self.assertIn("Allow", said[0][1], "how to allow it")
        self.assertEqual(typed_by(self.desktop, self.game(), settle=1.0), [],
                         "nothing typed without the keyboard")
        p.wait_model("status", "ONLINE", 30)  # the window goes on as before
        self.assertIsNone(p.proc.poll())


if __name__ == "__main__":
    unittest.main()
