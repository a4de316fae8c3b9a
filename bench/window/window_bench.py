#!/usr/bin/env python3
"""Times the program's window with its real 3D preview on a virtual X display
and prints a Markdown table: medians over several runs of window_timings
(start-up, the first preview frame, CONFIRM until the preview shows the
element) and the peak resident memory of its whole process tree, the web
view's helper processes included.

Usage: window_bench.py BUILD_DIR [RUNS]"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

RUN_TIMEOUT_S = 300
SAMPLE_INTERVAL_S = 0.02
PAGE_BYTES = os.sysconf("SC_PAGE_SIZE")
# The elements whose CONFIRM is reported: window_timings builds a tip of
# cylinders (odd elements) and cones (even elements) in turn.
ELEMENTS = {1: "cylinder", 10: "cone", 30: "cone"}


def start_display():
    """Starts Xvfb on a free display; returns the process and the display name
    once the server accepts connections."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                               "-nolisten", "tcp"], pass_fds=(write_end,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as ready:
        number = ready.readline().strip()
    if not number:
        server.kill()
        sys.exit("Xvfb did not start")
    return server, f":{number}"


def tree_rss_bytes(root):
    """The summed resident size of the process and all its descendants."""
    children = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as f:
                stat = f.read()
        except OSError:
            continue  # gone meanwhile
        parent = int(stat[stat.rindex(")") + 2:].split()[1])
        children.setdefault(parent, []).append(int(entry))
    total, pending = 0, [root]
    while pending:
        pid = pending.pop()
        pending += children.get(pid, [])
        try:
            with open(f"/proc/{pid}/statm") as f:
                total += int(f.read().split()[1]) * PAGE_BYTES
        except OSError:
            pass
    return total


def run_once(program, display):
    """One run: the printed timings and the peak memory of the process tree."""
    env = dict(os.environ, DISPLAY=display)
    with tempfile.TemporaryFile("w+") as out, tempfile.TemporaryFile("w+") as err:
        process = subprocess.Popen([program], stdout=out, stderr=err, env=env)
        deadline = time.monotonic() + RUN_TIMEOUT_S
        peak = 0
        while True:
            peak = max(peak, tree_rss_bytes(process.pid))
            try:
                process.wait(timeout=SAMPLE_INTERVAL_S)
                break
            except subprocess.TimeoutExpired:
                if time.monotonic() > deadline:
                    process.kill()
                    sys.exit(f"{program} did not finish within {RUN_TIMEOUT_S} s")
        if process.returncode != 0:
            err.seek(0)
            sys.exit(f"{program} failed with status {process.returncode}:\n{err.read()}")
        out.seek(0)
        timings = {}
        for line in out:
            *name, value = line.split()
            timings[" ".join(name)] = float(value)
    return timings, peak / 1024 / 1024


def ordinal(n):
    return f"{n}{'st' if n == 1 else 'th'}"


def main():
    build = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 7
    program = os.path.join(build, "bench", "window_timings")
    server, display = start_display()
    try:
        samples = [run_once(program, display) for _ in range(runs)]
    finally:
        server.terminate()
        server.wait()

    def median(name):
        return statistics.median(timings[name] for timings, _ in samples)

    rows = [("Process start to the window shown", median("shown"), "ms", 500),
            ("Process start to the first preview frame (empty scene)", median("first-frame"), "ms",
             2000)]
    for element, kind in ELEMENTS.items():
        rows.append((f"CONFIRM to the preview showing it, {ordinal(element)} element ({kind})",
                     median(f"confirm {element}"), "ms", 300))
    rows.append(("Peak resident memory of the process tree (sum of RSS)",
                 statistics.median(peak for _, peak in samples), "MB", 400))

    print(f"Medians of {runs} runs on Xvfb 1280x1024x24, Mesa software rendering; a tip of 30")
    print("elements, cylinders and cones in turn, built by clicks and typing.")
    print()
    print("| Measure | Median | Budget | Within |")
    print("|---|---|---|---|")
    for name, value, unit, budget in rows:
        print(f"| {name} | {value:.0f} {unit} | < {budget} {unit} | {'yes' if value < budget else 'NO'} |")


if __name__ == "__main__":
    main()
