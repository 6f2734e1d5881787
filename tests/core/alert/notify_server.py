"""A notification server for the desktop notice test, run inside dbus-run-session: owns
org.freedesktop.Notifications on the session bus, writes the bus address to "address", records
each Notify call in "notice.txt" and then clicks it (ActionInvoked "default", repeated for a few
seconds so a waiter that subscribes late sees it). Ends on the file "stop" or after a minute."""
import os
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

folder = sys.argv[1]
INTERFACE = "org.freedesktop.Notifications"


class Notifications(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.next_id = 7

    @dbus.service.method(INTERFACE, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        notice_id = self.next_id
        self.next_id += 1
        with open(os.path.join(folder, "notice.txt"), "w", encoding="utf-8") as out:
            out.write(f"app={app}\nsummary={summary}\nbody={body}\nactions={[str(action) for action in actions]}\n"
                      f"desktop-entry={hints.get('desktop-entry', '')}\n")
        clicks = [0]

        def click():
            self.ActionInvoked(notice_id, "default")
            clicks[0] += 1
            return clicks[0] < 50

        GLib.timeout_add(100, click)
        return notice_id

    @dbus.service.signal(INTERFACE, signature="us")
    def ActionInvoked(self, notice_id, action):
        pass


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = dbus.service.BusName(INTERFACE, bus)
server = Notifications(bus)
loop = GLib.MainLoop()
GLib.timeout_add(50, lambda: loop.quit() if os.path.exists(os.path.join(folder, "stop")) else True)
GLib.timeout_add(60000, loop.quit)
with open(os.path.join(folder, "address.tmp"), "w") as out:
    out.write(os.environ["DBUS_SESSION_BUS_ADDRESS"])
os.rename(os.path.join(folder, "address.tmp"), os.path.join(folder, "address"))
loop.run()
