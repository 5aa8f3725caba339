#!/usr/bin/env python3
"""Prints a short digest of the pointer's shape on the X display, as the X
server draws it now (XFixes), so the checks can tell the crosshair from the
arrow without a window manager:  cursor_shape.py"""

import ctypes
import hashlib


class CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong),
                ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


def main():
    x11 = ctypes.CDLL("libX11.so.6")
    xfixes = ctypes.CDLL("libXfixes.so.3")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    if not display:
        raise SystemExit("no X display")
    image = xfixes.XFixesGetCursorImage(display).contents
    pixels = [image.pixels[i] & 0xFFFFFFFF for i in range(image.width * image.height)]
    digest = hashlib.sha1(repr((image.width, image.height, image.xhot, image.yhot, pixels)).encode()).hexdigest()
    print(digest[:12])


if __name__ == "__main__":
    main()
