# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs every contender in turn under one Xvfb and prints the figures.

Usually started through bench/launch, which installs and builds what this needs first
(bench/launch --no-build skips the build) and passes the three program paths.
"""

import argparse
import json
import os
import pwd
import shutil
import subprocess
import sys
import tempfile
import time

from . import contenders, report, runs
from .page import PageServer
from .xwindows import Display


def parse_arguments(argv):
    parser = argparse.ArgumentParser(prog="bench/launch", description=__doc__)
    parser.add_argument("--runs", type=int, default=5, help="runs of each contender (default 5)")
    parser.add_argument("--lumivane", required=True, help="the lumivane executable")
    parser.add_argument("--floor", required=True, help="the floor program")
    parser.add_argument("--barewidgets", required=True, help="the bare Qt Widgets window")
    parser.add_argument("--chromium", default=shutil.which("chromium") or "/usr/bin/chromium",
                        help="the chromium executable (default: the one on PATH)")
    parser.add_argument("--only", choices=["web", "designer"], help="measure one kind of contender only")
    parser.add_argument("--skip", action="append", default=[], metavar="NAME",
                        help="leave out a contender (lumivane, floor, chromium, designer, barewidgets, baretext)")
    parser.add_argument("--variant", action="append", default=[], metavar="NAME=BASE[,VAR=VALUE]...",
                        help="add a contender: BASE started with these environment variables, e.g. "
                             "floor-lowend=floor,QTWEBENGINE_CHROMIUM_FLAGS=--enable-low-end-device-mode")
    parser.add_argument("--timeout", type=float, default=30.0, help="seconds a run may take to load or paint")
    parser.add_argument("--close-timeout", type=float, default=10.0, help="seconds a close may take")
    parser.add_argument("--user", help="run the contenders (and their session bus) as this user; as root, "
                                       "e.g. --user nobody measures with the engines' sandbox on")
    parser.add_argument("--sandbox", choices=["auto", "on", "off"], default="auto",
                        help="the engines' sandbox for every contender; auto: off when they run as root (it "
                             "cannot run there), on otherwise")
    parser.add_argument("--nice", type=int, default=0,
                        help="run every contender at this niceness (negative needs root); 0 leaves it alone")
    parser.add_argument("--json", help="also write every run's figures to this file")
    parser.add_argument("--processes", action="store_true",
                        help="print every process of each run with its PSS and RSS (2 s after load, 1 s after paint), "
                             "and every thread that ran while idle")
    parser.add_argument("--keep", action="store_true", help="keep the run folders (profiles and output logs)")
    options = parser.parse_args(argv)
    if options.sandbox == "auto":
        options.sandbox = os.geteuid() != 0 or (options.user not in (None, "root"))
    else:
        options.sandbox = options.sandbox == "on"
    return options


def start_xvfb(niceness):
    """One Xvfb for all runs: a 1920 x 1080 24-bit screen with a black root, on a free display.

    It draws every contender's window, so it gets the contenders' niceness.
    """
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        (["nice", "-n", str(niceness)] if niceness else []) + ["Xvfb", "-screen", "0", "1920x1080x24", "-br", "-nolisten", "tcp", "-displayfd", str(write_end)],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        server.kill()
        raise RuntimeError("Xvfb did not start")
    return server, ":" + number


def start_session_bus(user):
    """One session bus for all runs, as a desktop has; without it each Qt program would launch its own."""
    if not shutil.which("dbus-daemon"):
        return None, "disabled:"
    read_end, write_end = os.pipe()
    identity = {"user": user, "group": pwd.getpwnam(user).pw_gid, "extra_groups": []} if user else {}
    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=%d" % write_end],
                           pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                           start_new_session=True, cwd="/", **identity)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        address = pipe.readline().strip()
    return bus, address or "disabled:"


def alternate(names, count):
    """A B C A B C ...: each round runs every contender once, in the same order."""
    return [(run, name) for run in range(1, count + 1) for name in names]


def measure(kind, plan, by_name, work, server, display, options):
    results = []
    for run, name in plan:
        run_dir = tempfile.mkdtemp(prefix="%s-%d-" % (name, run), dir=work)
        token = "%s-%d-%s" % (name, run, os.path.basename(run_dir))
        record = {"contender": name, "run": run, "kind": kind}
        try:
            if kind == "web":
                record["figures"] = runs.web_run(by_name[name], server, display, run_dir, token, options)
            else:
                record["figures"] = runs.window_run(by_name[name], display, run_dir, options)
        except runs.RunFailed as failure:
            record["error"] = str(failure)
        except OSError as failure:
            record["error"] = "could not start: %s" % failure
        if record.get("figures"):
            record["processes"] = record["figures"].pop("processes", [])
            record["idle_threads"] = record["figures"].pop("idle_threads", [])
            record["moments"] = record["figures"].pop("moments", {})
        results.append(record)
        print("  %-12s run %d: %s" % (name, run, record.get("error") or ", ".join(
            "%s=%.3g" % item for item in sorted(record["figures"].items()))), flush=True)
        if options.processes:
            for process_name, memory in record.get("processes", []):
                print("      %-32s" % process_name + "".join(
                    "  %s %6.1f" % (kind.upper(), memory[kind] / 1024.0) for kind in memory) + " MB")
            for thread, ms, wakeups in record.get("idle_threads", []):
                print("      idle: %-40s %7.3f ms on a CPU, %3d times" % (thread, ms, wakeups))
        if options.keep:
            record["folder"] = run_dir
        else:
            shutil.rmtree(run_dir, ignore_errors=True)
    return results


def main(argv=None):
    options = parse_arguments(argv)
    web = [contenders.lumivane_runner(options.lumivane), contenders.floor(options.floor),
           contenders.chromium(options.chromium)]
    windows = [contenders.lumivane_designer(options.lumivane), contenders.barewidgets(options.barewidgets),
               contenders.baretext(options.barewidgets)]
    if options.only == "web":
        windows = []
    elif options.only == "designer":
        web = []
    for text in options.variant:
        made = contenders.variant(text, web + windows)
        (web if made.kind == "web" else windows).append(made)
    web = [c for c in web if c.name not in options.skip]
    windows = [c for c in windows if c.name not in options.skip]
    by_name = {c.name: c for c in web + windows}

    xvfb, options.display = start_xvfb(options.nice)
    bus, options.bus = start_session_bus(options.user)
    work = tempfile.mkdtemp(prefix="lumivane-bench-")
    if options.user:
        os.chmod(work, 0o755)  # mkdtemp's folder is its creator's alone
    print("Xvfb on %s, user %s, sandbox %s, niceness %d, %d runs each, work folder %s, load average %s" % (
        options.display, options.user or pwd.getpwuid(os.geteuid()).pw_name, "on" if options.sandbox else "off",
        options.nice, options.runs, work,
        " ".join(open("/proc/loadavg").read().split()[:3])), flush=True)
    try:
        display = Display(options.display)
        with PageServer() as server:
            web_results = measure("web", alternate([c.name for c in web], options.runs), by_name, work, server,
                                  display, options) if web else []
            window_results = measure("window", alternate([c.name for c in windows], options.runs), by_name,
                                     work, server, display, options) if windows else []
        display.close()
    finally:
        for server in (bus, xvfb):
            if server is not None:
                server.terminate()
                server.wait()
        if not options.keep:
            shutil.rmtree(work, ignore_errors=True)

    print()
    if web_results:
        print(report.format_table(web_results, [c.name for c in web], report.WEB_FIGURES, "lumivane",
                                  "Web app: the page in a 1024 x 768 window, %d runs each" % options.runs))
        print()
    if window_results:
        print(report.format_table(window_results, [c.name for c in windows], report.WINDOW_FIGURES, "designer",
                                  "Designer: first window, %d runs each" % options.runs))
        print()
    print("\n".join(report.target_lines(web_results, window_results)))
    if options.json:
        with open(options.json, "w") as out:
            json.dump({"time": time.strftime("%Y-%m-%d %H:%M:%S"), "sandbox": options.sandbox,
                       "web": web_results, "window": window_results}, out, indent=1)
    failed = [r for r in web_results + window_results if r.get("error")]
    return 1 if failed and len(failed) == len(web_results + window_results) else 0


if __name__ == "__main__":
    sys.exit(main())
