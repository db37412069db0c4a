#!/usr/bin/env python3
"""Runs a Google Benchmark program several times and prints, for every
benchmark, its ratio to the baseline of its group in each run and the median
of those ratios across runs.

The machine's speed drifts between runs (a shared host), so one run says
little about a bar stated as a ratio; the per-run ratios and their median do.
Within a run every benchmark is the median of interleaved repetitions.

  scripts/bench-ratios.py --runs 5 --baseline 'memcpy/' \\
      build/native-release/bench/effects/bench_effects
  scripts/bench-ratios.py --runs 5 --baseline 'BM_Memcpy_' --rate \\
      --filter '1920x1080' build/native-release/bench/bitmap/bench_bitmap

A benchmark's group is the first match of --group in its name (by default the
size and, for frames, the resolution: "1920x1080/res4"); its baseline is the
benchmark of the same group whose name starts with --baseline. The ratio is
time / baseline time ("so many baselines"), or with --rate the baseline's
time over the benchmark's ("this fraction of the baseline's rate", for
benchmarks that process the same items).
"""
import argparse
import json
import re
import statistics
import subprocess
import sys


def run_once(binary, flt, repetitions):
    cmd = [binary, f"--benchmark_repetitions={repetitions}",
           "--benchmark_report_aggregates_only=true",
           "--benchmark_enable_random_interleaving=true",
           "--benchmark_format=json"]
    if flt:
        cmd.append(f"--benchmark_filter={flt}")
    out = subprocess.run(cmd, check=True, capture_output=True, text=True).stdout
    times = {}
    for b in json.loads(out)["benchmarks"]:
        # The median of the repetitions; with one repetition the run itself.
        if b.get("aggregate_name") == "median" or (repetitions == 1 and
                                                   b.get("run_type") == "iteration"):
            name = b["run_name"]
            # real_time in the benchmark's own unit; convert to ns.
            scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b.get("time_unit", "ns")]
            times[name] = b["real_time"] * scale
    return times


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("binary")
    ap.add_argument("--runs", type=int, default=3)
    ap.add_argument("--repetitions", type=int, default=5)
    ap.add_argument("--filter", default="")
    ap.add_argument("--baseline", required=True, help="name prefix of the baseline benchmarks")
    ap.add_argument("--group", default=r"\d+x\d+(/res\d+)?")
    ap.add_argument("--rate", action="store_true", help="print baseline time / time")
    ap.add_argument("--times", action="store_true", help="also print each benchmark's times")
    args = ap.parse_args()

    group_re = re.compile(args.group)
    runs = []
    for i in range(args.runs):
        runs.append(run_once(args.binary, args.filter, args.repetitions))
        print(f"run {i + 1} of {args.runs} done", file=sys.stderr)

    names = list(runs[0].keys())
    width = max(len(n) for n in names)
    print(f"{'benchmark':<{width}}  " + "  ".join(f"run {i + 1:>2}" for i in range(len(runs)))
          + "   median")
    for name in names:
        m = group_re.search(name)
        if not m:
            continue
        base = next((n for n in names
                     if n.startswith(args.baseline) and group_re.search(n)
                     and group_re.search(n).group(0) == m.group(0)), None)
        if base is None:
            continue
        ratios = []
        for r in runs:
            if name in r and base in r and r[name] > 0:
                ratios.append(r[base] / r[name] if args.rate else r[name] / r[base])
        if not ratios:
            continue
        cells = "  ".join(f"{x:6.2f}" for x in ratios)
        print(f"{name:<{width}}  {cells}   {statistics.median(ratios):6.2f}")
    if args.times:
        print()
        print(f"{'benchmark':<{width}}  time per iteration, median across runs (range)")
        for name in names:
            t = sorted(r[name] for r in runs if name in r)
            print(f"{name:<{width}}  {Fmt(statistics.median(t))}  ({Fmt(t[0])} .. {Fmt(t[-1])})")


def Fmt(ns):
    if ns >= 1e6:
        return f"{ns / 1e6:.3f} ms"
    if ns >= 1e3:
        return f"{ns / 1e3:.3f} us"
    return f"{ns:.1f} ns"


if __name__ == "__main__":
    main()
