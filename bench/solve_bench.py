#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Measures `solvara solve --json -`: problems a second and memory against the number of lines.

Ordinary problems, right and oblique mixed, are written to a file and fed to the real program on
its standard input; its answers go to /dev/null. The time is the wall time of the whole process,
so reading, parsing, solving and writing the JSON are all in it; the peak resident memory is the
process's own (wait4). Prints the figures and, with --out, writes them as one section of the
performance report, leaving the rest of the report as it is. Run through `make bench-solve`.
"""
import argparse
import datetime
import json
import os
import random
import statistics
import subprocess
import sys
import tempfile
import time

SECTION = "## Solving from the command line"
# Notes written under the section by hand are kept when the figures are written again.
NOTES = "### Reading the solve figures"


def triangle_lines(count, seed=16):
    """`count` problem lines of every ordinary kind, with sides and angles of a few decimals."""
    rng = random.Random(seed)

    def side():
        return f"{rng.uniform(0.5, 200):.{rng.randint(0, 3)}f}"

    def angle(low=5, high=85):
        return f"{rng.uniform(low, high):.{rng.randint(0, 2)}f}"

    def three_sides():
        while True:
            x, y = rng.uniform(1, 100), rng.uniform(1, 100)
            z = rng.uniform(abs(x - y) + 0.5, x + y - 0.5) if x + y - abs(x - y) > 1 else 0
            if z > 0:
                return f"x={x:.2f} y={y:.2f} z={z:.2f}"

    kinds = [
        lambda: f"right x={side()} y={side()}",
        lambda: f"right z={side()} a={angle()}",
        lambda: f"right y={side()} b={angle()}",
        lambda: f"right x={side()} e={rng.randint(5, 80)}d{rng.randint(0, 59)}m{rng.randint(0, 59)}s",
        lambda: "oblique " + three_sides(),
        lambda: f"oblique x={side()} z={side()} a={angle(10, 150)}",
        lambda: f"oblique a={angle(10, 80)} b={angle(10, 80)} x={side()}",
        # Two sides and an angle opposite one: one or two triangles.
        lambda: f"oblique x=10 y={rng.uniform(5.5, 12):.2f} a=30",
    ]
    return [kinds[i % len(kinds)]() for i in range(count)]


def run(solvara, path, work):
    """Feeds the file to the program; returns (wall s, CPU s, peak KiB, exit status).

    GNU time starts the program and reads its resource use: a child started straight from this
    interpreter would count the interpreter's own pages in its peak.
    """
    usage = os.path.join(work, "usage.txt")
    with open(path, "rb") as stdin, open(os.devnull, "wb") as stdout:
        start = time.perf_counter()
        proc = subprocess.run(["/usr/bin/time", "-f", "%x %U %S %M", "-o", usage,
                               solvara, "solve", "--json", "-"],
                              stdin=stdin, stdout=stdout, check=False)
        wall = time.perf_counter() - start
    with open(usage) as f:
        status, user, system, peak = f.read().split()[-4:]
    return wall, float(user) + float(system), int(peak), int(status)


def check_answers(solvara, lines):
    """Every line is answered, in order, and every ordinary problem solves."""
    out = subprocess.run([solvara, "solve", "--json", "-"], input="\n".join(lines) + "\n",
                         capture_output=True, text=True, check=False)
    objects = [json.loads(line) for line in out.stdout.splitlines()]
    if [o["line"] for o in objects] != list(range(1, len(lines) + 1)):
        sys.exit("solve_bench: the answers do not match the lines")
    solved = sum(1 for o in objects if o["error"] is None)
    two = sum(1 for o in objects if len(o["answers"]) == 2)
    if not all("circumradius" in a for o in objects for a in o["answers"]):
        sys.exit("solve_bench: an answer without the figures of the triangle")
    return solved, two, out.returncode


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", required=True, help="the optimised build directory")
    parser.add_argument("--lines", type=int, nargs="+", default=[100_000, 1_000_000])
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--out", help="the performance report to put the section into")
    args = parser.parse_args()
    solvara = os.path.join(os.path.abspath(args.build), "solvara")
    if not os.path.exists(solvara):
        sys.exit(f"solve_bench: {solvara} is missing; build it first")
    if not os.path.exists("/usr/bin/time"):
        sys.exit("solve_bench: needs GNU time (scripts/install-deps)")

    checked = 8000
    solved, two, status = check_answers(solvara, triangle_lines(checked))
    print(f"check: {solved} of {checked} problems solved, {two} with two answers, "
          f"exit status {status}", flush=True)

    results = []
    with tempfile.TemporaryDirectory(prefix="solvara-solve-bench-") as work:
        for count in args.lines:
            path = os.path.join(work, f"{count}.txt")
            with open(path, "w") as f:
                f.write("\n".join(triangle_lines(count)) + "\n")
            runs = [run(solvara, path, work) for _ in range(args.runs)]
            wall = statistics.median(r[0] for r in runs)
            cpu = statistics.median(r[1] for r in runs)
            peak = max(r[2] for r in runs)
            results.append((count, os.path.getsize(path), wall, cpu, peak, runs[0][3]))
            print(f"{count:>9} lines: {count / wall:,.0f} problems/s (wall), "
                  f"{count / cpu:,.0f} problems/s (CPU), peak {peak / 1024:.1f} MiB, "
                  f"exit status {runs[0][3]}", flush=True)

    lines = [SECTION, ""]
    lines.append(f"`solvara solve --json -` on problem lines from a file, answers to /dev/null, "
                 f"{args.runs} runs of each size, medians; the time is that of the whole process "
                 "(start, reading, parsing, solving, writing the JSON, each answer with its "
                 "twelve figures of the triangle). The problems are right "
                 "and oblique in turn: two legs, hypotenuse and angle, leg and angle, leg and an "
                 "angle in degrees, minutes and seconds, three sides, two sides and the angle "
                 "between, two angles and a side, two sides and an angle opposite one (one or two "
                 f"answers). Of the first {checked:,} lines {solved:,} solve and {two:,} have two "
                 "answers. Regenerate with `make bench-solve`.")
    lines.append("")
    lines.append(f"- Date: {datetime.datetime.now(datetime.timezone.utc):%Y-%m-%d %H:%M} UTC")
    lines.append(f"- Program: `{os.path.basename(os.path.abspath(args.build))}/solvara` "
                 "(optimised build)")
    lines.append("")
    lines.append("| Lines | Input (MiB) | Wall time (s) | Problems/s (wall) | Problems/s (CPU) "
                 "| Peak resident memory (MiB) | Target | |")
    lines.append("|---|---|---|---|---|---|---|---|")
    for count, size, wall, cpu, peak, _ in results:
        rate = count / wall
        verdict = "met" if rate >= 300_000 else "**missed**"
        lines.append(f"| {count:,} | {size / 2**20:.1f} | {wall:.3f} | {rate:,.0f} | "
                     f"{count / cpu:,.0f} | {peak / 1024:.1f} | >= 300,000/s | {verdict} |")
    lines.append("")
    if len(results) > 1:
        low, high = results[0], results[-1]
        lines.append(f"Memory does not follow the input: {high[0] // low[0]} times the lines "
                     f"peak at {high[4] / 1024:.1f} MiB against {low[4] / 1024:.1f} MiB. Lines "
                     "are read through one buffer of fixed size and the answers written out "
                     "through another.")
        lines.append("")
    section = "\n".join(lines)
    print()
    print(section)
    if args.out:
        old = ""
        if os.path.exists(args.out):
            with open(args.out) as f:
                old = f.read()
        # The section is the last of the report: what stood under its heading is replaced, but
        # for the notes.
        notes = ""
        if SECTION in old:
            old, mine = old[:old.index(SECTION)], old[old.index(SECTION):]
            if NOTES in mine:
                notes = "\n" + mine[mine.index(NOTES):]
        with open(args.out, "w") as f:
            f.write(old.rstrip("\n") + "\n\n" + section + notes)
        print(f"written to {args.out}")


if __name__ == "__main__":
    main()
