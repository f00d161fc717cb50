#!/usr/bin/env python3
"""A desktop portal's file chooser on the check's own session bus: it answers
OpenFile and SaveFile with the file given on the command line, as a user
picking it in the desktop's dialog would, and writes the options each call
brought (one JSON object per line) to the log.
    fake_portal.py CHOSEN_FILE LOG
"""
import json
import sys

from gi.repository import Gio, GLib

CHOSEN, LOG = sys.argv[1], sys.argv[2]

XML = """
<node>
  <interface name="org.freedesktop.portal.FileChooser">
    <method name="OpenFile">
      <arg type="s" name="parent_window" direction="in"/>
      <arg type="s" name="title" direction="in"/>
      <arg type="a{sv}" name="options" direction="in"/>
      <arg type="o" name="handle" direction="out"/>
    </method>
    <method name="SaveFile">
      <arg type="s" name="parent_window" direction="in"/>
      <arg type="s" name="title" direction="in"/>
      <arg type="a{sv}" name="options" direction="in"/>
      <arg type="o" name="handle" direction="out"/>
    </method>
    <property name="version" type="u" access="read"/>
  </interface>
</node>
"""


def plain(value):
    """GVariant contents as JSON: byte strings as text without their NUL."""
    if isinstance(value, (bytes, bytearray)):
        return bytes(value).rstrip(b"\0").decode("utf-8", "replace")
    if isinstance(value, (list, tuple)):
        if value and all(isinstance(v, int) for v in value) and len(value) > 1:
            return bytes(value).rstrip(b"\0").decode("utf-8", "replace")
        return [plain(v) for v in value]
    if isinstance(value, dict):
        return {k: plain(v) for k, v in value.items()}
    return value


def on_call(connection, sender, path, interface, method, params, invocation):
    parent, title, options = params.unpack()
    with open(LOG, "a", encoding="utf-8") as log:
        log.write(json.dumps({"method": method, "parent": parent, "title": title,
                              "options": plain(options)}, ensure_ascii=False) + "\n")
    token = options.get("handle_token", "t")
    handle = "/org/freedesktop/portal/desktop/request/%s/%s" % (
        sender[1:].replace(".", "_"), token)
    invocation.return_value(GLib.Variant("(o)", (handle,)))

    def answer():
        results = {"uris": GLib.Variant("as", [Gio.File.new_for_path(CHOSEN).get_uri()])}
        connection.emit_signal(sender, handle, "org.freedesktop.portal.Request", "Response",
                               GLib.Variant("(ua{sv})", (0, results)))
        return False

    GLib.timeout_add(100, answer)


def on_property(connection, sender, path, interface, name):
    return GLib.Variant("u", 3)


def on_bus(connection, name):
    info = Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0]
    connection.register_object("/org/freedesktop/portal/desktop", info, on_call, on_property, None)


def on_name(connection, name):
    print("ready", flush=True)


Gio.bus_own_name(Gio.BusType.SESSION, "org.freedesktop.portal.Desktop", Gio.BusNameOwnerFlags.NONE,
                 on_bus, on_name, lambda c, n: sys.exit(1))
GLib.MainLoop().run()
