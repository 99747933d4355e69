"""A KDE Plasma 6 Wayland session, and a portal keyboard as the test's hands; all it starts ends."""

import contextlib
import itertools
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

from gi.repository import Gio, GLib
from Xlib import display as xdisplay

from harness import Xvfb, wait_for

PORTAL, PORTAL_PATH = "org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop"
REMOTE_DESKTOP = "org.freedesktop.portal.RemoteDesktop"
STORE = "org.freedesktop.impl.portal.PermissionStore"
DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data")
APP_ID = "com.brontek.tarnlow"  # the program's desktop file's id, by which it names itself


class Bus:  # a connection of its own: the portal ties a session to it
    def __init__(self, address):
        self.conn = Gio.DBusConnection.new_for_address_sync(
            address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
            Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
        self.sender = self.conn.get_unique_name()[1:].replace(".", "_")
        self.tokens = itertools.count(1)

    def call(self, dest, path, interface, method, signature=None, args=None):
        params = GLib.Variant(signature, args) if signature else None
        return self.conn.call_sync(dest, path, interface, method, params, None,
                                   Gio.DBusCallFlags.NONE, 30000, None).unpack()

    def request(self, method, signature, args, options):  # the Response: (code, results), 0 granted
        token = "bt%d" % next(self.tokens)
        answers = []
        subscription = self.conn.signal_subscribe(
            PORTAL, "org.freedesktop.portal.Request", "Response",
            "%s/request/%s/%s" % (PORTAL_PATH, self.sender, token), None,
            Gio.DBusSignalFlags.NONE, lambda *signal: answers.append(signal[-1].unpack()))
        try:
            self.call(PORTAL, PORTAL_PATH, REMOTE_DESKTOP, method, signature,
                      tuple(args) + (dict(options, handle_token=GLib.Variant("s", token)),))
            context = GLib.MainContext.default()  # where the answer's signal is delivered

            def answered():
                while context.iteration(False):
                    pass
                return answers
            return wait_for(answered, 30, what=method + "'s answer")[0]
        finally:
            self.conn.signal_unsubscribe(subscription)


class KdeSession:  # bus, KWin with Xwayland, PipeWire, KDE's portal; "name", "display" as Xvfb's
    def __init__(self, program, logs=None):  # its logs copied there when it stops
        self.dir = tempfile.mkdtemp(prefix="bt-kde-")  # 0700, as a runtime folder must be
        self.procs, self.logs = [], logs
        self.env = dict(os.environ, HOME=self.dir, XDG_RUNTIME_DIR=self.dir,
                        XDG_CONFIG_HOME=self.dir + "/config", XDG_DATA_HOME=self.dir + "/data",
                        XDG_CACHE_HOME=self.dir + "/cache", XDG_SESSION_TYPE="wayland",
                        XDG_CURRENT_DESKTOP="KDE", WAYLAND_DISPLAY="wayland-bt",
                        PATH=self.dir + "/bin:" + os.environ["PATH"], LC_ALL="C.UTF-8")
        os.makedirs(self.dir + "/data/applications")  # a host program is named by its desktop file
        shutil.copy(os.path.join(DATA, APP_ID + ".desktop"), self.dir + "/data/applications")
        os.mkdir(self.dir + "/bin")
        os.symlink(program, self.dir + "/bin/brontek-tarnlow")
        try:
            # The services the bus starts write where it does: into the session's log.
            bus = self.spawn(["dbus-daemon", "--session", "--nofork", "--print-address"],
                             stdout=subprocess.PIPE, stderr=self.log("session"))
            self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()
            bus.stdout.close()
            # Without PipeWire's screen casting KDE's portal makes no remote control session.
            self.spawn(["pipewire"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            wait_for(lambda: os.path.exists(self.dir + "/pipewire-0"), what="PipeWire")
            said = self.dir + "/display"  # KWin runs its command once Xwayland is up: its DISPLAY
            self.spawn(["kwin_wayland", "--virtual", "--xwayland", "--socket", "wayland-bt",
                        "--width", "1280", "--height", "1024", "--no-lockscreen",
                        "--no-global-shortcuts", "sh -c 'printf %%s \"$DISPLAY\" > %s'" % said],
                       stdout=self.log("kwin"), stderr=subprocess.STDOUT)
            wait_for(lambda: os.path.exists(said) and os.path.getsize(said), 60, what="Xwayland")
            with open(said) as f:
                self.name = self.env["DISPLAY"] = f.read()
            self.display = xdisplay.Display(self.name)
            subprocess.run(["dbus-update-activation-environment", "WAYLAND_DISPLAY", "DISPLAY",
                            "XDG_CURRENT_DESKTOP=KDE", "QT_QPA_PLATFORM=wayland", "XDG_RUNTIME_DIR",
                            "HOME", "PATH", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"],
                           env=self.env, check=True)  # for the portal's services the bus starts
            self.bus = Bus(self.env["DBUS_SESSION_BUS_ADDRESS"])
            self.allow("", "yes")  # the test's hands: an unnamed host program, granted in the store
            self.hands = Bus(self.env["DBUS_SESSION_BUS_ADDRESS"])
            _, created = self.hands.request("CreateSession", "(a{sv})", (), {
                "session_handle_token": GLib.Variant("s", "bt")})
            self.session = created["session_handle"]
            self.hands.request("SelectDevices", "(oa{sv})", (self.session,),
                               {"types": GLib.Variant("u", 1)})  # the keyboard
            code, _ = self.hands.request("Start", "(osa{sv})", (self.session, ""), {})
            assert code == 0, "the portal refused the test's keyboard (%d)" % code
            self.press(42)  # left Shift: a new session's first key is spent creating its device
        except BaseException:
            self.stop()
            raise

    def log(self, name):
        return open("%s/%s.log" % (self.dir, name), "ab")

    def spawn(self, args, **kw):
        proc = subprocess.Popen(args, env=self.env, **kw)
        self.procs.append(proc)
        for stream in (kw.get("stdout"), kw.get("stderr")):
            if hasattr(stream, "fileno") and stream is not proc.stdout:
                stream.close()  # the process has its own copy
        return proc

    def allow(self, app_id, answer):  # "yes": KDE's portal grants unasked; app_id "": unnamed ones
        self.bus.call(STORE, "/org/freedesktop/impl/portal/PermissionStore", STORE, "SetPermission",
                      "(sbssas)", ("kde-authorized", True, "remote-desktop", app_id, [answer]))

    def press(self, code, hold=0.05):
        for down in (1, 0):
            self.hands.call(PORTAL, PORTAL_PATH, REMOTE_DESKTOP, "NotifyKeyboardKeycode",
                            "(oa{sv}iu)", (self.session, {}, code, down))
            time.sleep(hold)

    keycode = Xvfb.keycode  # an X keycode, as the X server harness has it
    xtest_keys = Xvfb.keys  # sent with XTest, through Xwayland

    def tap(self, name, hold=0.05):
        self.press(self.keycode(name) - 8, hold)  # evdev codes: X keycodes less 8, on any keymap

    def questions(self, path=PORTAL_PATH + "/request"):  # the request objects KDE's portal has open
        try:
            xml = self.bus.call("org.freedesktop.impl.portal.desktop.kde", path,
                                "org.freedesktop.DBus.Introspectable", "Introspect")[0]
        except GLib.Error:  # not started yet, or answered in between
            return []
        found = [path] if "org.freedesktop.impl.portal.Request" in xml else []
        return found + [q for node in re.findall(r'<node name="([^"]+)"', xml)
                        for q in self.questions(path + "/" + node)]

    def refuse(self):  # answers KDE's question "no" once it has the keyboard
        wait_for(self.questions, 30, what="KDE's question")
        for _ in range(10):  # an Escape that came before the question had the keyboard is lost
            time.sleep(0.5)
            self.tap("Escape")
            with contextlib.suppress(AssertionError):
                return wait_for(lambda: not self.questions(), 2, what="the question closed")
        raise AssertionError("KDE's question never closed")

    def stop(self):  # ends what it started and what those started, latest first
        table = processes()
        started = [d for proc in self.procs for d in [proc.pid] + descendants(proc.pid, table)]
        for sig in (signal.SIGTERM, signal.SIGKILL):
            for pid in reversed(started):
                with contextlib.suppress(ProcessLookupError):
                    os.kill(pid, sig)
            with contextlib.suppress(AssertionError):
                wait_for(lambda: not set(started) & set(processes()), 10, what="the session's end")
                break
        for proc in self.procs:
            proc.wait()
        for folder, _, names in os.walk(self.dir) if self.logs else ():
            for name in (n for n in names if n.endswith(".log")):
                os.makedirs(self.logs, exist_ok=True)
                shutil.copy(os.path.join(folder, name), self.logs)
        shutil.rmtree(self.dir, True)


def processes():  # each running process's parent (not a zombie's: it has ended)
    table = {}
    for entry in filter(str.isdigit, os.listdir("/proc")):
        with contextlib.suppress(OSError, ValueError), open("/proc/%s/stat" % entry) as f:
            state, parent = f.read().rsplit(")", 1)[1].split()[:2]
            if state != "Z":
                table[int(entry)] = int(parent)
    return table


def descendants(pid, table):
    return [d for c, parent in table.items() if parent == pid for d in [c] + descendants(c, table)]
