# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the game's board the way a screen reader does: over the
accessibility bus of the D-Bus session in DBUS_SESSION_BUS_ADDRESS.

  at_spi_reader.py grid             -> the board, a row a line: '0'-'4' by the
                                       cell's colour word, '.' for Empty
  at_spi_reader.py focus            -> "COLUMN ROW" of the focused cell
  at_spi_reader.py labels           -> the names of the labels, a line each
  at_spi_reader.py told CMD ARG...  -> runs the command, then prints the names
                                       of the objects told renamed within 3 s,
                                       and "ROLE: NAME" of those told shown
  at_spi_reader.py tree             -> "ROLE|NAME|SHORTCUT" of every object
  at_spi_reader.py table NAME       -> the cells of the table NAME, a row a
                                       line, "|" between cells
Exits 1 when the game's board is not found within 20 s.
"""
import subprocess
import sys
import time

import dbus
import dbus.mainloop.glib
from gi.repository import GLib

ACCESSIBLE = "org.a11y.atspi.Accessible"
ACTION = "org.a11y.atspi.Action"
TABLE = "org.a11y.atspi.Table"
PROPERTIES = "org.freedesktop.DBus.Properties"
STATE_FOCUSED = 12
KINDS = {"Red": "0", "Blue": "1", "Yellow": "2", "Green": "3", "Grey": "4", "Empty": "."}


def a11y_bus():
    session = dbus.SessionBus()
    bus = session.get_object("org.a11y.Bus", "/org/a11y/bus")
    return dbus.bus.BusConnection(bus.GetAddress(dbus_interface="org.a11y.Bus"))


class Reader:
    def __init__(self, bus):
        self.bus = bus

    def call(self, ref, method, *args, interface=ACCESSIBLE):
        return getattr(self.bus.get_object(ref[0], ref[1]), method)(*args, dbus_interface=interface)

    def prop(self, ref, name, interface=ACCESSIBLE):
        return self.call(ref, "Get", interface, name, interface=PROPERTIES)

    def children(self, ref):
        return [(str(c[0]), str(c[1])) for c in self.call(ref, "GetChildren")]

    def walk(self):
        """Every object of every application, breadth first."""
        queue = self.children(("org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root"))
        while queue:
            ref = queue.pop(0)
            try:
                yield ref
                queue.extend(self.children(ref))
            except dbus.DBusException:
                continue

    def find(self, role, name=None):
        for ref in self.walk():
            try:
                if self.call(ref, "GetRoleName") == role and (
                    name is None or self.prop(ref, "Name") == name
                ):
                    return ref
            except dbus.DBusException:
                continue
        return None

    def board(self, name="Board"):
        deadline = time.time() + 20
        while time.time() < deadline:
            table = self.find("table", name)
            if table:
                return table
            time.sleep(0.2)
        sys.exit("no table named %s on the accessibility bus" % name)

    def shortcut(self, ref):
        try:
            return str(self.call(ref, "GetKeyBinding", 0, interface=ACTION))
        except dbus.DBusException:
            return ""

    def cells(self, table):
        rows = int(self.prop(table, "NRows", TABLE))
        columns = int(self.prop(table, "NColumns", TABLE))
        for r in range(rows):
            for c in range(columns):
                yield r, c, tuple(str(x) for x in self.call(table, "GetAccessibleAt", r, c, interface=TABLE))


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    reader = Reader(a11y_bus())
    command = sys.argv[1]
    if command == "grid":
        table = reader.board()
        grid = {}
        for r, c, cell in reader.cells(table):
            name = str(reader.prop(cell, "Name"))
            grid.setdefault(r, []).append(KINDS.get(name, "?"))
        for r in sorted(grid):
            print("".join(grid[r]))
    elif command == "focus":
        table = reader.board()
        for r, c, cell in reader.cells(table):
            if reader.call(cell, "GetState")[0] & (1 << STATE_FOCUSED):
                print(c, r)
                return
        sys.exit("no cell has the focus")
    elif command == "labels":
        reader.board()
        for ref in reader.walk():
            if reader.call(ref, "GetRoleName") == "label":
                print(reader.prop(ref, "Name"))
    elif command == "tree":
        reader.board()
        for ref in reader.walk():
            role = str(reader.call(ref, "GetRoleName"))
            print("%s|%s|%s" % (role, reader.prop(ref, "Name"), reader.shortcut(ref)))
    elif command == "table":
        table = reader.board(sys.argv[2])
        rows = {}
        for r, c, cell in reader.cells(table):
            rows.setdefault(r, []).append(str(reader.prop(cell, "Name")))
        for r in sorted(rows):
            print("|".join(rows[r]))
    elif command == "told":
        reader.board()
        registry = reader.bus.get_object("org.a11y.atspi.Registry", "/org/a11y/atspi/registry")
        # A screen reader speaks an object of the notification role when it
        # is shown, wherever its focus is.
        for event in ("object:property-change:accessible-name", "object:state-changed:showing"):
            registry.RegisterEvent(
                event, dbus.Array([], signature="s"), "", dbus_interface="org.a11y.atspi.Registry"
            )
        told = []
        shown = []

        def on_property_change(kind, detail1, detail2, value, properties, sender=None, path=None):
            if str(kind) == "accessible-name":
                told.append((str(sender), str(path)))

        def on_state_change(kind, detail1, detail2, value, properties, sender=None, path=None):
            if str(kind) == "showing" and detail1 == 1:
                shown.append((str(sender), str(path)))

        for signal, handler in (("PropertyChange", on_property_change), ("StateChanged", on_state_change)):
            reader.bus.add_signal_receiver(
                handler,
                signal_name=signal,
                dbus_interface="org.a11y.atspi.Event.Object",
                sender_keyword="sender",
                path_keyword="path",
            )
        loop = GLib.MainLoop()
        # Give the game a moment to hear of the new listener first.
        GLib.timeout_add(500, lambda: subprocess.run(sys.argv[2:], check=True) and False)
        GLib.timeout_add(3500, loop.quit)
        loop.run()
        # The event names the object; its name is read back from it.
        for ref in told:
            print(reader.prop(ref, "Name"))
        for ref in shown:
            print("%s: %s" % (reader.call(ref, "GetRoleName"), reader.prop(ref, "Name")))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
