#!/usr/bin/python3
"""A desktop's notification service, for the tests: on the session bus it owns
org.freedesktop.Notifications, as a desktop's does, and writes each notice it is asked to show as
a JSON line ({"app", "summary", "body"}) to the file named on its command line."""

import json
import sys

from gi.repository import Gio, GLib

INTERFACE = """
<node><interface name="org.freedesktop.Notifications">
  <method name="Notify">
    <arg type="s" direction="in"/><arg type="u" direction="in"/><arg type="s" direction="in"/>
    <arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="as" direction="in"/>
    <arg type="a{sv}" direction="in"/><arg type="i" direction="in"/><arg type="u" direction="out"/>
  </method>
  <method name="GetCapabilities"><arg type="as" direction="out"/></method>
  <method name="GetServerInformation">
    <arg type="s" direction="out"/><arg type="s" direction="out"/><arg type="s" direction="out"/>
    <arg type="s" direction="out"/>
  </method>
  <method name="CloseNotification"><arg type="u" direction="in"/></method>
</interface></node>"""


def main():
    log = sys.argv[1]
    shown = [0]
    node = Gio.DBusNodeInfo.new_for_xml(INTERFACE)

    def call(connection, sender, path, interface, method, params, invocation):
        if method == "Notify":
            app, _, _, summary, body = params.unpack()[:5]
            with open(log, "a") as f:
                f.write(json.dumps({"app": app, "summary": summary, "body": body}) + "\n")
            shown[0] += 1
            invocation.return_value(GLib.Variant("(u)", (shown[0],)))
        elif method == "GetCapabilities":
            invocation.return_value(GLib.Variant("(as)", (["body"],)))
        elif method == "GetServerInformation":
            invocation.return_value(GLib.Variant("(ssss)", ("tests", "brontek", "1", "1.2")))
        else:
            invocation.return_value(None)

    def acquired(connection, name):
        connection.register_object("/org/freedesktop/Notifications", node.interfaces[0], call,
                                   None, None)

    Gio.bus_own_name(Gio.BusType.SESSION, "org.freedesktop.Notifications",
                     Gio.BusNameOwnerFlags.NONE, acquired, None, None)
    GLib.MainLoop().run()


if __name__ == "__main__":
    main()
