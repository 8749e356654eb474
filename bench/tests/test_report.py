# SPDX-License-Identifier: GPL-3.0-or-later
import unittest

from harness import report


def run(name, number, **figures):
    return {"contender": name, "run": number, "figures": figures}


def failed(name, number, error):
    return {"contender": name, "run": number, "error": error}


class ReportTest(unittest.TestCase):
    def test_summary_skips_failed_runs_and_takes_the_middle(self):
        results = [run("a", 1, t=4.0), run("a", 2, t=1.0), failed("a", 3, "crashed"), run("a", 4, t=2.0),
                   run("a", 5, t=3.0), run("b", 1, t=9.0)]
        self.assertEqual(report.summarize(results, ["a", "b", "c"], "t"),
                         {"a": (2.5, 1.0, 4.0, 4), "b": (9.0, 9.0, 9.0, 1)})

    def test_table_shows_ratio_to_the_reference_and_failures(self):
        results = [run("lumivane", 1, loaded_s=0.5), run("floor", 1, loaded_s=0.4), failed("chromium", 1, "boom")]
        text = report.format_table(results, ["lumivane", "floor", "chromium"], report.WEB_FIGURES, "lumivane", "T")
        floor_row = next(line for line in text.splitlines() if line.strip().startswith("floor"))
        self.assertEqual(floor_row.split()[1:], ["0.400", "0.400", "0.400", "1", "1.25"])
        self.assertRegex(text, r"chromium +failed")
        self.assertIn("chromium run 1: boom", text)
        self.assertNotIn("PSS", text)  # no figure without any value

    def test_ratio_of_idle_nothing(self):
        self.assertEqual(report.ratio(0.0, 0.0), 1.0)
        self.assertIsNone(report.ratio(0.5, 0.0))
        self.assertIsNone(report.ratio(None, 2.0))

    def test_targets_judge_the_medians(self):
        web = [run("lumivane", 1, loaded_s=0.52, pss_settled_mb=230.0, footprint_settled_mb=290.0, close_s=0.3,
                   idle_cpu_pct=0.0),
               run("floor", 1, loaded_s=0.50, pss_settled_mb=260.0, footprint_settled_mb=300.0),
               run("chromium", 1, loaded_s=0.70)]
        lines = report.target_lines(web, [])
        verdicts = [("NOT met" if line.endswith("NOT met") else "met" if line.endswith("met") else "not measured")
                    for line in lines[1:]]
        # load vs floor 1.04, load vs chromium 0.74, PSS 0.88, pages 0.97, close 0.3 s, idle 0 %, no designer
        self.assertEqual(verdicts, ["met", "met", "met", "NOT met", "NOT met", "met", "not measured"])
        self.assertIn("1.04 x", lines[1])
        self.assertIn("0.97 x", lines[4])
        self.assertIn("0.300 s", lines[5])

if __name__ == "__main__":
    unittest.main()
