# SPDX-License-Identifier: GPL-3.0-or-later
import os
import struct
import tempfile
import time
import unittest

from harness import proctree


def stat_line(pid, comm, ppid, session, utime, stime, start):
    # Fields 3 to 22 of proc(5); the ones the harness does not read are filled with zeros.
    fields = ["S", ppid, 0, session] + [0] * 7 + [utime, stime] + [0] * 6 + [start]
    return "%d (%s) %s\n" % (pid, comm, " ".join(str(f) for f in fields))


class FakeProc:
    def __init__(self):
        self.root = tempfile.mkdtemp()

    def add(self, pid, ppid, session, comm="prog", cpu=(0, 0), start=100, pss=None, rss=None, cmdline=None):
        folder = os.path.join(self.root, str(pid))
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "stat"), "w") as out:
            out.write(stat_line(pid, comm, ppid, session, cpu[0], cpu[1], start))
        with open(os.path.join(folder, "smaps_rollup"), "w") as out:
            if pss is not None:
                out.write("00400000-7ffc0000 ---p 00000000 00:00 0  [rollup]\n")
                out.write("Rss:            %8d kB\nPss:            %8d kB\nPss_Anon:       %8d kB\n"
                          "Private_Clean:  %8d kB\nPrivate_Dirty:  %8d kB\n" % (rss, pss, pss // 2, 1, pss // 4))
        with open(os.path.join(folder, "cmdline"), "wb") as out:
            out.write(cmdline or (comm.encode() + b"\0"))


class TreeTest(unittest.TestCase):
    def setUp(self):
        self.proc = FakeProc()
        add = self.proc.add
        add(1, 0, 1, "init")
        add(500, 1, 500, "harness")
        add(600, 500, 600, "leader", pss=100, rss=200)  # the contender, leader of session 600
        add(601, 600, 600, "Web Content (a) b", pss=30, rss=50)  # blanks and parentheses in its name
        add(602, 601, 777, "renderer", pss=20, rss=40)  # left the session, still a descendant
        add(603, 1, 600, "crash handler", pss=5, rss=9)  # double-forked away, still in the session
        add(604, 600, 600, "zombie")  # no mappings left
        add(700, 1, 700, "stranger", pss=999, rss=999)

    def test_tree_holds_descendants_and_session_members_only(self):
        self.assertEqual(proctree.tree_pids(600, self.proc.root), [600, 601, 602, 603, 604])

    def test_tree_outlives_its_leader(self):
        os.remove(os.path.join(self.proc.root, "600", "stat"))
        self.assertEqual(proctree.tree_pids(600, self.proc.root), [601, 602, 603, 604])

    def test_memory_sums_every_process_with_mappings(self):
        details = []
        self.assertEqual(proctree.memory(600, self.proc.root, details),
                         {"pss": 155, "rss": 299, "anon": 50 + 15 + 10 + 2, "uss": 4 + 25 + 7 + 5 + 1, "count": 4})
        self.assertIn(("leader", {"pss": 100, "rss": 200, "anon": 50, "uss": 26}), details)

    def test_stat_fields_are_counted_after_the_name(self):
        self.proc.add(601, 600, 600, "Web Content (a) b", cpu=(7, 5), start=4242)
        self.assertEqual(proctree.read_stat(601, self.proc.root), (600, 600, 12, 4242))

    def test_cpu_used_tells_reused_pids_apart(self):
        self.proc.add(600, 500, 600, "leader", cpu=(10, 0), start=100)
        self.proc.add(601, 600, 600, "helper", cpu=(3, 0), start=110)
        before = proctree.cpu_ticks(600, self.proc.root)
        self.proc.add(600, 500, 600, "leader", cpu=(12, 1), start=100)
        self.proc.add(601, 600, 600, "helper", cpu=(4, 0), start=900)  # same pid, a new process
        after = proctree.cpu_ticks(600, self.proc.root)
        self.assertEqual(proctree.cpu_used(before, after), 3 + 4)

    def add_thread(self, pid, tid, comm, on_cpu_ns, slices, start=100):
        folder = os.path.join(self.proc.root, str(pid), "task", str(tid))
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "stat"), "w") as out:
            out.write(stat_line(tid, comm, 0, 0, 0, 0, start))
        with open(os.path.join(folder, "comm"), "w") as out:
            out.write(comm + "\n")
        with open(os.path.join(folder, "schedstat"), "w") as out:
            out.write("%d 12345 %d\n" % (on_cpu_ns, slices))

    def test_run_times_are_exact_per_thread_and_tell_reused_tids_apart(self):
        self.add_thread(600, 600, "leader", 5_000_000, 40)
        self.add_thread(600, 620, "Compositor", 1_000_000, 10)
        self.add_thread(601, 601, "Web Content (a) b", 2_000_000, 7, start=110)
        self.add_thread(700, 700, "stranger", 0, 0)
        before = proctree.run_times(600, self.proc.root)
        self.add_thread(600, 600, "leader", 5_250_000, 41)  # one wake of a quarter millisecond
        self.add_thread(600, 620, "Compositor", 1_000_000, 10)  # slept throughout
        self.add_thread(601, 601, "Web Content (a) b", 500_000, 2, start=900)  # tid reused by a new thread
        self.add_thread(602, 602, "renderer", 100_000, 1)  # a thread not there before
        self.add_thread(700, 700, "stranger", 9_000_000, 90)
        ms, wakeups, threads = proctree.run_time_used(before, proctree.run_times(600, self.proc.root))
        self.assertAlmostEqual(ms, 0.25 + 0.5 + 0.1)
        self.assertEqual(wakeups, 1 + 2 + 1)
        self.assertEqual([name for name, _, _ in threads],
                         ["Web: Web Content (a) b", "leader: leader", "renderer: renderer"])

    def test_run_times_need_the_schedulers_accounting(self):
        # Kernels without schedstat: no exact figure rather than a false zero.
        self.assertEqual(proctree.run_times(600, self.proc.root), {})
        self.assertIsNone(proctree.run_time_used({}, {}))

    def test_process_name_reads_rewritten_command_lines(self):
        self.proc.add(610, 600, 600, cmdline=b"/usr/lib/engine/helper --type=renderer --lang=en\0\0")
        self.proc.add(611, 600, 600, cmdline=b"/usr/lib/engine/helper\0--type=zygote\0--no-sandbox\0")
        self.assertEqual(proctree.process_name(610, self.proc.root), "helper renderer")
        self.assertEqual(proctree.process_name(611, self.proc.root), "helper zygote")

    def map_pages(self, pid, mappings):
        """Gives `pid` smaps and pagemap files: mappings are (first page, [pagemap entries], rss kB)."""
        folder = os.path.join(self.proc.root, str(pid))
        page = proctree.PAGE_SIZE
        with open(os.path.join(folder, "smaps"), "w") as smaps, open(os.path.join(folder, "pagemap"), "wb") as pagemap:
            for first, entries, rss in mappings:
                smaps.write("%x-%x r-xp 00000000 08:01 42 /usr/lib/libx.so\nSize: 8 kB\nRss: %d kB\nPss: 1 kB\n"
                            % (first * page, (first + len(entries)) * page, rss))
                pagemap.seek(first * 8)
                pagemap.write(struct.pack("<%dQ" % len(entries), *entries))

    def test_footprint_counts_each_page_once(self):
        present, swapped = proctree.PRESENT, proctree.SWAPPED
        self.map_pages(600, [(16, [present | 7, present | 8, 0], 8),  # one page not in memory
                             (64, [present | 99], 0)])  # smaps says nothing resident here: not read
        self.map_pages(601, [(16, [present | 7, swapped | 8], 4)])  # frame 7 shared; swap slot 8 is not frame 8
        self.map_pages(700, [(16, [present | 50], 4)])  # outside the tree
        page_kb = proctree.PAGE_SIZE // 1024
        self.assertEqual(proctree.footprint(600, self.proc.root), 3 * page_kb)

    def test_footprint_needs_frame_numbers(self):
        self.map_pages(600, [(16, [proctree.PRESENT, proctree.PRESENT], 8)])  # frames hidden from non-root
        self.assertIsNone(proctree.footprint(600, self.proc.root))

    def test_live_system_counts_this_process(self):
        memory = proctree.memory(os.getpid())
        self.assertGreater(memory["pss"], 0)
        self.assertGreaterEqual(memory["rss"], memory["pss"])
        self.assertGreaterEqual(memory["pss"], memory["uss"])
        self.assertGreaterEqual(memory["count"], 1)
        if os.geteuid() == 0:
            self.assertGreater(proctree.footprint(os.getpid()), memory["uss"])

    def test_live_system_sees_this_process_run(self):
        before = proctree.run_times(os.getpid())
        if not before:
            self.skipTest("this kernel keeps no schedstat")
        deadline = time.thread_time() + 0.02
        while time.thread_time() < deadline:
            pass
        ms, wakeups, threads = proctree.run_time_used(before, proctree.run_times(os.getpid()))
        self.assertGreaterEqual(ms, 20)
        self.assertGreaterEqual(wakeups, 0)
        self.assertTrue(any(ms >= 20 for _, ms, _ in threads))


if __name__ == "__main__":
    unittest.main()
