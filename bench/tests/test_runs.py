# SPDX-License-Identifier: GPL-3.0-or-later
"""Whole runs of stand-in contenders: small Python programs that behave well or badly."""

import os
import signal
import sys
import tempfile
import textwrap
import time
import types
import unittest
from unittest import mock

from harness import proctree, runs
from harness.contenders import Contender
from harness.page import PageServer

HELPER_MARK = "61.%d" % os.getpid()  # finds the stand-ins' helper processes in /proc

# Starts a helper, loads the page like a browser would, reports load, then waits to be closed.
TEMPLATE = """
import signal, subprocess, sys, time, urllib.request
helper = subprocess.Popen([sys.executable, "-c", "import time; time.sleep(%s)"])
page = sys.argv[1].split("?")[0]
for name in ("", "style.css", "app.js"):
    urllib.request.urlopen(page + name).read()
urllib.request.urlopen(page + "loaded?run=" + sys.argv[1].split("run=")[1]).read()
signal.signal(signal.SIGTERM, ON_TERM)
while True:
    time.sleep(0.05)  # idle, but awake twenty times a second
""" % HELPER_MARK
WELL_BEHAVED = TEMPLATE.replace("ON_TERM", "lambda *a: (helper.kill(), sys.exit(0))")
IGNORES_CLOSE = TEMPLATE.replace("ON_TERM", "signal.SIG_IGN")
WAITS_FOR_CLOSE = """
import signal, sys, time
signal.signal(signal.SIGTERM, lambda *a: sys.exit(0))
while True:
    time.sleep(1)
"""
EXITS_AT_ONCE = "import sys; sys.exit(3)"
NEVER_LOADS = "import time; time.sleep(60)"


def helpers_alive():
    alive = []
    for pid in proctree.list_pids():
        try:
            with open("/proc/%d/cmdline" % pid, "rb") as cmdline:
                if HELPER_MARK.encode() in cmdline.read():
                    alive.append(pid)
        except OSError:
            pass
    return alive


class FakeDisplay:
    """Stands for the X display: every process has one window, and closing it sends SIGTERM."""

    def __init__(self):
        self.closed = []

    def shown_windows(self, pids):
        return [(pid, 1024, 768) for pid in sorted(pids)]

    def request_close(self, window):
        self.closed.append(window)
        os.kill(window, signal.SIGTERM)


class PaintingDisplay:
    """One window that maps after `mapped_after` s and turns grey after `painted_after` s. With
    `remade_after` it is destroyed then and another one takes its place."""

    def __init__(self, mapped_after, painted_after, remade_after=None):
        self.made = None  # its clock starts at the first look, after the process has started
        self.mapped_after, self.painted_after, self.remade_after = mapped_after, painted_after, remade_after
        self.window, self.pid = 1, None
        self.listings, self.rectangles, self.closed = [], [], []

    def elapsed(self):
        return time.monotonic() - self.made

    def shown_windows(self, pids):
        self.pid = next(iter(pids))
        if self.made is None:
            self.made = time.monotonic()
        self.listings.append(self.elapsed())
        return [] if self.elapsed() < self.mapped_after else [(self.window, 300, 200)]

    def grab(self, window, x, y, width, height):
        self.rectangles.append((x, y, width, height))
        if self.remade_after is not None and self.elapsed() >= self.remade_after:
            self.window = 2
        if window != self.window:
            return None
        grey = self.elapsed() >= self.painted_after
        return bytes([0xEF, 0xEF, 0xEF, 0] if grey else [0, 0, 0, 0xFF]) * (width * height)

    def request_close(self, window):
        self.closed.append(window)
        os.kill(self.pid, signal.SIGTERM)


def script(source):
    path = os.path.join(tempfile.mkdtemp(), "contender.py")
    with open(path, "w") as out:
        out.write(textwrap.dedent(source))
    return Contender("stand-in", sys.executable, "web", lambda url, run_dir, sandbox: [path, url])


@mock.patch.object(runs, "SETTLE_S", 0.2)
@mock.patch.object(runs, "IDLE_S", 0.3)
class WebRunTest(unittest.TestCase):
    options = types.SimpleNamespace(sandbox=True, display=":0", bus="disabled:", timeout=3.0, close_timeout=2.0)

    def measure(self, source, token):
        self.display = FakeDisplay()
        with PageServer() as server:
            started = time.monotonic()
            try:
                return runs.web_run(script(source), server, self.display, tempfile.mkdtemp(), token, self.options)
            finally:
                self.elapsed = time.monotonic() - started

    def test_a_good_run_gives_every_figure_and_leaves_nothing_behind(self):
        figures = self.measure(WELL_BEHAVED, "good")
        self.assertGreater(figures["loaded_s"], 0)
        self.assertLess(figures["loaded_s"], 3)
        self.assertEqual(figures["processes_settled"], 2)
        self.assertGreater(figures["pss_settled_mb"], 1)
        self.assertGreaterEqual(figures["rss_settled_mb"], figures["pss_settled_mb"])
        self.assertLess(figures["idle_cpu_pct"], 50)
        if "idle_cpu_exact_pct" in figures:  # kernels that keep schedstat
            # The stand-in's short wakes are seen, where clock ticks mostly miss them.
            self.assertGreater(figures["idle_cpu_exact_pct"], 0)
            self.assertLess(figures["idle_cpu_exact_pct"], 50)
            self.assertGreater(figures["idle_wakeups_per_s"], 5)
            self.assertIn("python3", " ".join(name for name, _, _ in figures["idle_threads"]))
        self.assertLess(figures["close_s"], 1)
        self.assertEqual(len(self.display.closed), 1)
        self.assertEqual(helpers_alive(), [])

    def test_a_contender_that_exits_fails_at_once(self):
        with self.assertRaisesRegex(runs.RunFailed, "exited with code 3 before the page loaded"):
            self.measure(EXITS_AT_ONCE, "exits")
        self.assertLess(self.elapsed, 2)

    def test_a_page_that_never_loads_times_out(self):
        with self.assertRaisesRegex(runs.RunFailed, "not loaded within 3 s"):
            self.measure(NEVER_LOADS, "never")
        self.assertLess(self.elapsed, 3 + 4)  # the timeout, then the grace before the kill

    def test_a_contender_that_ignores_the_close_is_failed_and_killed(self):
        with self.assertRaisesRegex(runs.RunFailed, "still running 2 s after the close request"):
            self.measure(IGNORES_CLOSE, "stubborn")
        self.assertEqual(helpers_alive(), [])


@mock.patch.object(runs, "PAINT_MEMORY_S", 0.1)
class WindowRunTest(unittest.TestCase):
    options = types.SimpleNamespace(sandbox=True, display=":0", bus="disabled:", timeout=3.0, close_timeout=2.0)

    def measure(self, display):
        return runs.window_run(script(WAITS_FOR_CLOSE), display, tempfile.mkdtemp(), self.options)

    def test_paint_is_seen_within_milliseconds_by_two_lines_of_the_window(self):
        display = PaintingDisplay(mapped_after=0.2, painted_after=0.4)
        figures = self.measure(display)
        # A look's time is when the display has answered it: never before the change.
        self.assertGreaterEqual(figures["mapped_s"], 0.2)
        self.assertGreaterEqual(figures["painted_s"], 0.4)
        self.assertLess(figures["painted_s"], 0.4 + 0.1)
        self.assertLess(figures["poll_ms"], 5)
        # The windows are listed until one is mapped, not at every look after that (the close
        # lists them once more).
        self.assertLess(max(t for t in display.listings if t < 0.4), 0.2 + 0.05)
        self.assertEqual({(w, h) for _, _, w, h in display.rectangles}, {(300, 1), (1, 200)})
        self.assertEqual(display.closed, [1])

    def test_a_window_that_cannot_be_read_any_more_is_looked_for_again(self):
        display = PaintingDisplay(mapped_after=0.2, painted_after=0.4, remade_after=0.3)
        figures = self.measure(display)
        self.assertGreaterEqual(figures["painted_s"], 0.4)
        self.assertGreaterEqual(max(t for t in display.listings if t < 0.4), 0.3)
        self.assertEqual(display.closed, [2])


if __name__ == "__main__":
    unittest.main()
