#!/usr/bin/env python3
# The Plasma desktop's session-bus calls the tests make, through GIO:
#   plasma_bus.py shot FILE [OUTPUT]  a screen's pixels from KWin's ScreenShot2 (the
#                                     active one unless named), written as a PPM
#   plasma_bus.py script JS           plasmashell's desktop scripting; prints what it printed
#   plasma_bus.py owned NAME          exits 0 once a program owns that bus name
import os, sys, threading
from gi.repository import Gio, GLib

bus = Gio.bus_get_sync(Gio.BusType.SESSION)

def shot(path, output=None):
    # KWin writes the pixels into the pipe while the call is still open: read them meanwhile.
    read, write = os.pipe()
    fds = Gio.UnixFDList.new()
    fds.append(write)
    os.close(write)
    chunks = []
    reader = threading.Thread(target=lambda: chunks.extend(iter(lambda: os.read(read, 1 << 20), b"")))
    reader.start()
    options = {"native-resolution": GLib.Variant("b", True)}
    method, args = ("CaptureScreen", ("(sa{sv}h)", (output, options, 0))) if output else \
                   ("CaptureActiveScreen", ("(a{sv}h)", (options, 0)))
    reply, _ = bus.call_with_unix_fd_list_sync("org.kde.KWin", "/org/kde/KWin/ScreenShot2", "org.kde.KWin.ScreenShot2",
        method, GLib.Variant(*args), GLib.VariantType("(a{sv})"), Gio.DBusCallFlags.NONE, 20000, fds, None)
    del fds  # our copy of the pipe's end: the reader sees its end once KWin closes its own
    reader.join()
    info, data = reply.unpack()[0], b"".join(chunks)
    width, height, stride = info["width"], info["height"], info["stride"]
    rgb = bytearray(width * height * 3)
    for y in range(height):  # 32-bit pixels, B G R A in memory
        row = data[y * stride: y * stride + width * 4]
        rgb[y * width * 3 + 0: (y + 1) * width * 3: 3] = row[2::4]
        rgb[y * width * 3 + 1: (y + 1) * width * 3: 3] = row[1::4]
        rgb[y * width * 3 + 2: (y + 1) * width * 3: 3] = row[0::4]
    with open(path, "wb") as out:
        out.write(b"P6\n%d %d\n255\n" % (width, height) + rgb)

def script(source):
    reply = bus.call_sync("org.kde.plasmashell", "/PlasmaShell", "org.kde.PlasmaShell", "evaluateScript",
                          GLib.Variant("(s)", (source,)), GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 20000, None)
    print(reply.unpack()[0])

def owned(name):
    reply = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
                          GLib.Variant("(s)", (name,)), GLib.VariantType("(b)"), Gio.DBusCallFlags.NONE, 5000, None)
    sys.exit(0 if reply.unpack()[0] else 1)

{"shot": shot, "script": script, "owned": owned}[sys.argv[1]](*sys.argv[2:])
