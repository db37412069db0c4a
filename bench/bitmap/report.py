#!/usr/bin/env python3
"""Turns the JSON of bench_bitmap (run with repetitions and aggregates) into the
Markdown table of docs/PERFORMANCE.md: medians in Mpixel/s, each against
memcpy of the same pixels and against pixman's nearest equivalent measured in
the same run."""
import json
import sys

MIXES = {"0": "alpha all 128", "1": "alpha uniformly random", "2": "90 % opaque at random"}
LEVELS = {"0": "scalar reference", "1": "SSE2", "2": "AVX2", "3": "AVX-512"}


def main(path):
    with open(path) as f:
        data = json.load(f)
    med = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") == "median":
            med[b["run_name"].replace("BM_", "")] = b["items_per_second"] / 1e6
    rows = []

    def row(name, label, size, pixman=None):
        if name not in med:
            return
        mem = med["Memcpy_" + size]
        v = med[name]
        p = med.get(pixman) if pixman else None
        rows.append((label, size.replace("x", " x "), v, v / mem,
                     f"{p:,.0f}" if p else "-", f"{v / p:.2f}" if p else "-"))

    for size in ("1920x1080", "75x25"):
        row("Memcpy_" + size, "memcpy (baseline)", size)
        for k, mix in MIXES.items():
            row(f"Blend_{size}/{k}", f"BlendPixels, {mix}", size, f"PixmanOver_{size}/{k}")
        if size == "1920x1080":
            for k, level in LEVELS.items():
                row(f"BlendLevel_{size}/{k}", f"BlendPixels {level}, random alpha", size,
                    f"PixmanOver_{size}/1")
            row(f"KeyCopy_{size}", "KeyCopyPixels, 10 % key pixels at random", size)
            row(f"Copy_{size}", "CopyPixels", size, f"PixmanSrc_{size}")
            row(f"FillBlock_{size}", "FillBlock (pixman_fill)", size, f"PixmanFill_{size}")
        row(f"DrawTo_{size}", "DrawTo same size, opaque", size, f"PixmanSrc_{size}")
        src = "960 x 540" if size == "1920x1080" else "38 x 13"
        row(f"DrawToStretched_{size}", f"DrawTo stretched from {src}, opaque", size,
            f"PixmanScaled_{size}")
    print("| operation | size | Mpixel/s | x memcpy | pixman Mpixel/s | x pixman |")
    print("|---|---|---:|---:|---:|---:|")
    for label, size, v, rm, p, rp in rows:
        print(f"| {label} | {size} | {v:,.0f} | {rm:.2f} | {p} | {rp} |")


if __name__ == "__main__":
    main(sys.argv[1])
