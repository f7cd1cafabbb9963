#!/usr/bin/python3
"""A minimal StatusNotifierWatcher for the desktop tests, which is also the
host: it keeps the bus names of the registered items in a file, one a line,
and drops an item when its name leaves the bus.
    sni-watcher.py ITEMS_FILE"""
import os
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"
# Qt reads the properties through an interface built from the introspection.
INTROSPECTION = f"""<node><interface name="{WATCHER}">
<method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
<property name="RegisteredStatusNotifierItems" type="as" access="read"/>
<property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
<property name="ProtocolVersion" type="i" access="read"/>
</interface></node>"""


class Watcher(dbus.service.Object):
    def __init__(self, bus, items_file):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.items_file = items_file
        self.items = []
        bus.add_signal_receiver(self.owner_changed, "NameOwnerChanged", "org.freedesktop.DBus")
        self.save()

    def save(self):
        with open(self.items_file + ".new", "w") as out:
            out.writelines(item + "\n" for item in self.items)
        os.replace(self.items_file + ".new", self.items_file)

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender):
        # An item gives its bus name, or only its object path on its sender.
        name = sender if service.startswith("/") else service
        if name not in self.items:
            self.items.append(name)
            self.save()

    def owner_changed(self, name, _old, new):
        if not new and name in self.items:
            self.items.remove(name)
            self.save()

    @dbus.service.method(dbus.INTROSPECTABLE_IFACE, out_signature="s")
    def Introspect(self):
        return INTROSPECTION

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, prop):
        return self.GetAll(interface)[prop]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, _interface):
        return {"RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                "IsStatusNotifierHostRegistered": True,
                "ProtocolVersion": dbus.Int32(0)}


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus, sys.argv[1])
    name = dbus.service.BusName(WATCHER, bus)
    GLib.MainLoop().run()
    del watcher, name


if __name__ == "__main__":
    main()
