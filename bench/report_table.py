#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Turns one run of scripts/bench_report.sh into Markdown: every figure with a target beside
its target, the other figures, the comparison with dictd, and the machine.

Usage: report_table.py table WORK_DIR REPETITIONS > report.md
       report_table.py readme README.md report.md
WORK_DIR holds bench.json (Google Benchmark), cmd-en.json and cmd-el.json (hyperfine) and
machine.txt (key=value lines). "readme" replaces the text between the bench markers of
README.md with the report, leaving everything else as it was.
"""
import json
import os
import sys

UNIT_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def load_benchmarks(path):
    """Per benchmark name: its median over the repetitions (or its only run), or an error."""
    with open(path, encoding="utf-8") as f:
        data = json.load(f)
    runs, errors = {}, {}
    for b in data["benchmarks"]:
        name = b.get("run_name", b["name"])
        if b.get("error_occurred"):
            errors[name] = b.get("error_message", "failed")
            continue
        if b.get("run_type") == "aggregate":
            if b.get("aggregate_name") == "median":
                runs[name] = b
        else:
            runs.setdefault(name, b)
    return runs, errors


class Figures:
    def __init__(self, runs, errors):
        self.runs, self.errors, self.used = runs, errors, set()

    def ms(self, name, counter=None):
        """The figure in milliseconds: the time per iteration, or a counter (named *_us or
        *_ms); None with the reason when the benchmark did not run."""
        self.used.add(name)
        b = self.runs.get(name)
        if b is None:
            return None, self.errors.get(name, "not run")
        if counter is None:
            return b["real_time"] * UNIT_MS[b["time_unit"]], None
        if counter not in b:
            return None, "no %s" % counter
        scale = 1e-3 if counter.endswith("_us") else 1.0
        return b[counter] * scale, None

    def counter(self, name, counter):
        b = self.runs.get(name)
        return None if b is None or counter not in b else b[counter]


def fmt_ms(ms):
    if ms is None:
        return "—"
    if ms < 1:
        return "%.3g µs" % (ms * 1000)
    return "%.3g ms" % ms


def ratio_text(theirs, ours):
    if theirs is None or ours is None or theirs <= 0 or ours <= 0:
        return "—"
    r = theirs / ours
    if r >= 1:
        return "Zelvoran %.3g× faster" % r
    return "dictd %.3g× faster" % (1 / r)


# (figure, data, benchmark, counter or None, target in ms, target text)
TARGETS = [
    ("Load the dictionary", "synthetic", "BM_LoadDictionary", None, 100, "< 100 ms"),
    ("Load the dictionary", "bundled", "BM_LoadDictionaryBundled", None, 100, "< 100 ms"),
    ("START lookup, one keystroke (median)", "synthetic", "BM_StartLookup", "median_us", 0.1,
     "< 0.1 ms"),
    ("START lookup, slowest keystroke (its best time)", "synthetic", "BM_StartLookup",
     "slowest_key_us", 1, "< 1 ms"),
    ("CONTAIN lookup on a whole index (median)", "synthetic", "BM_ContainLookup", "median_us", 2,
     "< 2 ms"),
    ("CONTAIN lookup, slowest key (its best time)", "synthetic", "BM_ContainLookup",
     "slowest_key_us", 2, "< 2 ms"),
    ("END lookup on a whole index (median)", "synthetic", "BM_EndLookup", "median_us", 2,
     "< 2 ms"),
    ("END lookup, slowest key (its best time)", "synthetic", "BM_EndLookup", "slowest_key_us", 2,
     "< 2 ms"),
    ("List fill, 32736 rows, core rows only", "synthetic", "BM_ListFill", None, 16, "< 16 ms"),
    ("List fill, 32736 rows into the window's list model and view, to its paint", "synthetic",
     "BM_ListFillWindow", None, 16, "< 16 ms"),
    ("Explanation search, first after loading", "synthetic", "BM_ExplanationSearchFirst", None,
     500, "< 500 ms"),
    ("Explanation search, first after loading", "bundled", "BM_ExplanationSearchFirstBundled",
     None, 500, "< 500 ms"),
    ("Explanation search, later", "synthetic", "BM_ExplanationSearch", None, 30, "< 30 ms"),
    ("Explanation search, later", "bundled", "BM_ExplanationSearchBundled", None, 30, "< 30 ms"),
    ("Store insert into 10,000 own entries, with the reload", "synthetic", "BM_StoreInsert", None,
     50, "< 50 ms"),
    ("Window start to first paint", "synthetic", "BM_WindowToFirstPaint", None, 300, "< 300 ms"),
    ("Window start to first paint", "bundled", "BM_WindowToFirstPaintBundled", None, 300,
     "< 300 ms"),
    ("Εκφώνηση: click to the first audio buffer (median)", "bundled", "BM_SpeakToFirstBuffer",
     "median_ms", 100, "< 100 ms"),
]

PEER = [
    ("Prefix MATCH / START lookup", "BM_DictdPrefixMatch", "BM_InProcessPrefixMatch"),
    ("Substring MATCH / CONTAIN lookup", "BM_DictdSubstringMatch", "BM_InProcessSubstringMatch"),
]


def hyperfine(path):
    with open(path, encoding="utf-8") as f:
        results = json.load(f)["results"]
    return [(r["mean"] * 1e3, r["stddev"] * 1e3 if r.get("stddev") is not None else 0.0)
            for r in results]


BEGIN, END = "<!-- bench:begin -->", "<!-- bench:end -->"


def replace_section(text, report):
    """The README text with its bench section replaced, or None when the markers are not
    there exactly once each and in order."""
    if text.count(BEGIN) != 1 or text.count(END) != 1 or text.index(BEGIN) > text.index(END):
        return None
    head, rest = text.split(BEGIN)
    _, tail = rest.split(END)
    return head + BEGIN + "\n" + report.strip() + "\n" + END + tail


def update_readme(readme, report_path):
    with open(readme, encoding="utf-8") as f:
        text = f.read()
    with open(report_path, encoding="utf-8") as f:
        report = f.read()
    new = replace_section(text, report)
    if new is None:
        sys.exit("%s needs exactly one %s ... %s section" % (readme, BEGIN, END))
    with open(readme, "w", encoding="utf-8") as f:
        f.write(new)


def table(work, repetitions):
    runs, errors = load_benchmarks(os.path.join(work, "bench.json"))
    fig = Figures(runs, errors)
    machine = {}
    with open(os.path.join(work, "machine.txt"), encoding="utf-8") as f:
        for line in f:
            key, _, value = line.rstrip("\n").partition("=")
            machine[key] = value
    out = []
    w = out.append

    w("Measured by `bash scripts/bench_report.sh` on %s: %s CPUs (%s), %s, %s; load average "
      "at the end %s. Each figure is %s of a Google Benchmark run (wall-clock time); the full-size synthetic data has the delivered record counts, the "
      "bundled data is the one built from FreeDict." % (
          machine.get("date", "?"), machine.get("nproc", "?"), machine.get("cpu", "?"),
          machine.get("memory", "?"), machine.get("os", "?"), machine.get("load", "?"),
          "the median of %s repetitions" % repetitions if repetitions != "1" else "one run"))
    w("")
    w("| figure | data | measured | target | met |")
    w("|---|---|---|---|---|")
    for figure, data, name, counter, target, target_text in TARGETS:
        ms, why = fig.ms(name, counter)
        if ms is None:
            w("| %s | %s | not measured (%s) | %s | — |" % (figure, data, why, target_text))
        else:
            w("| %s | %s | %s | %s | %s |" % (figure, data, fmt_ms(ms), target_text,
                                             "yes" if ms < target else "**no**"))
    w("")

    others = [n for n in runs if n not in fig.used and not n.startswith("BM_Dictd")
              and not n.startswith("BM_InProcess")]
    if others:
        w("Other figures, without a target (time per iteration):")
        w("")
        w("| benchmark | measured |")
        w("|---|---|")
        for n in others:
            w("| `%s` | %s |" % (n, fmt_ms(fig.ms(n)[0])))
        w("")

    w("**Side by side with dictd** on the same FreeDict content, served by Debian's `dictd` "
      "(%s) on 127.0.0.1.\n" % machine.get("dictd", "?"))
    w("(a) Warm queries: MATCH through one persistent DICT connection (TCP_NODELAY, "
      "TCP_QUICKACK) against `RunLookup` in process on the loaded bundled dictionary, the same "
      "words on both sides (prefixes hous, comp, inter, wat, γρα, σπι, καλ; infixes ation, ous, "
      "ight, ματ, ικό), mean time per question. The answers are not the same size: the bundled "
      "index also holds the headwords made by reversing the other direction, and its keys fold "
      "Greek accents, so it finds more.")
    w("")
    w("| question | dictd | Zelvoran in process | ratio |")
    w("|---|---|---|---|")
    for label, theirs_name, ours_name in PEER:
        theirs, why_t = fig.ms(theirs_name)
        ours, why_o = fig.ms(ours_name)
        matches = fig.counter(theirs_name, "matches")
        rows = fig.counter(ours_name, "rows")
        t_text = fmt_ms(theirs) if theirs is not None else "not measured (%s)" % why_t
        o_text = fmt_ms(ours) if ours is not None else "not measured (%s)" % why_o
        if matches is not None:
            t_text += " (%.0f matches)" % matches
        if rows is not None:
            o_text += " (%.0f rows)" % rows
        w("| %s | %s | %s | %s |" % (label, t_text, o_text, ratio_text(theirs, ours)))
    w("")
    w("(b) Whole commands, timed by hyperfine (%s; 5 warm-up runs, 40 runs, no shell): "
      "`dict -h 127.0.0.1 -p PORT -d DB -m -s prefix WORD` against `zelvoran-lookup WORD` run "
      "from the program folder. dict asks the running server; zelvoran-lookup loads the whole "
      "dictionary on every run." % machine.get("hyperfine", "hyperfine"))
    w("")
    w("| command | dict | zelvoran-lookup | ratio |")
    w("|---|---|---|---|")
    for label, name in (("English prefix `hous`", "cmd-en.json"), ("Greek prefix `σπί`",
                                                                   "cmd-el.json")):
        path = os.path.join(work, name)
        if not os.path.exists(path):
            w("| %s | not measured | not measured | — |" % label)
            continue
        (d_mean, d_sd), (z_mean, z_sd) = hyperfine(path)[:2]
        w("| %s | %.2f ms ± %.2f | %.2f ms ± %.2f | %s |" % (label, d_mean, d_sd, z_mean, z_sd,
                                                           ratio_text(d_mean, z_mean)))
    print("\n".join(out))


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "table":
        table(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 4 and sys.argv[1] == "readme":
        update_readme(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
