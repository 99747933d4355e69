"""A desktop's RemoteDesktop portal for the end-to-end tests, on a private session bus: it answers
as xdg-desktop-portal does (a Request object per call, its Response signal, a Session), asks no one,
and types what it is told with XTest on the X display, as a compositor hands keys to Xwayland as a
real keyboard's. Every call is written as one JSON line to the log.

    fake_portal.py LOG --answer grant|refuse|never [--version N]

grant: Start grants the keyboard and hands out a restore token; a token it handed out before is
taken without asking (the log says so). refuse: the player says no. never: the question stays open.
Version 0 has no RemoteDesktop at all.
"""

import argparse
import itertools
import json

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib
from Xlib import X, display as xdisplay
from Xlib.ext import xtest

BUS_NAME = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
REMOTE = "org.freedesktop.portal.RemoteDesktop"


class Request(dbus.service.Object):
    def __init__(self, bus, path, log):
        super().__init__(bus, path)
        self.log = log

    @dbus.service.signal("org.freedesktop.portal.Request", signature="ua{sv}")
    def Response(self, response, results):
        pass

    @dbus.service.method("org.freedesktop.portal.Request")
    def Close(self):
        self.log("Request.Close")
        self.remove_from_connection()


class Session(dbus.service.Object):
    def __init__(self, bus, path, log):
        super().__init__(bus, path)
        self.log = log

    @dbus.service.signal("org.freedesktop.portal.Session", signature="a{sv}")
    def Closed(self, details):
        pass

    @dbus.service.method("org.freedesktop.portal.Session")
    def Close(self):
        self.log("Session.Close")


class Portal(dbus.service.Object):
    def __init__(self, bus, args):
        super().__init__(bus, PATH)
        self.bus = bus
        self.args = args
        self.sessions = {}
        self.issued = self.read_tokens()
        self.counter = itertools.count(self.handed_out() + 1)
        self.x = xdisplay.Display()

    def log(self, call, **details):
        with open(self.args.log, "a") as f:
            f.write(json.dumps(dict(call=call, **details)) + "\n")

    def read_tokens(self):
        try:
            with open(self.args.log + ".tokens") as f:
                return f.read().split()
        except OSError:
            return []

    def handed_out(self):  # how many tokens earlier runs handed out
        try:
            with open(self.args.log + ".count") as f:
                return int(f.read())
        except (OSError, ValueError):
            return 0

    def answer(self, sender, options, response, results, delay_ms=10):
        token = str(options.get("handle_token", "t"))
        path = "/org/freedesktop/portal/desktop/request/%s/%s" % (
            sender[1:].replace(".", "_"), token)
        request = Request(self.bus, path, self.log)
        if response is not None:
            GLib.timeout_add(delay_ms, lambda: request.Response(
                dbus.UInt32(response), dbus.Dictionary(results, signature="sv")) and False)
        return dbus.ObjectPath(path)

    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="s",
                         out_signature="a{sv}")
    def GetAll(self, interface):
        self.log("GetAll", interface=str(interface))
        if interface != REMOTE or self.args.version == 0:
            raise dbus.exceptions.DBusException(
                "no such interface", name="org.freedesktop.DBus.Error.UnknownInterface")
        return {"version": dbus.UInt32(self.args.version),
                "AvailableDeviceTypes": dbus.UInt32(7)}

    @dbus.service.method("com.brontek.test.Portal")
    def TakeBack(self):
        """The desktop ends every session it gave, as the player revoking it would."""
        for session in self.sessions.values():
            session.Closed(dbus.Dictionary({}, signature="sv"))

    @dbus.service.method("org.freedesktop.host.portal.Registry", in_signature="sa{sv}",
                         sender_keyword="sender")
    def Register(self, app_id, options, sender=None):
        self.log("Register", app_id=str(app_id))

    @dbus.service.method(REMOTE, in_signature="a{sv}", out_signature="o",
                         sender_keyword="sender")
    def CreateSession(self, options, sender=None):
        path = "/org/freedesktop/portal/desktop/session/%s/%s" % (
            sender[1:].replace(".", "_"), options.get("session_handle_token", "s"))
        self.sessions[path] = Session(self.bus, path, self.log)
        self.log("CreateSession")
        return self.answer(sender, options, 0, {"session_handle": dbus.String(path)})

    @dbus.service.method(REMOTE, in_signature="oa{sv}", out_signature="o",
                         sender_keyword="sender")
    def SelectDevices(self, session, options, sender=None):
        self.offered = str(options.get("restore_token", ""))
        self.log("SelectDevices", types=int(options.get("types", 0)),
                 persist_mode=int(options.get("persist_mode", 0)), restore_token=self.offered)
        # As xdg-desktop-portal, a token not of its own form is refused outright.
        if self.offered and not self.offered.startswith("token-"):
            raise dbus.exceptions.DBusException(
                "Restore token is not a valid UUID string",
                name="org.freedesktop.portal.Error.InvalidArgument")
        return self.answer(sender, options, 0, {})

    @dbus.service.method(REMOTE, in_signature="osa{sv}", out_signature="o",
                         sender_keyword="sender")
    def Start(self, session, parent, options, sender=None):
        # A token serves once, as the portal's do.
        known = self.offered in self.issued
        if known:
            self.issued.remove(self.offered)
        self.log("Start", asked=not known)
        if known or self.args.answer == "grant":
            number = next(self.counter)
            token = "token-%d" % number
            self.issued.append(token)
            with open(self.args.log + ".tokens", "w") as f:
                f.write("\n".join(self.issued))
            with open(self.args.log + ".count", "w") as f:
                f.write(str(number))
            return self.answer(sender, options, 0, {"devices": dbus.UInt32(1),
                                                    "restore_token": dbus.String(token)})
        return self.answer(sender, options, 1 if self.args.answer == "refuse" else None, {})

    @dbus.service.method(REMOTE, in_signature="oa{sv}iu")
    def NotifyKeyboardKeycode(self, session, options, keycode, state):
        self.log("NotifyKeyboardKeycode", keycode=int(keycode), state=int(state))
        self.type(int(keycode) + 8, state)

    @dbus.service.method(REMOTE, in_signature="oa{sv}iu")
    def NotifyKeyboardKeysym(self, session, options, keysym, state):
        self.log("NotifyKeyboardKeysym", keysym=int(keysym), state=int(state))
        self.type(self.x.keysym_to_keycode(int(keysym)), state)

    def type(self, keycode, state):
        xtest.fake_input(self.x, X.KeyPress if state else X.KeyRelease, keycode)
        self.x.sync()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("log")
    parser.add_argument("--answer", choices=["grant", "refuse", "never"], default="grant")
    parser.add_argument("--version", type=int, default=2)
    args = parser.parse_args()
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    Portal(bus, args)
    name = dbus.service.BusName(BUS_NAME, bus)  # noqa: F841 (held while the loop runs)
    GLib.MainLoop().run()


if __name__ == "__main__":
    main()
