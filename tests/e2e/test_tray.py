"""The program with real tray hosts on its private Xvfb: an XEmbed tray (trayer) and a
StatusNotifier host driven over a private session bus as a panel would drive it."""

import os
import re
import subprocess
import time
import unittest

from harness import E2ETest, center, wait_for

ICON = "brontek-tarnlow"  # the name Qt gives the icon's window in an XEmbed tray


class XEmbedTrayTest(E2ETest):
    def setUp(self):
        super().setUp()
        self.serve_sample_site()
        self.start_trayer()
        self.p = self.start_program()
        self.rec = self.recorder()

    def icon(self):
        return self.x.find(ICON, self.x.window_titles()["panel"][0])

    def hidden_with_icon(self):
        self.p.wait_state(lambda s: not s["model"]["mainVisible"], what="the window hidden")
        return wait_for(self.icon, what="the icon in the tray")

    def shown_without_icon(self):
        self.p.wait_state(lambda s: s["model"]["mainVisible"] and
                          self.p.window("Brontek Tarnlow"), what="the window shown")
        wait_for(lambda: not self.icon(), what="the icon gone")

    def menu(self, icon, key):
        """Opens the icon's menu with the right button and chooses by the item's letter."""
        x, y, w, h = icon
        self.x.click(x + w // 2, y + h // 2, button=3)
        self.p.wait_state(lambda s: any(w["class"] == "QMenu" for w in s["windows"]),
                          what="the icon's menu")
        time.sleep(0.2)
        self.x.tap(key)

    def test_start_show_minimize_and_exit_through_the_icon(self):
        p = self.p
        p.wait_state(lambda s: s["model"]["status"] == "ONLINE", what="ONLINE")
        self.x.click(*center(p.widget("Brontek Tarnlow", "startButton")))
        icon = self.hidden_with_icon()
        self.rec.focus()
        self.x.tap("KP_0")
        wait_for(lambda: len(self.rec.typed()) >= 3, 5, what="keys typed from the tray")
        self.assertEqual([k for _, k in self.rec.typed()], ["v", "1", "1"])

        x, y, w, h = icon
        self.x.click(x + w // 2, y + h // 2, times=2)
        self.shown_without_icon()

        self.x.iconify("Brontek Tarnlow")  # minimizing puts it away like Start
        icon = self.hidden_with_icon()
        self.menu(icon, "s")
        self.shown_without_icon()

        self.x.click(*center(p.widget("Brontek Tarnlow", "startButton")))
        icon = self.hidden_with_icon()
        self.menu(icon, "e")
        # As after the window's own Exit: the server offers news, so the news window opens.
        news = p.wait_state(lambda s: any(w["title"].startswith("Brontek news -")
                                          for w in s["windows"]), 15, what="the news window")
        window = [w for w in news["windows"] if w["title"].startswith("Brontek news -")][0]
        self.assertIsNone(p.proc.poll())
        time.sleep(0.3)
        exit_button = [c for c in p.window(window["title"])["children"]
                       if c["name"] == "exitButton"][0]
        self.x.click(*center(exit_button))
        p.ended()


class StatusNotifierTest(E2ETest):
    def setUp(self):
        super().setUp()
        out = subprocess.run(["dbus-launch", "--sh-syntax"], capture_output=True, text=True,
                             check=True).stdout
        self.bus = re.search(r"DBUS_SESSION_BUS_ADDRESS='([^']+)'", out).group(1)
        pid = int(re.search(r"DBUS_SESSION_BUS_PID=(\d+)", out).group(1))
        self.addCleanup(lambda: subprocess.run(["kill", str(pid)]))
        watcher = subprocess.Popen(["status-notifier-watcher"], env=self.env(),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: (watcher.kill(), watcher.wait()))
        wait_for(lambda: "org.kde.StatusNotifierWatcher" in self.send(
            "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
            "org.freedesktop.DBus.ListNames"), what="the watcher on the bus")
        self.send("--dest=org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                  "org.kde.StatusNotifierWatcher.RegisterStatusNotifierHost",
                  "string:org.kde.StatusNotifierHost-1")

    def env(self):
        return dict(os.environ, DBUS_SESSION_BUS_ADDRESS=self.bus, DISPLAY=self.x.name)

    def send(self, *args):
        return subprocess.run(["dbus-send", "--session", "--print-reply"] + list(args),
                              env=self.env(), capture_output=True, text=True).stdout

    def item(self):
        reply = self.send("--dest=org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                          "org.freedesktop.DBus.Properties.Get",
                          "string:org.kde.StatusNotifierWatcher",
                          "string:RegisteredStatusNotifierItems")
        names = re.findall(r'string "(:[0-9.]+)', reply)
        return names[-1] if names else None

    def test_the_item_registers_on_start_activates_and_exits_from_its_menu(self):
        p = self.start_program({"DBUS_SESSION_BUS_ADDRESS": self.bus})
        self.x.click(*center(p.widget("Brontek Tarnlow", "startButton")))
        p.wait_state(lambda s: not s["model"]["mainVisible"], what="the window hidden")
        item = wait_for(self.item, what="the item registered")
        self.send("--dest=" + item, "/StatusNotifierItem", "org.kde.StatusNotifierItem.Activate",
                  "int32:0", "int32:0")
        p.wait_state(lambda s: s["model"]["mainVisible"], what="the window shown")

        self.x.click(*center(p.widget("Brontek Tarnlow", "startButton")))
        item = wait_for(lambda: self.item() != item and self.item(), what="the item again")
        self.send("--dest=" + item, "/StatusNotifierItem",
                  "org.kde.StatusNotifierItem.ContextMenu", "int32:0", "int32:0")
        p.wait_state(lambda s: any(w["class"] == "QMenu" for w in s["windows"]),
                     what="the item's menu")
        time.sleep(0.2)
        self.x.tap("e")
        p.ended()


if __name__ == "__main__":
    unittest.main()
