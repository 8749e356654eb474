# SPDX-License-Identifier: GPL-3.0-or-later
"""Medians, ranges and ratios of the figures, printed as plain-text tables."""

import statistics

# (key, title, format) of each figure a kind of run produces.
WEB_FIGURES = [
    ("loaded_s", "launch to page loaded (s)", "%.3f"),
    ("pss_load_mb", "PSS of the tree at load (MB)", "%.1f"),
    ("rss_load_mb", "RSS of the tree at load (MB)", "%.1f"),
    ("pss_settled_mb", "PSS of the tree 2 s after load (MB)", "%.1f"),
    ("rss_settled_mb", "RSS of the tree 2 s after load (MB)", "%.1f"),
    ("footprint_settled_mb", "distinct pages of the tree 2 s after load (MB)", "%.1f"),
    ("anon_settled_mb", "anonymous PSS of the tree 2 s after load (MB)", "%.1f"),
    ("uss_settled_mb", "USS (private memory) of the tree 2 s after load (MB)", "%.1f"),
    ("processes_settled", "processes 2 s after load", "%.0f"),
    ("idle_cpu_pct", "idle CPU over 3 s from 2 s after load (% of one core)", "%.2f"),
    ("idle_cpu_exact_pct", "idle CPU over the same 3 s, exact: the scheduler's run times (% of one core)", "%.3f"),
    ("idle_wakeups_per_s", "wake-ups over the same 3 s: threads put on a CPU (per second)", "%.1f"),
    ("close_s", "close request to exit (s)", "%.3f"),
]
WINDOW_FIGURES = [
    ("mapped_s", "launch to window mapped (s)", "%.3f"),
    ("painted_s", "launch to first paint (s)", "%.3f"),
    ("poll_ms", "paint detection resolution: mean time per look (ms)", "%.1f"),
    ("pss_painted_mb", "PSS of the tree 1 s after paint (MB)", "%.1f"),
    ("uss_painted_mb", "USS (private memory) of the tree 1 s after paint (MB)", "%.1f"),
    ("processes_painted", "processes 1 s after paint", "%.0f"),
    ("close_s", "close request to exit (s)", "%.3f"),
]


def summarize(results, names, key):
    """{name: (median, min, max, runs that gave the figure)} over the successful runs."""
    summary = {}
    for name in names:
        values = [r["figures"][key] for r in results if r["contender"] == name and r.get("figures")
                  and key in r["figures"]]
        if values:
            summary[name] = (statistics.median(values), min(values), max(values), len(values))
    return summary


def ratio(numerator, denominator):
    if numerator is None or denominator is None:
        return None
    if denominator == 0:
        return None if numerator != 0 else 1.0
    return numerator / denominator


def format_table(results, names, figures, reference, title):
    """One block per figure: median, min and max per contender, and `reference` / contender."""
    lines = [title, "=" * len(title)]
    ratio_title = "%s / this" % reference
    width = max([12] + [len(name) for name in names])
    for key, label, fmt in figures:
        summary = summarize(results, names, key)
        if not summary:
            continue
        lines.append("")
        lines.append(label)
        lines.append("  %-*s %10s %10s %10s %5s %14s" % (width, "contender", "median", "min", "max", "runs", ratio_title))
        reference_median = summary.get(reference, (None,))[0]
        for name in names:
            if name not in summary:
                lines.append("  %-*s %10s" % (width, name, "failed"))
                continue
            median, low, high, count = summary[name]
            value = ratio(reference_median, median)
            lines.append("  %-*s %10s %10s %10s %5d %14s" % (
                width, name, fmt % median, fmt % low, fmt % high, count, "-" if value is None else "%.2f" % value))
    failures = [r for r in results if r.get("error")]
    if failures:
        lines.append("")
        lines.append("Failed runs:")
        for r in failures:
            lines.append("  %s run %d: %s" % (r["contender"], r["run"], r["error"]))
    return "\n".join(lines)


def median_of(results, name, key):
    return summarize(results, [name], key).get(name, (None,))[0]


def target_lines(web_results, window_results):
    """Each target with the measured value and whether this run meets it."""
    checks = []

    def check(text, value, limit, shown):
        if value is None:
            checks.append("  %-58s %s" % (text, "not measured"))
        else:
            checks.append("  %-58s %-10s %s" % (text, shown % value, "met" if value <= limit else "NOT met"))

    loaded = median_of(web_results, "lumivane", "loaded_s")
    check("runner load time <= 1.05 x floor", ratio(loaded, median_of(web_results, "floor", "loaded_s")),
          1.05, "%.2f x")
    check("runner load time <= 0.8 x chromium", ratio(loaded, median_of(web_results, "chromium", "loaded_s")),
          0.8, "%.2f x")
    pss = median_of(web_results, "lumivane", "pss_settled_mb")
    check("runner PSS 2 s after load <= 0.9 x floor", ratio(pss, median_of(web_results, "floor", "pss_settled_mb")),
          0.9, "%.2f x")
    check("  same by distinct pages (steady on a busy machine)",
          ratio(median_of(web_results, "lumivane", "footprint_settled_mb"),
                median_of(web_results, "floor", "footprint_settled_mb")), 0.9, "%.2f x")
    check("runner close to exit < 0.25 s (median)", median_of(web_results, "lumivane", "close_s"), 0.2499,
          "%.3f s")
    check("runner idle CPU 0 % (median)", median_of(web_results, "lumivane", "idle_cpu_pct"), 0.0, "%.2f %%")
    check("designer first paint <= 1.2 x bare widgets window",
          ratio(median_of(window_results, "designer", "painted_s"),
                median_of(window_results, "barewidgets", "painted_s")), 1.2, "%.2f x")
    return ["Targets (medians of this run)"] + checks
