"""RemoteDesktop portal typing with XTest: LOG --answer grant|refuse|never [--version N (0 none)]"""

import argparse
import itertools
import json

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib
from Xlib import X, display as xdisplay
from Xlib.ext import xtest

PATH = "/org/freedesktop/portal/desktop"
REMOTE = "org.freedesktop.portal.RemoteDesktop"
NO_ANSWER = object()


def log(call, **details):  # one JSON line for each call
    with open(args.log, "a") as f:
        f.write(json.dumps(dict(call=call, **details)) + "\n")


class Handle(dbus.service.Object):  # a Request or a Session
    @dbus.service.signal("org.freedesktop.portal.Request", signature="ua{sv}")
    def Response(self, response, results):
        pass

    @dbus.service.signal("org.freedesktop.portal.Session", signature="a{sv}")
    def Closed(self, details):
        pass

    @dbus.service.method("org.freedesktop.portal.Request", in_signature="")
    def Close(self):
        log("Request.Close")


class Portal(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.bus, self.sessions, self.issued, self.counter = bus, [], [], itertools.count(1)
        self.x, self.unanswered = xdisplay.Display(), 0

    def handle(self, kind, sender, token):
        return "%s/%s/%s/%s" % (PATH, kind, sender[1:].replace(".", "_"), token)

    def answer(self, sender, options, response, results={}):
        request = Handle(self.bus, self.handle("request", sender, options["handle_token"]))
        if response is not NO_ANSWER:
            GLib.timeout_add(10, lambda: request.Response(
                dbus.UInt32(response), dbus.Dictionary(results, signature="sv")) and False)
        return dbus.ObjectPath(request._object_path)

    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        if interface != REMOTE or args.version == 0:
            raise dbus.exceptions.DBusException(name="org.freedesktop.DBus.Error.UnknownInterface")
        return {"version": dbus.UInt32(args.version), "AvailableDeviceTypes": dbus.UInt32(7)}

    @dbus.service.method("com.brontek.test.Portal")
    def TakeBack(self):  # the desktop ends every session it gave, as a player revoking it would
        for session in self.sessions:
            session.Closed(dbus.Dictionary({}, signature="sv"))

    @dbus.service.method("org.freedesktop.host.portal.Registry", in_signature="sa{sv}")
    def Register(self, app_id, options):
        log("Register", app_id=str(app_id))

    @dbus.service.method(REMOTE, in_signature="a{sv}", out_signature="o", sender_keyword="sender")
    def CreateSession(self, options, sender=None):
        path = self.handle("session", sender, options["session_handle_token"])
        self.sessions.append(Handle(self.bus, path))
        log("CreateSession")
        return self.answer(sender, options, 0, {"session_handle": dbus.String(path)})

    @dbus.service.method(REMOTE, in_signature="oa{sv}", out_signature="o", sender_keyword="sender")
    def SelectDevices(self, session, options, sender=None):
        self.offered = str(options.get("restore_token", ""))
        log("SelectDevices", types=int(options.get("types", 0)),
            persist_mode=int(options.get("persist_mode", 0)), restore_token=self.offered)
        if self.offered and not self.offered.startswith("token-"):  # not of its own form
            raise dbus.exceptions.DBusException("Restore token is not a valid UUID string",
                                                name="org.freedesktop.portal.Error.InvalidArgument")
        return self.answer(sender, options, 0)

    @dbus.service.method(REMOTE, in_signature="osa{sv}", out_signature="o", sender_keyword="sender")
    def Start(self, session, parent, options, sender=None):
        known = self.offered in self.issued
        log("Start", asked=not known)
        if known or args.answer == "grant":  # a token it issued serves once, unasked
            self.issued = ["token-%d" % next(self.counter)]
            return self.answer(sender, options, 0, {"devices": dbus.UInt32(1),
                                                    "restore_token": self.issued[0]})
        return self.answer(sender, options, 1 if args.answer == "refuse" else NO_ANSWER)

    @dbus.service.method(REMOTE, in_signature="oa{sv}iu", async_callbacks=("done", "failed"))
    def NotifyKeyboardKeycode(self, session, options, keycode, state, done, failed):
        log("NotifyKeyboardKeycode", keycode=int(keycode), state=int(state),
            unanswered=self.unanswered)  # sent before the last was answered: KWin loses some
        xtest.fake_input(self.x, X.KeyPress if state else X.KeyRelease, int(keycode) + 8)
        self.x.sync()
        self.unanswered += 1
        GLib.timeout_add(5, lambda: setattr(self, "unanswered", self.unanswered - 1) or done())


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("log")
    parser.add_argument("--answer", choices=["grant", "refuse", "never"], default="grant")
    parser.add_argument("--version", type=int, default=2)
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    args = parser.parse_args()
    portal = Portal(dbus.SessionBus())
    name = dbus.service.BusName("org.freedesktop.portal.Desktop", portal.bus)  # noqa: F841
    GLib.MainLoop().run()
