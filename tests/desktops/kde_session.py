"""A KDE Plasma 6 Wayland session of its own, as a player's desktop has it: a session bus, KWin on a
virtual screen with Xwayland, the desktop portal with KDE's back end and its permission store, and
a keyboard whose keys reach the session as a real one's (a RemoteDesktop session of the portal's).
Every process started here is ended by its id."""

import itertools
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

from gi.repository import Gio, GLib
from Xlib import XK, display as xdisplay

from harness import wait_for

PORTAL = "org.freedesktop.portal.Desktop"
PORTAL_PATH = "/org/freedesktop/portal/desktop"
STORE = "org.freedesktop.impl.portal.PermissionStore"
KDE_PORTAL = "org.freedesktop.impl.portal.desktop.kde"
DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data")
APP_ID = "com.brontek.tarnlow"  # the program's desktop file's id, by which it names itself
KEYBOARD = 1  # the portal's device type
LEFT_SHIFT = 42  # evdev key codes are X keycodes less 8 on every evdev keymap


def pump():
    """Delivers the signals that came in: the portal answers a request with one."""
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


class Bus:
    """A connection of its own to the session's bus: the portal ties a session, and a host
    program's registered name, to the connection that made it."""

    def __init__(self, address):
        self.conn = Gio.DBusConnection.new_for_address_sync(
            address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
            Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
        self.sender = self.conn.get_unique_name()[1:].replace(".", "_")
        self.tokens = itertools.count(1)

    def call(self, dest, path, interface, method, signature=None, args=None, timeout=30):
        params = GLib.Variant(signature, args) if signature else None
        reply = self.conn.call_sync(dest, path, interface, method, params, None,
                                    Gio.DBusCallFlags.NONE, int(timeout * 1000), None)
        return reply.unpack() if reply else None

    def request(self, method, signature, args, options, timeout=30):
        """A portal call answered by its Request's Response: (code, results); 0 is granted,
        1 refused, 2 failed."""
        token = "bt%d" % next(self.tokens)
        path = "%s/request/%s/%s" % (PORTAL_PATH, self.sender, token)
        answers = []
        subscription = self.conn.signal_subscribe(
            PORTAL, "org.freedesktop.portal.Request", "Response", path, None,
            Gio.DBusSignalFlags.NONE, lambda *signal: answers.append(signal[-1].unpack()))
        try:
            options = dict(options, handle_token=GLib.Variant("s", token))
            self.call(PORTAL, PORTAL_PATH, "org.freedesktop.portal.RemoteDesktop", method,
                      signature, tuple(args) + (options,))
            return wait_for(lambda: pump() or answers, timeout, what=method + "'s answer")[0]
        finally:
            self.conn.signal_unsubscribe(subscription)

    def close(self):
        self.conn.close_sync(None)


class PortalKeyboard:
    """Keys pressed as a keyboard's through a RemoteDesktop session of the portal's: the
    compositor hands them to the focused window, and to Xwayland's clients as a real device's."""

    def __init__(self, bus, app_id=None):
        self.bus = Bus(bus)
        if app_id:
            self.bus.call(PORTAL, PORTAL_PATH, "org.freedesktop.host.portal.Registry",
                          "Register", "(sa{sv})", (app_id, {}))
        _, created = self.bus.request("CreateSession", "(a{sv})", (), {
            "session_handle_token": GLib.Variant("s", "bt")})
        self.session = created["session_handle"]
        self.bus.request("SelectDevices", "(oa{sv})", (self.session,),
                         {"types": GLib.Variant("u", KEYBOARD)})
        self.code, self.results = None, None

    def start(self, timeout=30):
        """Asks for the keyboard: (code, results), as the desktop answered."""
        self.code, self.results = self.bus.request("Start", "(osa{sv})", (self.session, ""),
                                                   {}, timeout)
        if self.code == 0:
            self.tap(LEFT_SHIFT)  # a new session's first key is spent creating its device
        return self.code, self.results

    def key(self, code, down):
        self.bus.call(PORTAL, PORTAL_PATH, "org.freedesktop.portal.RemoteDesktop",
                      "NotifyKeyboardKeycode", "(oa{sv}iu)", (self.session, {}, code, int(down)))

    def tap(self, code, hold=0.05):
        self.key(code, True)
        time.sleep(hold)
        self.key(code, False)
        time.sleep(0.05)

    def close(self):
        self.bus.close()


class KdeSession:
    """The desktop, ready once KWin's Xwayland answers; "name" is its X display, "display" a
    connection to it, so the end-to-end harness's recorder and program run on it unchanged."""

    def __init__(self, program):
        self.dir = tempfile.mkdtemp(prefix="bt-kde-")  # 0700: the runtime folder's rule
        self.procs = []
        self.env = dict(os.environ, HOME=self.dir, XDG_RUNTIME_DIR=self.dir,
                        XDG_CONFIG_HOME=os.path.join(self.dir, "config"),
                        XDG_DATA_HOME=os.path.join(self.dir, "data"),
                        XDG_CACHE_HOME=os.path.join(self.dir, "cache"),
                        XDG_SESSION_TYPE="wayland", XDG_CURRENT_DESKTOP="KDE",
                        WAYLAND_DISPLAY="wayland-bt", LC_ALL="C.UTF-8")
        for name in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "QT_QPA_PLATFORM"):
            self.env.pop(name, None)
        # The program installed as its package installs it: the portal lets a host program name
        # itself only by a desktop file whose command it finds.
        applications = os.path.join(self.env["XDG_DATA_HOME"], "applications")
        os.makedirs(applications)
        shutil.copy(os.path.join(DATA, APP_ID + ".desktop"), applications)
        os.mkdir(os.path.join(self.dir, "bin"))
        os.symlink(program, os.path.join(self.dir, "bin", "brontek-tarnlow"))
        self.env["PATH"] = os.path.join(self.dir, "bin") + ":" + self.env["PATH"]
        try:
            self._start()
        except BaseException:
            self.stop()
            raise

    def _start(self):
        # The services the bus starts write to its output: into the session's log.
        bus = self.spawn(["dbus-daemon", "--session", "--nofork", "--print-address"],
                         stdout=subprocess.PIPE, stderr=self.log("session"))
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()
        bus.stdout.close()
        # KWin offers screen casting, which KDE's portal needs for a remote control session, only
        # with PipeWire there.
        self.spawn(["pipewire"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: os.path.exists(os.path.join(self.dir, "pipewire-0")), what="PipeWire")
        # KWin starts the command after it once Xwayland is up, with DISPLAY set to it.
        said = os.path.join(self.dir, "display")
        self.kwin = self.spawn(
            ["kwin_wayland", "--virtual", "--xwayland", "--socket", "wayland-bt", "--width",
             "1280", "--height", "1024", "--no-lockscreen", "--no-global-shortcuts",
             "sh -c 'printf %%s \"$DISPLAY\" > %s'" % said],
            stdout=self.log("kwin"), stderr=subprocess.STDOUT)
        wait_for(lambda: os.path.getsize(said) if os.path.exists(said) else 0, 60,
                 what="KWin and its Xwayland")
        with open(said) as f:
            self.name = f.read()
        self.env["DISPLAY"] = self.name
        self.display = wait_for(self._connect, what="Xwayland")
        # The portal's services start from the bus, with the session's environment.
        subprocess.run(["dbus-update-activation-environment", "WAYLAND_DISPLAY", "DISPLAY",
                        "XDG_CURRENT_DESKTOP=KDE", "QT_QPA_PLATFORM=wayland", "XDG_RUNTIME_DIR",
                        "HOME", "PATH", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"],
                       env=self.env, check=True)
        self.store = Bus(self.env["DBUS_SESSION_BUS_ADDRESS"])

    def _connect(self):
        try:
            return xdisplay.Display(self.name)
        except Exception:
            return None

    def log(self, name):
        return open(os.path.join(self.dir, name + ".log"), "ab")

    def spawn(self, args, **kw):
        proc = subprocess.Popen(args, env=self.env, **kw)
        self.procs.append(proc)
        for stream in (kw.get("stdout"), kw.get("stderr")):
            if hasattr(stream, "fileno") and stream is not proc.stdout:
                stream.close()  # the process has its own copy
        return proc

    def allow(self, app_id, answer):
        """KDE's portal grants a program named in the store with "yes" without asking; with any
        other entry, or none, it asks the player. "" stands for host programs that name
        themselves to nobody."""
        self.store.call(STORE, "/org/freedesktop/impl/portal/PermissionStore", STORE,
                        "SetPermission", "(sbssas)",
                        ("kde-authorized", True, "remote-desktop", app_id, [answer]))

    def keyboard(self, app_id=None):
        """A portal keyboard, granted: the test's own hands on the desktop."""
        keyboard = PortalKeyboard(self.env["DBUS_SESSION_BUS_ADDRESS"], app_id)
        code, _ = keyboard.start()
        assert code == 0, "the portal refused the test's keyboard (%d)" % code
        self.hands = keyboard
        return keyboard

    def questions(self, path="/org/freedesktop/portal/desktop/request"):
        """The questions KDE's portal has open: each is a request object of its back end's."""
        try:
            xml = self.store.call(KDE_PORTAL, path, "org.freedesktop.DBus.Introspectable",
                                  "Introspect")[0]
        except GLib.Error:  # not started yet, or the request answered in between
            return []
        found = [path] if "org.freedesktop.impl.portal.Request" in xml else []
        for node in re.findall(r'<node name="([^"]+)"', xml):
            found += self.questions(path + "/" + node)
        return found

    def refuse(self):
        """The player answers KDE's question, open over the desktop with the keyboard, "no"."""
        wait_for(self.questions, 30, what="KDE's question")
        time.sleep(0.5)  # drawn and given the keyboard
        self.tap("Escape")
        wait_for(lambda: not self.questions(), what="the question closed")

    def keycode(self, name):  # an X keycode, as in the X server harness
        return self.display.keysym_to_keycode(XK.string_to_keysym(name))

    def tap(self, name, hold=0.05):
        self.hands.tap(self.keycode(name) - 8, hold)

    def stop(self):
        # What the test started, and what they started in turn (Xwayland, the services the bus
        # started for the session), the latest first.
        started = []
        for proc in self.procs:
            started += [proc.pid] + descendants(proc.pid)
        for pid in reversed(started):
            signal_pid(pid, signal.SIGTERM)
        try:
            wait_for(lambda: not any(alive(pid) for pid in started), 10, what="the session ended")
        finally:
            for pid in started:
                signal_pid(pid, signal.SIGKILL)
            for proc in self.procs:
                proc.wait()
            shutil.rmtree(self.dir, True)


def parent_of(pid):
    try:
        with open("/proc/%d/stat" % pid) as f:
            return int(f.read().rsplit(")", 1)[1].split()[1])
    except (OSError, ValueError, IndexError):
        return None


def descendants(pid):
    pids = [int(e) for e in os.listdir("/proc") if e.isdigit()]
    children = [p for p in pids if parent_of(p) == pid]
    return [d for c in children for d in [c] + descendants(c)]


def alive(pid):  # a zombie has ended: its parent collects it
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


def signal_pid(pid, sig):
    try:
        os.kill(pid, sig)
    except ProcessLookupError:
        pass
