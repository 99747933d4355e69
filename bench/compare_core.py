#!/usr/bin/python3
"""The core's microbenchmarks (Google Benchmark, on the fake platform) of two builds, run in turn
and printed side by side: the median of the repetitions, and the heap allocations a press makes.

    bench/compare_core.py THIS_BUILD_DIR BASELINE_BUILD_DIR [--smoke]
"""

import argparse
import json
import os
import subprocess

PROGRAMS = ["main_window_bench", "net_bench"]


def results(build_dir, smoke):
    """{benchmark name: (median time with its unit, allocations a press or None)}"""
    found = {}
    for program in PROGRAMS:
        path = os.path.join(build_dir, "bench", program)
        args = [path, "--benchmark_format=json"]
        args += (["--benchmark_min_time=0.001"] if smoke else
                 ["--benchmark_min_time=0.2", "--benchmark_repetitions=3",
                  "--benchmark_report_aggregates_only=true"])
        out = json.loads(subprocess.run(args, capture_output=True, text=True, check=True).stdout)
        for b in out["benchmarks"]:
            if b.get("error_occurred"):
                raise SystemExit("%s: %s" % (b["name"], b.get("error_message")))
            if b.get("aggregate_name", "median") != "median":
                continue
            name = b.get("run_name", b["name"])
            found[name] = ("%.3g %s" % (b["real_time"], b["time_unit"].replace("us", "µs")),
                           b.get("allocs_per_press"))
    return found


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("this")
    ap.add_argument("baseline")
    ap.add_argument("--smoke", action="store_true", help="a few iterations, to see it runs")
    args = ap.parse_args()
    ours, theirs = results(args.this, args.smoke), results(args.baseline, args.smoke)
    print("| Benchmark (median of 3) | this build | baseline |")
    print("|---|---|---|")
    for name, (time, allocs) in ours.items():
        base = theirs.get(name)
        extra = lambda a: "" if a is None else ", %.0f heap allocations" % a  # noqa: E731
        print("| %s | %s%s | %s |" % (name, time, extra(allocs),
                                      base[0] + extra(base[1]) if base else "-"))


if __name__ == "__main__":
    main()
