# SPDX-License-Identifier: GPL-3.0-or-later
"""One measured run of one contender, from spawn to exit, never hanging the harness."""

import os
import pwd
import select
import signal
import subprocess
import time

from . import proctree
from .contenders import fresh_environment
from .xwindows import is_background

SETTLE_S = 2.0  # memory is read again this long after load
IDLE_S = 3.0  # CPU is counted over this long, starting at the settle mark
PAINT_MEMORY_S = 1.0  # a window contender's memory is read this long after its first paint
POLL_S = 0.001  # pause between two looks at the screen


class RunFailed(Exception):
    pass


def start(argv, env, run_dir, options, clock):
    """Starts a contender as `options.user` (if given) at `options.nice` (if not 0)."""
    user = getattr(options, "user", None)
    if user:
        # Everything of the run belongs to the user the contender runs as.
        ids = pwd.getpwnam(user)
        for folder, _, files in os.walk(run_dir):
            for name in [folder] + [os.path.join(folder, f) for f in files]:
                os.chown(name, ids.pw_uid, ids.pw_gid)
    process = Process(argv, env, run_dir, os.path.join(run_dir, "output.log"), clock, user)
    niceness = getattr(options, "nice", 0)
    if niceness:
        # Set from here, since a user other than root could not raise its own priority.
        os.setpriority(os.PRIO_PROCESS, process.pid, niceness)
    return process


class Process:
    """A contender's process, leader of its own session, whose exit is seen the moment it happens."""

    def __init__(self, argv, env, cwd, log_path, clock=time.monotonic, user=None):
        self._clock = clock
        self._log = open(log_path, "wb")
        identity = {"user": user, "group": pwd.getpwnam(user).pw_gid, "extra_groups": []} if user else {}
        self.started = clock()
        self.popen = subprocess.Popen(argv, env=env, cwd=cwd, stdin=subprocess.DEVNULL, stdout=self._log,
                                      stderr=subprocess.STDOUT, start_new_session=True, **identity)
        self.pid = self.popen.pid
        # A pidfd turns readable when the process ends: exit times without a polling delay.
        self._pidfd = os.pidfd_open(self.pid)
        self.exited_at = None

    def wait_exit(self, timeout):
        """The clock reading at which the leader exited, or None if it still runs after `timeout`."""
        if self.exited_at is None:
            poller = select.poll()
            poller.register(self._pidfd, select.POLLIN)
            if poller.poll(max(0, int(timeout * 1000))):
                self.exited_at = self._clock()
                self.popen.wait()
        return self.exited_at

    def running(self):
        return self.wait_exit(0) is None

    def end(self, grace=3.0):
        """Waits `grace` seconds for the whole tree to leave, then kills what is left of it."""
        deadline = self._clock() + grace
        while proctree.tree_pids(self.pid) and self._clock() < deadline:
            time.sleep(0.05)
        for pid in proctree.tree_pids(self.pid):
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        self.wait_exit(5)
        os.close(self._pidfd)
        self._log.close()

    def describe_exit(self):
        return "exited with code %s" % self.popen.returncode


def sleep_until(clock, moment):
    delay = moment - clock()
    if delay > 0:
        time.sleep(delay)


def memory_figures(memory, moment):
    """pss_load_mb, rss_load_mb, ..., processes_load from a `proctree.memory` reading."""
    figures = {"%s_%s_mb" % (kind, moment): memory[kind] / 1024.0 for kind in proctree.MEMORY_KINDS}
    figures["processes_" + moment] = memory["count"]
    return figures


def close_and_time(process, display, close_timeout, clock=time.monotonic):
    """Asks the contender's main window to close: (clock when asked, clock when its leader exited)."""
    windows = display.shown_windows({process.pid})
    if not windows:
        raise RunFailed("no window of its own to close")
    asked = clock()
    display.request_close(windows[0][0])
    exited = process.wait_exit(close_timeout)
    if exited is None:
        raise RunFailed("still running %g s after the close request" % close_timeout)
    return asked, exited


def web_run(contender, server, display, run_dir, token, options, clock=time.monotonic):
    """Measures one run of a contender that shows the page; returns its figures."""
    url = server.url(token)
    argv = contender.command(url, run_dir, options.sandbox)
    env = fresh_environment(os.environ, run_dir, options.display, options.bus, options.sandbox)
    env.update(contender.environment)
    process = start(argv, env, run_dir, options, clock)
    try:
        loaded = None
        while loaded is None:
            loaded = server.wait_loaded(token, 0.05)
            if loaded is None and not process.running():
                raise RunFailed(process.describe_exit() + " before the page loaded")
            if loaded is None and clock() - process.started > options.timeout:
                raise RunFailed("page not loaded within %g s" % options.timeout)
        figures = {"loaded_s": loaded - process.started}
        figures.update(memory_figures(proctree.memory(process.pid), "load"))

        sleep_until(clock, loaded + SETTLE_S)
        details = []
        figures.update(memory_figures(proctree.memory(process.pid, details=details), "settled"))
        figures["processes"] = details
        footprint = proctree.footprint(process.pid)
        if footprint is not None:
            figures["footprint_settled_mb"] = footprint / 1024.0
        # Counted from here, so that reading the footprint above does not shorten the window.
        idle_from, before = clock(), proctree.cpu_ticks(process.pid)
        threads_before = proctree.run_times(process.pid)
        sleep_until(clock, idle_from + IDLE_S)
        used = proctree.cpu_used(before, proctree.cpu_ticks(process.pid))
        exact = proctree.run_time_used(threads_before, proctree.run_times(process.pid))
        idle_s = clock() - idle_from
        figures["idle_cpu_pct"] = 100.0 * used / proctree.clock_ticks_per_second() / idle_s
        if exact is not None:
            figures["idle_cpu_exact_pct"] = 100.0 * exact[0] / 1000.0 / idle_s
            figures["idle_wakeups_per_s"] = exact[1] / idle_s
            figures["idle_threads"] = exact[2]
        if not process.running():
            raise RunFailed(process.describe_exit() + " while idle")

        asked, exited = close_and_time(process, display, options.close_timeout, clock)
        figures["close_s"] = exited - asked
        # Clock readings, to line the run up with timestamps a contender writes itself.
        figures["moments"] = {"started": process.started, "loaded": loaded, "close_asked": asked, "exited": exited}
        return figures
    finally:
        process.end()


def shows_paint(display, window, width, height):
    """Whether the window's middle row or middle column holds any colour but black; None once the
    window cannot be read any more.

    Two lines of pixels rather than the whole window: a look then costs the X server, which the
    contender draws with, next to nothing, and looks can follow each other closely.
    """
    row = display.grab(window, 0, height // 2, width, 1)
    column = display.grab(window, width // 2, 0, 1, height)
    if row is None and column is None:
        return None
    return any(pixels is not None and not is_background(pixels) for pixels in (row, column))


def window_run(contender, display, run_dir, options, clock=time.monotonic):
    """Measures one run of a contender whose first window is what counts: spawn to first paint.

    The screen's root is black (Xvfb -br) and Qt creates its windows without a background, so
    a mapped window shows black until the program has drawn into it. Once mapped, the window's
    middle row and column are read every millisecond; the first look with any other colour marks
    the paint.
    """
    argv = contender.command("", run_dir, options.sandbox)
    env = fresh_environment(os.environ, run_dir, options.display, options.bus, options.sandbox)
    env.update(contender.environment)
    process = start(argv, env, run_dir, options, clock)
    try:
        mapped = painted = None
        shown = None
        polls = 0
        while painted is None:
            if not process.running():
                raise RunFailed(process.describe_exit() + " before its window was painted")
            now = clock()
            if now - process.started > options.timeout:
                raise RunFailed("no painted window within %g s" % options.timeout)
            polls += 1
            # A look counts when its answer is in: a look that began before the paint may see it.
            if shown is None:
                # Listing the windows takes a dozen round trips; done until one is found only.
                windows = display.shown_windows({process.pid})
                if windows:
                    shown = windows[0]
                    if mapped is None:
                        mapped = clock()
            if shown is not None:
                seen = shows_paint(display, *shown)
                if seen:
                    painted = clock()
                    break
                if seen is None:
                    shown = None  # gone (a splash, or remade): look for the process's windows again
            time.sleep(POLL_S)
        figures = {
            "mapped_s": mapped - process.started,
            "painted_s": painted - process.started,
            "poll_ms": 1000.0 * (painted - process.started) / polls,
        }
        sleep_until(clock, painted + PAINT_MEMORY_S)
        details = []
        figures.update(memory_figures(proctree.memory(process.pid, details=details), "painted"))
        figures["processes"] = details
        asked, exited = close_and_time(process, display, options.close_timeout, clock)
        figures["close_s"] = exited - asked
        figures["moments"] = {"started": process.started, "mapped": mapped, "painted": painted, "close_asked": asked,
                              "exited": exited}
        return figures
    finally:
        process.end()
