#!/usr/bin/python3
"""A desktop portal backend for the tests.

Serves GlobalShortcuts, ScreenCast, Screenshot (with PickColor) and Access
behind the real xdg-desktop-portal, the way a desktop's own backend does, and
lets the tests steer it and read what it was asked through
org.huebird.PortalTest at /org/huebird/PortalTest.

Prints "ready" on standard output once its bus name is taken.
"""
import json
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

BUS_NAME = "org.freedesktop.impl.portal.desktop.huebirdtest"
PATH = "/org/freedesktop/portal/desktop"
SHORTCUTS = "org.freedesktop.impl.portal.GlobalShortcuts"
SCREENCAST = "org.freedesktop.impl.portal.ScreenCast"
SCREENSHOT = "org.freedesktop.impl.portal.Screenshot"
ACCESS = "org.freedesktop.impl.portal.Access"
SESSION = "org.freedesktop.impl.portal.Session"
CONTROL = "org.huebird.PortalTest"

# What the consent of a screen cast is kept as; the portal turns it into a token.
RESTORE_DATA = ("huebird-test", dbus.UInt32(1), "screen-1")

PROPERTIES = {
    SHORTCUTS: {"version": dbus.UInt32(1)},
    SCREENCAST: {
        "version": dbus.UInt32(4),
        "AvailableSourceTypes": dbus.UInt32(1),  # monitors
        "AvailableCursorModes": dbus.UInt32(1 | 2 | 4),  # hidden, embedded, metadata
    },
    SCREENSHOT: {"version": dbus.UInt32(2)},
    ACCESS: {"version": dbus.UInt32(1)},
}


def plain(value):
    """D-Bus values as JSON-friendly Python values."""
    if isinstance(value, (dbus.Dictionary, dict)):
        return {str(k): plain(v) for k, v in value.items()}
    if isinstance(value, (dbus.Array, dbus.Struct, list, tuple)):
        return [plain(v) for v in value]
    if isinstance(value, (dbus.Boolean, bool)):
        return bool(value)
    if isinstance(value, (int, dbus.UInt32, dbus.Int32, dbus.UInt64)):
        return int(value)
    if isinstance(value, (float, dbus.Double)):
        return float(value)
    return str(value)


class Session(dbus.service.Object):
    def __init__(self, backend, path, kind):
        super().__init__(backend.bus, path)
        self.backend = backend
        self.path = path
        self.kind = kind
        self.shortcuts = {}  # id -> preferred trigger
        self.options = {}
        backend.sessions[path] = self

    @dbus.service.method(SESSION, in_signature="", out_signature="")
    def Close(self):
        self.backend.record("closed", kind=self.kind, session=self.path)
        self.backend.sessions.pop(self.path, None)
        self.remove_from_connection()

    @dbus.service.signal(SESSION, signature="")
    def Closed(self):
        pass


class ShortcutsPart:
    @dbus.service.method(SHORTCUTS, in_signature="oosa{sv}", out_signature="ua{sv}")
    def CreateSession(self, handle, session_handle, app_id, options):
        Session(self, str(session_handle), "shortcuts")
        self.record("shortcuts-session", session=str(session_handle))
        # The portal of Debian 12 forwards this key as it is and fails without it.
        return dbus.UInt32(0), {"shortcuts": dbus.Array([], signature="(sa{sv})")}

    @dbus.service.method(SHORTCUTS, in_signature="ooa(sa{sv})sa{sv}", out_signature="ua{sv}")
    def BindShortcuts(self, handle, session_handle, shortcuts, parent_window, options):
        session = self.sessions.get(str(session_handle))
        asked = [(str(i), str(p.get("preferred_trigger", ""))) for i, p in shortcuts]
        self.record("bind", session=str(session_handle), shortcuts=asked)
        if session is None or self.shortcut_answer == "refuse":
            return dbus.UInt32(2), {}
        answered = []
        for shortcut_id, trigger in asked:
            if self.shortcut_answer == "leave-out":
                continue
            session.shortcuts[shortcut_id] = trigger
            answered.append((shortcut_id, {"description": "", "trigger_description": trigger}))
        return dbus.UInt32(0), {"shortcuts": dbus.Array(answered, signature="(sa{sv})")}

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session_handle, shortcut_id, timestamp, options):
        pass


class ScreenCastPart:
    @dbus.service.method(SCREENCAST, in_signature="oosa{sv}", out_signature="ua{sv}")
    def CreateSession(self, handle, session_handle, app_id, options):
        Session(self, str(session_handle), "screencast")
        return dbus.UInt32(0), {}

    @dbus.service.method(SCREENCAST, in_signature="oosa{sv}", out_signature="ua{sv}")
    def SelectSources(self, handle, session_handle, app_id, options):
        session = self.sessions.get(str(session_handle))
        if session is None:
            return dbus.UInt32(2), {}
        session.options = plain(options)
        self.record("select-sources", options=session.options)
        return dbus.UInt32(0), {}

    @dbus.service.method(SCREENCAST, in_signature="oossa{sv}", out_signature="ua{sv}")
    def Start(self, handle, session_handle, app_id, parent_window, options):
        session = self.sessions.get(str(session_handle))
        if session is None or self.node_id is None:
            return dbus.UInt32(2), {}
        restored = session.options.get("restore_data") == list(plain(RESTORE_DATA))
        # A desktop asks the user unless an earlier consent is restored.
        self.record("start", consent_asked=not restored)
        stream = (dbus.UInt32(self.node_id),
                  {"position": dbus.Struct((0, 0), signature="ii"),
                   "size": dbus.Struct(self.stream_size, signature="ii"),
                   "source_type": dbus.UInt32(1)})
        results = {"streams": dbus.Array([stream], signature="(ua{sv})")}
        persist = int(session.options.get("persist_mode", 0))
        if persist:
            results["persist_mode"] = dbus.UInt32(persist)
            results["restore_data"] = dbus.Struct(RESTORE_DATA[:2] + (dbus.String(RESTORE_DATA[2], variant_level=1),), signature="suv")
        return dbus.UInt32(0), results


class ScreenshotPart:
    @dbus.service.method(SCREENSHOT, in_signature="ossa{sv}", out_signature="ua{sv}")
    def Screenshot(self, handle, app_id, parent_window, options):
        self.record("screenshot", options=plain(options))
        if not self.screenshot_path:
            return dbus.UInt32(2), {}
        return dbus.UInt32(0), {"uri": "file://" + self.screenshot_path}

    @dbus.service.method(SCREENSHOT, in_signature="ossa{sv}", out_signature="ua{sv}")
    def PickColor(self, handle, app_id, parent_window, options):
        self.record("pick-color")
        if self.pick_color is None:
            return dbus.UInt32(1), {}
        return dbus.UInt32(0), {"color": dbus.Struct(self.pick_color, signature="ddd")}

    @dbus.service.method(ACCESS, in_signature="osssssa{sv}", out_signature="ua{sv}")
    def AccessDialog(self, handle, app_id, parent_window, title, subtitle, body, options):
        self.record("access")
        return dbus.UInt32(0), {}


class Backend(ShortcutsPart, ScreenCastPart, ScreenshotPart, dbus.service.Object):
    def __init__(self, bus):
        dbus.service.Object.__init__(self, bus, PATH)
        self.bus = bus
        self.sessions = {}
        self.events = []
        self.shortcut_answer = "accept"
        self.node_id = None
        self.stream_size = (0, 0)
        self.screenshot_path = ""
        self.pick_color = None

    def record(self, event, **details):
        details["event"] = event
        self.events.append(details)

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        try:
            return PROPERTIES[interface][name]
        except KeyError:
            raise dbus.exceptions.DBusException("no such property",
                                                name="org.freedesktop.DBus.Error.UnknownProperty")

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return dbus.Dictionary(PROPERTIES.get(interface, {}), signature="sv")


class Control(dbus.service.Object):
    def __init__(self, bus, backend):
        super().__init__(bus, "/org/huebird/PortalTest")
        self.backend = backend

    @dbus.service.method(CONTROL, in_signature="s", out_signature="")
    def SetShortcutAnswer(self, answer):
        """accept, refuse (the whole binding), or leave-out (bound, but none kept)."""
        self.backend.shortcut_answer = str(answer)

    @dbus.service.method(CONTROL, in_signature="s", out_signature="u")
    def Press(self, trigger):
        """Emits Activated for every open binding of the trigger; returns how many."""
        count = 0
        for session in list(self.backend.sessions.values()):
            for shortcut_id, bound in session.shortcuts.items():
                if bound == trigger:
                    now = GLib.get_real_time()
                    self.backend.Activated(dbus.ObjectPath(session.path), shortcut_id, dbus.UInt64(now), {})
                    count += 1
        return dbus.UInt32(count)

    @dbus.service.method(CONTROL, in_signature="s", out_signature="")
    def EndSessions(self, kind):
        """The desktop ends every session of the kind (shortcuts, screencast)."""
        for session in list(self.backend.sessions.values()):
            if session.kind == kind:
                session.Closed()
                self.backend.sessions.pop(session.path, None)
                session.remove_from_connection()

    @dbus.service.method(CONTROL, in_signature="uii", out_signature="")
    def SetStream(self, node_id, width, height):
        self.backend.node_id = int(node_id)
        self.backend.stream_size = (int(width), int(height))

    @dbus.service.method(CONTROL, in_signature="s", out_signature="")
    def SetScreenshot(self, path):
        self.backend.screenshot_path = str(path)

    @dbus.service.method(CONTROL, in_signature="bddd", out_signature="")
    def SetPickedColor(self, picked, red, green, blue):
        self.backend.pick_color = (float(red), float(green), float(blue)) if picked else None

    @dbus.service.method(CONTROL, in_signature="", out_signature="s")
    def Events(self):
        """Everything asked so far, as JSON; then forgets it."""
        events, self.backend.events = self.backend.events, []
        return json.dumps(events)


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    backend = Backend(bus)
    Control(bus, backend)
    name = dbus.service.BusName(BUS_NAME, bus, do_not_queue=True)
    print("ready", flush=True)
    loop = GLib.MainLoop()
    try:
        loop.run()
    finally:
        del name


if __name__ == "__main__":
    sys.exit(main())
