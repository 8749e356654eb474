# SPDX-License-Identifier: GPL-3.0-or-later
"""The few X11 calls the harness needs, straight from libX11 through ctypes.

Finding a process's top-level windows, grabbing their pixels to see a first paint, and asking a
window to close with WM_DELETE_WINDOW, the message a window manager sends when the user clicks
the close box. No window manager runs: its own timing would blur every figure.
"""

import ctypes
import ctypes.util

Window = ctypes.c_ulong
Atom = ctypes.c_ulong

ZPixmap = 2
AllPlanes = 0xFFFFFFFF
IsViewable = 2
ClientMessage = 33
XA_CARDINAL = 6


class XWindowAttributes(ctypes.Structure):
    _fields_ = [
        ("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
        ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
        ("root", Window), ("c_class", ctypes.c_int), ("bit_gravity", ctypes.c_int),
        ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
        ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
        ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
        ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int),
        ("all_event_masks", ctypes.c_long), ("your_event_mask", ctypes.c_long),
        ("do_not_propagate_mask", ctypes.c_long), ("override_redirect", ctypes.c_int),
        ("screen", ctypes.c_void_p),
    ]


class XImage(ctypes.Structure):
    # Only the leading fields are read; the structure is always handled through a pointer.
    _fields_ = [
        ("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
        ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
        ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
        ("bits_per_pixel", ctypes.c_int),
    ]


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p), ("window", Window), ("message_type", Atom),
        ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
    ]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]


ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


def is_background(data, background=(0, 0, 0)):
    """True while a 32-bit ZPixmap grab shows nothing but the colour `background` (r, g, b).

    Each pixel is four bytes, blue green red and a padding byte that may hold anything.
    """
    red, green, blue = background
    for offset, value in ((0, blue), (1, green), (2, red)):
        if data[offset::4].strip(bytes((value,))):
            return False
    return True


class Display:
    def __init__(self, name):
        path = ctypes.util.find_library("X11") or "libX11.so.6"
        self._x = x = ctypes.CDLL(path)
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = Window
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XInternAtom.restype = Atom
        x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x.XQueryTree.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(Window), ctypes.POINTER(Window),
                                 ctypes.POINTER(ctypes.POINTER(Window)), ctypes.POINTER(ctypes.c_uint)]
        x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(XWindowAttributes)]
        x.XGetWindowProperty.argtypes = [
            ctypes.c_void_p, Window, Atom, ctypes.c_long, ctypes.c_long, ctypes.c_int, Atom,
            ctypes.POINTER(Atom), ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
            ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
        x.XGetImage.restype = ctypes.POINTER(XImage)
        x.XGetImage.argtypes = [ctypes.c_void_p, Window, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x.XDestroyImage.argtypes = [ctypes.POINTER(XImage)]
        x.XSendEvent.argtypes = [ctypes.c_void_p, Window, ctypes.c_int, ctypes.c_long, ctypes.POINTER(XEvent)]
        x.XFree.argtypes = [ctypes.c_void_p]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XFlush.argtypes = [ctypes.c_void_p]
        x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        # Windows vanish between two calls all the time here; the default handler would exit.
        self._handler = ERROR_HANDLER(lambda display, event: 0)
        x.XSetErrorHandler(self._handler)
        self._display = x.XOpenDisplay(name.encode())
        if not self._display:
            raise RuntimeError("cannot open X display %s" % name)
        self._root = x.XDefaultRootWindow(self._display)
        self._pid_atom = x.XInternAtom(self._display, b"_NET_WM_PID", 0)
        self._protocols = x.XInternAtom(self._display, b"WM_PROTOCOLS", 0)
        self._delete = x.XInternAtom(self._display, b"WM_DELETE_WINDOW", 0)

    def close(self):
        if self._display:
            self._x.XCloseDisplay(self._display)
            self._display = None

    def _children(self, window):
        root, parent = Window(), Window()
        children = ctypes.POINTER(Window)()
        count = ctypes.c_uint()
        if not self._x.XQueryTree(self._display, window, ctypes.byref(root), ctypes.byref(parent),
                                  ctypes.byref(children), ctypes.byref(count)):
            return []
        result = [children[i] for i in range(count.value)]
        if children:
            self._x.XFree(children)
        return result

    def _pid(self, window):
        actual, fmt = Atom(), ctypes.c_int()
        items, after = ctypes.c_ulong(), ctypes.c_ulong()
        data = ctypes.c_void_p()
        status = self._x.XGetWindowProperty(self._display, window, self._pid_atom, 0, 1, 0, XA_CARDINAL,
                                            ctypes.byref(actual), ctypes.byref(fmt), ctypes.byref(items),
                                            ctypes.byref(after), ctypes.byref(data))
        pid = None
        if status == 0 and data.value:
            if items.value == 1 and fmt.value == 32:
                pid = ctypes.cast(data, ctypes.POINTER(ctypes.c_long))[0]
            self._x.XFree(data)
        return pid

    def attributes(self, window):
        attributes = XWindowAttributes()
        if not self._x.XGetWindowAttributes(self._display, window, ctypes.byref(attributes)):
            return None
        return attributes

    def shown_windows(self, pids, min_size=50):
        """Viewable top-level windows of any of `pids`, largest first, as (window, width, height)."""
        found = []
        for window in self._children(self._root):
            if self._pid(window) not in pids:
                continue
            attributes = self.attributes(window)
            if (attributes is not None and attributes.map_state == IsViewable
                    and attributes.width >= min_size and attributes.height >= min_size):
                found.append((window, attributes.width, attributes.height))
        found.sort(key=lambda item: -item[1] * item[2])
        return found

    def grab(self, window, x, y, width, height):
        """That rectangle of the window's pixels as 32-bit ZPixmap bytes, or None if it cannot be read."""
        image = self._x.XGetImage(self._display, window, x, y, width, height, AllPlanes, ZPixmap)
        if not image:
            return None
        try:
            contents = image.contents
            if contents.bits_per_pixel != 32:
                raise RuntimeError("the harness expects a 24-bit screen with 32-bit pixels")
            return ctypes.string_at(contents.data, contents.bytes_per_line * contents.height)
        finally:
            self._x.XDestroyImage(image)

    def request_close(self, window):
        """Sends WM_DELETE_WINDOW to `window`, as a window manager's close box does."""
        event = XEvent()
        event.xclient.type = ClientMessage
        event.xclient.window = window
        event.xclient.message_type = self._protocols
        event.xclient.format = 32
        event.xclient.data[0] = self._delete
        event.xclient.data[1] = 0  # CurrentTime
        self._x.XSendEvent(self._display, window, 0, 0, ctypes.byref(event))
        self._x.XSync(self._display, 0)
