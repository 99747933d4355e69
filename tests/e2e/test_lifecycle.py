"""The lifecycle with a tray, a notification service on a private bus, one copy at a time."""

import os
import shlex
import shutil
import subprocess
import time
from pathlib import Path

from harness import BIN, MAIN, NEWS, CopyScenarios, E2ETest, notices, rect, wait_for, write_binds

ICON = "brontek-tarnlow"  # the name Qt gives the icon's window in an XEmbed tray


class DesktopTest(E2ETest):  # a private session bus, trayer and python3-dbusmock's notifications
    def setUp(self):
        super().setUp()
        out = subprocess.run(["dbus-launch"], capture_output=True, text=True, check=True).stdout
        bus = dict(line.split("=", 1) for line in out.splitlines())
        self.bus = {"DBUS_SESSION_BUS_ADDRESS": bus["DBUS_SESSION_BUS_ADDRESS"]}
        self.addCleanup(subprocess.run, ["kill", bus["DBUS_SESSION_BUS_PID"]])
        self.serve("org.freedesktop.Notifications", ["/usr/bin/python3", "-m", "dbusmock",
                   "--session", "-t", "notification_daemon", "-l", self.path(".notices")])
        self.start_trayer()

    def send(self, *args):
        return subprocess.run(["dbus-send", "--session", "--print-reply", *args], text=True,
                              env=dict(os.environ, **self.bus), capture_output=True).stdout

    def serve(self, name, command):  # a service of the desktop's, once it owns its name
        self.spawn(command, self.bus)
        wait_for(lambda: name in self.send("--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                                           "org.freedesktop.DBus.ListNames"), what=name)

    def notices(self):
        return notices(self.path(".notices"))


class XEmbedTrayTest(DesktopTest):
    def menu(self, p, icon, key, picture=None):  # the icon's menu, its item picked by its letter
        self.x.click_on(icon, button=3)
        menu = wait_for(lambda: [w for w in (p.state() or {}).get("windows", [])
                                 if w["class"] == "QMenu"], what="the icon's menu")[0]
        time.sleep(0.2)
        if picture:
            panel = self.x.find("panel")
            x = min(menu["x"], panel[0])
            self.screenshot(picture, (x, 0, panel[0] + panel[2] - x, menu["y"] + menu["h"] + 8))
        self.x.tap(key)

    def test_into_the_tray_told_once_out_by_its_menu_and_exit_through_it_to_the_news(self):
        self.serve_sample_site()
        write_binds(self.workdir, 2, {3: 1, 2: 1, 5: 2, 7: 3, 6: 1, 11: 4, 10: 5, 12: 6, 18: 2})
        p = self.start_program(self.bus)
        rec = self.recorder()
        p.wait_model("status", "ONLINE")
        self.screenshot("main-window.png", rect(p.window()))  # with a player's own bindings
        icon = self.put_away(p, ICON)
        [(summary, body)] = wait_for(self.notices, what="the notice")
        self.assertEqual(summary, "Brontek Tarnlow")
        self.assertIn("double-click its icon", body)
        self.assertIn(b"tray-notice-shown = yes\r\n", self.file("options"))
        rec.focus()
        self.x.tap("KP_0")
        self.assertEqual(rec.wait(3), ["v", "1", "1"], "keys typed from the tray")
        self.menu(p, icon, "s", picture="tray-menu.png")
        p.wait_state(lambda s: s["model"]["mainVisible"] and p.window(), what="the window shown")
        wait_for(lambda: not self.x.find(ICON, self.x.window("panel")), what="the icon gone")
        window, state = self.x.window(MAIN), self.x.display.intern_atom("WM_STATE")
        window.change_property(state, state, 32, [3, 0])  # minimized, it is put away like Start
        window.unmap()
        self.x.display.sync()
        self.menu(p, self.docked_icon(p, ICON), "e")
        # As after Exit: the news window opens from the sample feed; declined, "data" is written.
        p.wait_state(lambda s: p.widget("exitButton", NEWS), 15, what="the news window")
        time.sleep(0.3)
        self.assertTrue(p.widget("newsText", NEWS)["text"].startswith("Brontek Tarnlow 1.0 is"))
        self.assertEqual(p.widget("link1", NEWS)["text"], "Call of Duty")
        self.screenshot("news-window.png", rect(p.window(NEWS)))
        self.decline_news(p)
        self.start_program(self.bus).to_tray()
        time.sleep(1.0)
        self.assertEqual(len(self.notices()), 1, "told once, not at every start")


class LoginStartTest(E2ETest):
    def test_the_box_writes_a_valid_autostart_file_that_starts_into_the_tray_with_the_binds(self):
        write_binds(self.workdir)  # Numpad 3 types v 3 4
        os.chmod(self.workdir, 0o777)
        folder = self.path(".config/autostart")
        path = os.path.join(folder, "com.brontek.tarnlow.desktop")
        os.makedirs(folder)
        older = "[Desktop Entry]\nType=Application\nName=Brontek Tarnlow\nExec=/opt/bt/brontek-tarnlow\n"
        Path(path).write_text(older)  # an older build's, since moved
        env = {"XDG_CONFIG_HOME": self.path(".config"), "HOME": self.workdir}
        # As a player (root writes into read-only folders), from a copy a player can reach.
        player = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"] \
            if os.geteuid() == 0 else []
        program = shutil.copy2(BIN, self.folder(0o755))
        p = self.start_program(env, player + [program])
        self.assertEqual(self.login_box(p), ("Start at login", False), "another program's entry")
        os.chmod(folder, 0o555)
        p.click("loginStartBox")
        self.assertIn('"Start at login" could not be turned on: Permission denied (%s).' % folder,
                      self.message_box(p))
        self.assertEqual(self.login_box(p), ("Start at login", False))
        self.assertEqual(Path(path).read_text(), older)
        os.chmod(folder, 0o777)
        self.tick_login_box(p, lambda: os.path.exists(path))
        [line] = [l for l in Path(path).read_text().splitlines() if l.startswith("Exec=")]
        check = subprocess.run(["desktop-file-validate", path], capture_output=True, text=True)
        self.assertEqual((check.returncode, check.stdout), (0, ""), check.stdout + check.stderr)
        # Exec's arguments: string escapes undone, then quoting, here read as a shell's.
        command = shlex.split(line[5:].replace("\\\\", "\\").replace("%%", "%"))
        self.assertEqual(command, [os.path.realpath(program), "--tray", "--folder", self.workdir])
        p.stop()
        self.start_trayer()  # the login: Exec run in the home folder, a tray already up
        home = self.folder(0o777)
        self.docked_icon(self.start_program(env, player + command, cwd=home, hidden=True), ICON)
        self.assertNotIn(MAIN, self.x.stacking(), "nothing over the window the player opened")
        rec = self.recorder()
        self.x.tap("KP_3")
        self.assertEqual(rec.wait(3), ["v", "3", "4"], "the player's own bindings")
        self.assertIn(b"tray-notice-shown = yes\r\n", self.file("options"))
        self.assertEqual(os.listdir(home), [], "nothing written where it was started")


class OneCopyTest(CopyScenarios, E2ETest):
    ICON = ICON

    def second_start(self, p):
        second = subprocess.run([BIN], cwd=self.workdir, env=p.env, capture_output=True,
                                text=True, timeout=20)
        self.assertIn("already running", second.stderr)
        return second.returncode
