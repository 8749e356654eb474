# SPDX-License-Identifier: GPL-3.0-or-later
"""Memory and CPU of a contender's whole process tree, read from /proc.

A contender is started as the leader of a new session. Its tree is every process that descends
from the leader plus every process still in the leader's session: helpers that double-fork away
from their parent (crash handlers, zygotes) stay in the session and are still counted.
"""

import array
import os
import re

PROC = "/proc"
PAGE_SIZE = os.sysconf("SC_PAGE_SIZE")
PRESENT = 1 << 63
SWAPPED = 1 << 62
FRAME_MASK = (1 << 55) - 1  # the page frame number, or the swap type and offset
MAPPING_HEADER = re.compile(rb"^([0-9a-f]+)-([0-9a-f]+) ")


def read_stat(pid, proc=PROC):
    """(ppid, session, utime + stime in clock ticks, start time) of `pid`, or None if it is gone.

    The command name sits in parentheses and may itself hold blanks and parentheses, so the
    fields are counted from the last closing parenthesis.
    """
    try:
        with open(os.path.join(proc, str(pid), "stat"), "rb") as stat:
            text = stat.read().decode("utf-8", "replace")
    except (FileNotFoundError, ProcessLookupError, PermissionError):
        return None
    fields = text[text.rindex(")") + 2:].split()
    # fields[0] is field 3 (state) of proc(5).
    ppid, session = int(fields[1]), int(fields[3])
    cpu = int(fields[11]) + int(fields[12])
    start = int(fields[19])
    return ppid, session, cpu, start


def list_pids(proc=PROC):
    return [int(name) for name in os.listdir(proc) if name.isdigit()]


def tree_pids(leader, proc=PROC):
    """Every live process in the tree of `leader` (itself included while it lives)."""
    stats = {}
    for pid in list_pids(proc):
        stat = read_stat(pid, proc)
        if stat is not None:
            stats[pid] = stat
    children = {}
    for pid, (ppid, _session, _cpu, _start) in stats.items():
        children.setdefault(ppid, []).append(pid)
    found = {pid for pid, stat in stats.items() if stat[1] == leader}
    pending = [leader] if leader in stats else []
    pending += list(found)
    while pending:
        pid = pending.pop()
        if pid in stats:
            found.add(pid)
        for child in children.get(pid, ()):
            if child not in found:
                pending.append(child)
    return sorted(found)


ROLLUP_KEYS = {b"Pss": "pss", b"Rss": "rss", b"Pss_Anon": "anon", b"Private_Clean": "uss", b"Private_Dirty": "uss"}
MEMORY_KINDS = ("pss", "rss", "anon", "uss")


def read_rollup(pid, proc=PROC):
    """{kind: kB} of `pid` from its smaps_rollup, or None if it is gone.

    pss and rss as usual; anon is the proportional share of anonymous memory, which only the
    tree's own forks share, so unlike pss it does not drop when other programs on the machine
    map the same libraries; uss is the memory no other process maps at all.
    """
    values = {}
    try:
        with open(os.path.join(proc, str(pid), "smaps_rollup"), "rb") as rollup:
            for line in rollup:
                key, _, rest = line.partition(b":")
                if key in ROLLUP_KEYS:
                    kind = ROLLUP_KEYS[key]
                    values[kind] = values.get(kind, 0) + int(rest.split()[0])
    except (FileNotFoundError, ProcessLookupError, PermissionError):
        return None
    if "pss" not in values or "rss" not in values:
        return None  # a zombie or kernel thread has no mappings to report
    return {kind: values.get(kind, 0) for kind in MEMORY_KINDS}


def process_name(pid, proc=PROC):
    """The program and, for engine helpers, their --type, e.g. "QtWebEngineProcess renderer"."""
    try:
        with open(os.path.join(proc, str(pid), "cmdline"), "rb") as cmdline:
            arguments = cmdline.read().decode("utf-8", "replace").rstrip("\0").split("\0")
    except (FileNotFoundError, ProcessLookupError, PermissionError):
        return "?"
    if len(arguments) == 1:
        # Engine helpers rewrite their command line into one blank-separated string.
        arguments = arguments[0].split(" ")
    name = os.path.basename(arguments[0]) if arguments and arguments[0] else "?"
    for argument in arguments[1:]:
        if argument.startswith("--type="):
            name += " " + argument[len("--type="):]
    return name


def memory(leader, proc=PROC, details=None):
    """{kind: kB summed over the tree of `leader`} for each of MEMORY_KINDS, and "count".

    If `details` is a list, one (name, {kind: kB}) per process is appended to it.
    """
    total = dict.fromkeys(MEMORY_KINDS, 0)
    total["count"] = 0
    for pid in tree_pids(leader, proc):
        rollup = read_rollup(pid, proc)
        if rollup is not None:
            for kind in MEMORY_KINDS:
                total[kind] += rollup[kind]
            total["count"] += 1
            if details is not None:
                details.append((process_name(pid, proc), rollup))
    return total


def resident_ranges(pid, proc=PROC):
    """(start, end) of every mapping of `pid` with resident pages, from its smaps."""
    ranges = []
    current = None
    with open(os.path.join(proc, str(pid), "smaps"), "rb") as smaps:
        for line in smaps:
            header = MAPPING_HEADER.match(line)
            if header:
                current = (int(header.group(1), 16), int(header.group(2), 16))
            elif line.startswith(b"Rss:") and current and int(line.split()[1]) > 0:
                ranges.append(current)
    return ranges


def footprint(leader, proc=PROC):
    """kB of distinct pages the tree of `leader` holds in memory or swap, or None if unreadable.

    Every page counts once however many of the tree's processes map it, and in full however
    many other programs map it too: it is what the tree's PSS would sum to if nothing else ran,
    and unlike PSS it does not change with what else runs. Page frame numbers need root.
    """
    pages = set()
    for pid in tree_pids(leader, proc):
        try:
            ranges = resident_ranges(pid, proc)
            with open(os.path.join(proc, str(pid), "pagemap"), "rb") as pagemap:
                for start, end in ranges:
                    pagemap.seek(start // PAGE_SIZE * 8)
                    entries = array.array("Q")
                    entries.frombytes(pagemap.read((end - start) // PAGE_SIZE * 8))
                    pages.update(entry & FRAME_MASK for entry in entries if entry & PRESENT)
                    pages.update(-1 - (entry & FRAME_MASK) for entry in entries
                                 if entry & SWAPPED and not entry & PRESENT)
        except (FileNotFoundError, ProcessLookupError, PermissionError):
            continue
    pages.discard(0)  # what an unprivileged reader sees for every present page
    if not pages:
        return None
    return len(pages) * PAGE_SIZE // 1024


def cpu_ticks(leader, proc=PROC):
    """{(pid, start time): utime + stime} over the tree of `leader`."""
    ticks = {}
    for pid in tree_pids(leader, proc):
        stat = read_stat(pid, proc)
        if stat is not None:
            ticks[(pid, stat[3])] = stat[2]
    return ticks


def cpu_used(before, after):
    """Clock ticks the tree used between two `cpu_ticks` readings.

    Processes are told apart by pid and start time, so a reused pid is a new process; one that
    started in between counts whole, one that ended in between loses what it used after `before`.
    """
    return sum(ticks - before.get(key, 0) for key, ticks in after.items())


def run_times(leader, proc=PROC):
    """{(pid, tid, start time): (name, ns on a CPU, times put on a CPU)} of every thread in the
    tree of `leader`, from the scheduler's own accounting (schedstat); {} where the kernel keeps none.

    utime and stime are sampled at the clock tick: a thread that wakes for 50 us now and then is
    charged a whole tick or nothing, depending on whether a tick falls into its run. These are
    exact, and they count the wake-ups as well.
    """
    times = {}
    for pid in tree_pids(leader, proc):
        tasks = os.path.join(proc, str(pid), "task")
        try:
            tids = [int(name) for name in os.listdir(tasks) if name.isdigit()]
        except (FileNotFoundError, ProcessLookupError, PermissionError):
            continue
        process = None
        for tid in tids:
            stat = read_stat(tid, tasks)
            try:
                with open(os.path.join(tasks, str(tid), "schedstat"), "rb") as schedstat:
                    on_cpu, _waiting, slices = (int(value) for value in schedstat.read().split()[:3])
                with open(os.path.join(tasks, str(tid), "comm"), "rb") as comm:
                    thread = comm.read().decode("utf-8", "replace").strip()
            except (FileNotFoundError, ProcessLookupError, PermissionError, ValueError):
                continue
            if stat is None:
                continue
            if process is None:
                process = process_name(pid, proc)
            times[(pid, tid, stat[3])] = ("%s: %s" % (process, thread), on_cpu, slices)
    return times


def run_time_used(before, after):
    """(ms on a CPU, wake-ups, [(thread, ms, wake-ups), busiest first]) between two `run_times`
    readings, threads told apart as processes are in `cpu_used`; None if either reading is empty."""
    if not before or not after:
        return None
    threads = []
    for key, (name, on_cpu, slices) in after.items():
        _, on_cpu_before, slices_before = before.get(key, (name, 0, 0))
        if on_cpu > on_cpu_before:
            threads.append((name, (on_cpu - on_cpu_before) / 1e6, slices - slices_before))
    threads.sort(key=lambda thread: -thread[1])
    return sum(t[1] for t in threads), sum(t[2] for t in threads), threads


def clock_ticks_per_second():
    return os.sysconf("SC_CLK_TCK")
