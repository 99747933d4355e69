"""The Linux program on a Wayland desktop with a RemoteDesktop portal (fake_portal.py)."""

import json
import os
import time
from pathlib import Path

from harness import typed_by, wait_for
import test_lifecycle

FAKE_PORTAL = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fake_portal.py")


class PortalTest(test_lifecycle.DesktopTest):
    def calls(self, name):  # the fake portal's log of them
        log = Path(self.path(".portal"))
        calls = log.read_text().splitlines() if log.exists() else []
        return [c for c in map(json.loads, calls) if c["call"] == name]

    def start_on_wayland(self, answer=None, version=2):  # with the fake portal first, if answer
        if answer:
            self.serve("org.freedesktop.portal.Desktop", ["/usr/bin/python3", FAKE_PORTAL,
                       self.path(".portal"), "--answer", answer, "--version", str(version)])
        return self.start_program(dict(self.bus, WAYLAND_DISPLAY="wayland-0"))

    def test_asks_at_its_start_types_through_the_portal_and_the_next_start_asks_nothing(self):
        p = self.start_on_wayland("grant")
        rec = self.recorder()
        wait_for(lambda: self.calls("Start"), what="the question, before any press")
        self.assertEqual([c["app_id"] for c in self.calls("Register")], ["com.brontek.tarnlow"])
        [s] = self.calls("SelectDevices")
        self.assertEqual([s[k] for k in ("types", "persist_mode", "restore_token")], [1, 2, ""])
        self.assertEqual(typed_by(self.x, rec), ["v", "1", "1"])
        keys = self.calls("NotifyKeyboardKeycode")
        self.assertEqual([len(keys), sum(k["unanswered"] for k in keys)], [2 + 6, 0], "in turn")
        self.assertEqual(self.file("grant"), b"token-1\n")
        self.x.tap("KP_0", hold=0.01)  # a key choice begun while its keys come back hears none
        p.click("keyLabel3")
        p.wait_text("keyLabel3", "Press a key\u2026")  # begun, however busy the machine
        time.sleep(0.8)
        self.assertEqual(p.widget("keyLabel3")["text"], "Press a key\u2026")
        p.stop()
        self.start_on_wayland()
        wait_for(lambda: len(self.calls("Start")) == 2, what="the second start's session")
        self.assertEqual(self.calls("SelectDevices")[1]["restore_token"], "token-1")
        self.assertFalse(self.calls("Start")[1]["asked"], "the second start asks nothing")
        self.assertEqual(typed_by(self.x, rec, focus=rec.focus), ["v", "1", "1"])
        self.assertEqual(self.file("grant"), b"token-2\n")
        self.assertEqual(self.notices(), [])

    def test_a_damaged_grant_is_dropped_and_a_grant_taken_back_is_told(self):
        Path(self.path("grant")).write_text("not-a-token\n")
        self.start_on_wayland("grant")
        rec = self.recorder()
        wait_for(lambda: self.calls("Start"), what="the question, asked afresh")
        self.assertEqual([c["restore_token"] for c in self.calls("SelectDevices")],
                         ["not-a-token", ""])
        self.assertEqual(typed_by(self.x, rec), ["v", "1", "1"])
        self.assertEqual(self.file("grant"), b"token-1\n")
        self.send("--dest=org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
                  "com.brontek.test.Portal.TakeBack")
        [(_, body)] = wait_for(self.notices, what="the notice")
        self.assertIn("took back", body)
        self.assertEqual(typed_by(self.x, rec), [], "nothing typed once it is taken back")

    def test_refused_the_player_is_told_once_and_the_window_works_on(self):
        p = self.start_on_wayland("refuse")
        rec = self.recorder()
        [(summary, body)] = wait_for(self.notices, what="the notice")
        self.assertIn("answer Allow", body)
        self.assertEqual(typed_by(self.x, rec), [], "nothing typed")
        self.assertFalse(os.path.exists(self.path("grant")))
        self.start_choosing(p, 0)
        p.click("exitButton")
        p.ended()
        self.assertEqual(len(self.notices()), 1)

    def test_exit_with_the_question_open_ends_the_program_and_withdraws_it(self):
        p = self.start_on_wayland("never")
        rec = self.recorder()
        wait_for(lambda: self.calls("Start"), what="the question")
        self.assertEqual(typed_by(self.x, rec), [], "a press while it is open types nothing")
        p.click("exitButton")
        p.ended()
        wait_for(lambda: self.calls("Request.Close"), what="the question withdrawn")

    def test_a_portal_that_cannot_remember_leaves_the_keys_to_xtest(self):
        self.start_on_wayland("grant", version=1)
        self.assertEqual(typed_by(self.x, self.recorder()), ["v", "1", "1"])
        self.assertEqual(self.calls("CreateSession"), [], "nothing asked")
