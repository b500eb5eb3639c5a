#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Measures Solvara against a bare SDL2 program in a private X server and writes the figures.

Start-up, idle CPU, peak resident memory and frames shown while idle come from alternating runs
of both programs, each with a small preloaded probe that stamps every window update; the hot
paths come from the Google Benchmark binary. Run through `make bench`.
"""
import argparse
import datetime
import json
import os
import platform
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

# The waits the program makes between exec and the frame that first shows the whole main screen
# with the values panel, as the start-up code makes them (milliseconds).
PRESCRIBED_WAITS = [
    ("restart: before the surface is opened", 20),
    ("placement: before the desktop size is read", 20),
    ("placement: before the window position is read", 20),
    ("placement: before the window is put back", 20),
    ("main screen: after it is shown in one piece", 50),
    # The values rows are shown when the values refresh begins its 50 ms pause, so that pause
    # comes after the frame.
]

TARGETS = {"startup": 1.2, "idle": 1.5, "memory": 1.2, "present_ms": 0.5, "present_2x_ms": 1.0}


def now_ns():
    return time.clock_gettime_ns(time.CLOCK_MONOTONIC)


class Xvfb:
    def __init__(self):
        read_fd, write_fd = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1920x1080x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=[write_fd], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        with os.fdopen(read_fd, "rb") as f:
            while not number.endswith(b"\n"):
                chunk = f.read(1)
                if not chunk:
                    break
                number += chunk
        if not number.strip():
            self.proc.kill()
            sys.exit("run_bench: Xvfb did not start")
        self.display = ":" + number.decode().strip()

    def stop(self):
        self.proc.terminate()
        try:
            self.proc.wait(5)
        except subprocess.TimeoutExpired:
            self.proc.kill()


def cpu_ns(pid):
    """Run time of all the process's threads, in nanoseconds."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except (FileNotFoundError, ProcessLookupError):
            pass
    return total


def peak_kb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def read_log(path):
    try:
        with open(path) as f:
            return [(int(t), h) for t, h in (line.split() for line in f if line.strip())]
    except FileNotFoundError:
        return []


def measure(program, env, probe, workdir, idle_s):
    """One run: start-up, idle cost over idle_s, frames shown while idle, peak memory."""
    log = os.path.join(workdir, "presents.log")
    if os.path.exists(log):
        os.remove(log)
    run_env = dict(env, LD_PRELOAD=probe, SOLVARA_PROBE_LOG=log)
    with open(os.path.join(workdir, "stderr.txt"), "w") as err:
        t0 = now_ns()
        proc = subprocess.Popen([program], env=run_env, cwd=workdir,
                                stdout=subprocess.DEVNULL, stderr=err)
    # Settled: at least 1.5 s since exec and half a second without a new frame.
    deadline = time.monotonic() + 15
    last_count, last_change = -1, time.monotonic()
    while time.monotonic() < deadline and proc.poll() is None:
        count = len(read_log(log))
        if count != last_count:
            last_count, last_change = count, time.monotonic()
        if (now_ns() - t0) > 1.5e9 and time.monotonic() - last_change > 0.5 and count > 0:
            break
        time.sleep(0.02)
    if proc.poll() is not None:
        sys.exit(f"run_bench: {program} ended early with status {proc.returncode}")
    frames = read_log(log)
    if not frames:
        proc.kill()
        sys.exit(f"run_bench: {program} showed no frame within 15 s")
    final = frames[-1][1]
    first_complete = next(t for t, h in frames if h == final)

    cpu0, n0, w0 = cpu_ns(proc.pid), len(read_log(log)), now_ns()
    time.sleep(idle_s)
    cpu1, n1, w1 = cpu_ns(proc.pid), len(read_log(log)), now_ns()
    peak = peak_kb(proc.pid)

    subprocess.run(["xdotool", "mousemove", "960", "540", "key", "Escape"], env=env,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        proc.wait(3)
    except subprocess.TimeoutExpired:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(3)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
    return {
        "startup_ms": (first_complete - t0) / 1e6,
        "startup_frames": sum(1 for t, _ in frames if t <= first_complete),
        "idle_cpu_pct": 100.0 * (cpu1 - cpu0) / (w1 - w0),
        "idle_frames": n1 - n0,
        "peak_kb": peak,
    }


def run_micro(binary, env, min_time):
    out = subprocess.run(
        [binary, "--benchmark_format=json", "--benchmark_repetitions=5",
         "--benchmark_report_aggregates_only=true", f"--benchmark_min_time={min_time}"],
        env=env, capture_output=True, text=True)
    if out.returncode != 0:
        sys.stderr.write(out.stderr)
        sys.exit("run_bench: the micro-benchmarks failed")
    results = {}
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
    for b in json.loads(out.stdout)["benchmarks"]:
        if b.get("aggregate_name") != "median":
            continue
        name = b["run_name"].split("/")[0]
        if b.get("error_occurred"):
            results[name] = None
            continue
        results[name] = {
            "real_ms": b["real_time"] * scale[b["time_unit"]],
            "cpu_ms": b["cpu_time"] * scale[b["time_unit"]],
            "items_per_s": b.get("items_per_second"),
        }
    return results


def machine():
    info = {}
    out = subprocess.run(["lscpu"], capture_output=True, text=True).stdout
    for line in out.splitlines():
        key, _, value = line.partition(":")
        info[key.strip()] = value.strip()
    mem_kb = 0
    with open("/proc/meminfo") as f:
        for line in f:
            if line.startswith("MemTotal:"):
                mem_kb = int(line.split()[1])
    sdl = subprocess.run(["pkg-config", "--modversion", "sdl2"], capture_output=True,
                         text=True).stdout.strip()
    return (f"{info.get('Model name', '?')}, {info.get('CPU(s)', '?')} CPUs "
            f"({info.get('Thread(s) per core', '?')} thread(s) per core), "
            f"{info.get('Hypervisor vendor', 'no') + ' guest' if 'Hypervisor vendor' in info else 'bare metal'}, "
            f"{mem_kb // 1024} MiB RAM; Linux {platform.release()}; SDL {sdl}; "
            f"Xvfb 1920x1080x24")


def micros(ms):
    us = ms * 1e3
    return f"{us:.0f}" if us >= 100 else f"{us:.1f}" if us >= 10 else f"{us:.3g}"


def verdict(ok):
    return "met" if ok else "**missed**"


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", required=True, help="the optimised build directory")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--idle", type=float, default=10.0, help="idle seconds per run")
    parser.add_argument("--min-time", type=float, default=0.2,
                        help="seconds per micro-benchmark repetition")
    parser.add_argument("--out", help="Markdown report to write")
    parser.add_argument("--command", default="make bench", help="how this run was started")
    args = parser.parse_args()

    build = os.path.abspath(args.build)
    solvara = os.path.join(build, "solvara")
    baseline = os.path.join(build, "bench", "solvara_baseline")
    probe = os.path.join(build, "bench", "solvara_present_probe.so")
    micro = os.path.join(build, "bench", "solvara_microbench")
    for path in (solvara, baseline, probe, micro):
        if not os.path.exists(path):
            sys.exit(f"run_bench: {path} is missing; build it first")
    if shutil.which("Xvfb") is None or shutil.which("xdotool") is None:
        sys.exit("run_bench: needs Xvfb and xdotool (scripts/install-deps)")

    xvfb = Xvfb()
    workdir = tempfile.mkdtemp(prefix="solvara-bench-")
    env = {k: v for k, v in os.environ.items()
           if k not in ("WAYLAND_DISPLAY", "SDL_VIDEODRIVER", "LD_PRELOAD")}
    env["DISPLAY"] = xvfb.display
    runs = {"solvara": [], "baseline": []}
    try:
        for i in range(args.runs):
            order = [("solvara", solvara), ("baseline", baseline)]
            if i % 2:
                order.reverse()
            for name, program in order:
                r = measure(program, env, probe, workdir, args.idle)
                runs[name].append(r)
                print(f"run {i + 1} {name:8}: start-up {r['startup_ms']:6.1f} ms, "
                      f"idle {r['idle_cpu_pct']:.2f} % CPU, {r['idle_frames']} idle frames, "
                      f"peak {r['peak_kb'] / 1024:.1f} MiB", flush=True)
        micro_results = run_micro(micro, env, args.min_time)
    finally:
        xvfb.stop()
        shutil.rmtree(workdir, ignore_errors=True)

    def med(name, key):
        return statistics.median(r[key] for r in runs[name])

    waits = sum(ms for _, ms in PRESCRIBED_WAITS)
    s_start, b_start = med("solvara", "startup_ms"), med("baseline", "startup_ms")
    start_ratio = s_start / (b_start + waits)
    s_idle, b_idle = med("solvara", "idle_cpu_pct"), med("baseline", "idle_cpu_pct")
    idle_ratio = s_idle / b_idle if b_idle > 0 else float("inf")
    s_peak, b_peak = med("solvara", "peak_kb"), med("baseline", "peak_kb")
    peak_ratio = s_peak / b_peak
    idle_frames = max(r["idle_frames"] for r in runs["solvara"])
    present = micro_results.get("BM_PresentFullPage")
    present_ms = present["real_ms"] if present else None
    present_2x = micro_results.get("BM_PresentFullPageScale2")
    present_2x_ms = present_2x["real_ms"] if present_2x else None

    lines = []
    lines.append("# Performance\n")
    lines.append("Solvara measured against a bare SDL2 program (`bench/baseline.cpp`: the same "
                 "643 x 483 borderless window, an 8-bit surface blitted to the window surface, "
                 "one white frame, events polled every 10 ms) in the same run, on a private "
                 "Xvfb server. Regenerate with `make bench`.\n")
    lines.append(f"- Date: {datetime.datetime.now(datetime.timezone.utc):%Y-%m-%d %H:%M} UTC")
    lines.append(f"- Machine: {machine()}")
    lines.append(f"- Command: `{args.command}` (optimised build in `{os.path.basename(build)}`, "
                 f"{args.runs} alternating runs of each program, medians; {args.idle:g} s idle "
                 f"per run)\n")
    lines.append("## Against the targets\n")
    lines.append("| Measure | Solvara | Baseline | Ratio | Target | |")
    lines.append("|---|---|---|---|---|---|")
    lines.append(f"| Start-up, exec to the complete main screen (ms) | {s_start:.1f} | "
                 f"{b_start:.1f} + {waits} waits = {b_start + waits:.1f} | {start_ratio:.2f} | "
                 f"<= {TARGETS['startup']} | {verdict(start_ratio <= TARGETS['startup'])} |")
    lines.append(f"| Idle CPU, {args.idle:g} s without input (% of one core) | {s_idle:.2f} | "
                 f"{b_idle:.2f} | {idle_ratio:.2f} | <= {TARGETS['idle']} | "
                 f"{verdict(idle_ratio <= TARGETS['idle'])} |")
    lines.append(f"| Peak resident memory (MiB) | {s_peak / 1024:.1f} | {b_peak / 1024:.1f} | "
                 f"{peak_ratio:.2f} | <= {TARGETS['memory']} | "
                 f"{verdict(peak_ratio <= TARGETS['memory'])} |")
    if present_ms is not None:
        lines.append(f"| Presenting one full page (ms) | {present_ms:.3f} | "
                     f"{micro_results['BM_PresentBareSdl']['real_ms']:.3f} | | "
                     f"<= {TARGETS['present_ms']} ms | "
                     f"{verdict(present_ms <= TARGETS['present_ms'])} |")
    if present_2x_ms is not None:
        lines.append(f"| Presenting one full page enlarged 2 x, 1286 x 966 (ms) | "
                     f"{present_2x_ms:.3f} | | | <= {TARGETS['present_2x_ms']} ms | "
                     f"{verdict(present_2x_ms <= TARGETS['present_2x_ms'])} |")
    lines.append(f"| Frames shown while idle, most in one run | {idle_frames} | "
                 f"{max(r['idle_frames'] for r in runs['baseline'])} | | 0 | "
                 f"{verdict(idle_frames == 0)} |")
    lines.append("")
    lines.append("Start-up is timed from just before exec to the return of the window update that "
                 "first shows the final picture of the main screen (a preloaded probe, "
                 "`bench/present_probe.c`, stamps each update with CLOCK_MONOTONIC and a hash of "
                 "the window surface). The waits the program makes before that frame, from the "
                 "start-up code:\n")
    for what, ms in PRESCRIBED_WAITS:
        lines.append(f"- {what}: {ms} ms")
    lines.append(f"- total: {waits} ms (the values refresh's own 50 ms pause begins with the "
                 "frame, so it is not counted)\n")
    lines.append("Idle CPU is the run time of all the process's threads (schedstat) over the idle "
                 "window; peak memory is VmHWM at its end.\n")
    lines.append("## Each run\n")
    lines.append("| Run | Program | Start-up (ms) | Frames up to it | Idle CPU (%) | Idle frames "
                 "| Peak (MiB) |")
    lines.append("|---|---|---|---|---|---|---|")
    for i in range(args.runs):
        for name in ("solvara", "baseline"):
            r = runs[name][i]
            lines.append(f"| {i + 1} | {name} | {r['startup_ms']:.1f} | {r['startup_frames']} | "
                         f"{r['idle_cpu_pct']:.2f} | {r['idle_frames']} | "
                         f"{r['peak_kb'] / 1024:.1f} |")
    lines.append("")
    lines.append("## Hot paths (Google Benchmark, median of 5 repetitions)\n")
    lines.append("| Benchmark | What | Wall time (µs) | CPU time (µs) |")
    lines.append("|---|---|---|---|")
    described = [
        ("BM_DrawMainScreenWithPanel", "the whole main screen and the values panel, headless"),
        ("BM_ResultsScreenRight", "results of a right triangle with its drawing (X 3, Y 4)"),
        ("BM_ResultsScreenOblique", "results of an oblique triangle with its drawing (5, 6, 7)"),
        ("BM_PresentFullPage", "one full page through SdlBackend::present on the Xvfb (main "
         "and results screens in turn)"),
        ("BM_PresentFullPageScale2", "every row of a page through SdlBackend::present with the "
         "window enlarged 2 x: 2 x 2 blocks written into the window surface and sent"),
        ("BM_EnlargePageScale2", "the 2 x enlargement alone, page and palette into a 1286 x 966 "
         "surface in memory"),
        ("BM_PresentSamePixels", "SdlBackend::present of a page redrawn with the same pixels "
         "(compared, not sent)"),
        ("BM_PresentBareSdl", "a full page through bare SDL2 calls, as the baseline presents"),
        ("BM_PresentUnchangedPage", "Display::presentIfChanged when nothing changed"),
        ("BM_BmpWriterSavePage", "BmpWriter::savePage of a results screen to /tmp"),
        ("BM_FormatMasked", "formatMasked with the panel mask, per six numbers"),
    ]
    for name, what in described:
        r = micro_results.get(name)
        if r is None:
            lines.append(f"| `{name}` | {what} | skipped | |")
        else:
            lines.append(f"| `{name}` | {what} | {micros(r['real_ms'])} | "
                         f"{micros(r['cpu_ms'])} |")
    lines.append("")
    report = "\n".join(lines)
    print()
    print(report)
    if args.out:
        notes = ""
        if os.path.exists(args.out):
            with open(args.out) as f:
                old = f.read()
            marker = "## Notes"
            if marker in old:
                notes = old[old.index(marker):]
        with open(args.out, "w") as f:
            f.write(report + ("\n" + notes if notes else ""))
        print(f"written to {args.out}")


if __name__ == "__main__":
    main()
