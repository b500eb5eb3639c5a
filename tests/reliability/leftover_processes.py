#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Checks that a test run leaves no process behind.

Every test runs with SOLVARA_TEST_RUN naming its build directory in its environment, and whatever
it starts inherits the mark: the program, X servers, window managers, spoolers, and a session bus
that a library might launch on its own (dbus-launch and dbus-daemon daemonize, but keep the
environment). `record FILE` notes the marked processes already there before the tests, left by
an earlier run; `check FILE`, run once all tests are done, fails for any other marked process that
is still there after a short grace.

Usage: leftover_processes.py record|check FILE
"""
import os
import sys
import time

GRACE_SECONDS = 5


def marked_processes(mark):
    """{(pid, start time): command line} of the processes whose environment holds the mark."""
    found = {}
    for name in os.listdir("/proc"):
        if not name.isdigit() or int(name) == os.getpid():
            continue
        try:
            with open(f"/proc/{name}/environ", "rb") as f:
                if mark not in f.read().split(b"\0"):
                    continue
            with open(f"/proc/{name}/stat", "rb") as f:
                # The start time is field 22, counted after the command name in parentheses.
                start = f.read().rsplit(b")", 1)[1].split()[19].decode()
            with open(f"/proc/{name}/cmdline", "rb") as f:
                command = f.read().replace(b"\0", b" ").decode(errors="replace").strip()
        except (FileNotFoundError, ProcessLookupError, PermissionError, IndexError):
            continue
        found[(int(name), start)] = command or "(no command line)"
    return found


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("record", "check"):
        sys.exit(__doc__.strip().splitlines()[-1])
    mode, path = sys.argv[1], sys.argv[2]
    run = os.environ.get("SOLVARA_TEST_RUN")
    if not run:
        sys.exit("leftover_processes: SOLVARA_TEST_RUN is not set")
    mark = b"SOLVARA_TEST_RUN=" + run.encode()

    if mode == "record":
        with open(path, "w") as f:
            for (pid, start), command in sorted(marked_processes(mark).items()):
                f.write(f"{pid} {start} {command}\n")
        return

    before = set()
    if os.path.exists(path):
        with open(path) as f:
            before = {(int(line.split()[0]), line.split()[1]) for line in f if line.strip()}
    deadline = time.monotonic() + GRACE_SECONDS
    while True:
        left = {key: command for key, command in marked_processes(mark).items()
                if key not in before}
        if not left or time.monotonic() >= deadline:
            break
        time.sleep(0.1)
    if before:
        print(f"{len(before)} marked process(es) from before this run ignored")
    if left:
        print("processes the tests started are still running:")
        for (pid, _), command in sorted(left.items()):
            print(f"  {pid}: {command}")
        sys.exit(1)
    print("no process left behind")


if __name__ == "__main__":
    main()
