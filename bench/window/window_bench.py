#!/usr/bin/env python3
"""Times the program's window with its real 3D preview on a virtual X display
and prints a Markdown table: medians over several runs of window_timings
(start-up, the first preview frame, CONFIRM until the preview shows the
element) and the peak memory of its whole process tree, beside the memory of a
bare Qt window with the preview's OpenGL surface (floor_window).

With BESIDE_BUILD_DIR, the window_timings of another build (an older
program) runs in turn with this one, run for run on the same display, and
its medians stand in a column beside.

Usage: window_bench.py BUILD_DIR [RUNS] [BESIDE_BUILD_DIR]"""
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

RUN_TIMEOUT_S = 300
FRAME_MS = 16
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


def process_tree(root):
    """The process and all its descendants."""
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
    tree, pending = [], [root]
    while pending:
        pid = pending.pop()
        pending += children.get(pid, [])
        tree.append(pid)
    return tree


def summed(pids, read):
    """The sum of read(pid) in bytes over the processes still there."""
    total = 0
    for pid in pids:
        try:
            total += read(pid)
        except OSError:
            pass  # gone meanwhile
    return total


def rss_bytes(pid):
    with open(f"/proc/{pid}/statm") as f:
        return int(f.read().split()[1]) * PAGE_BYTES


def pss_bytes(pid):
    """The proportional set size: each shared page divided among its sharers."""
    with open(f"/proc/{pid}/smaps_rollup") as f:
        for line in f:
            if line.startswith("Pss:"):
                return int(line.split()[1]) * 1024
    return 0


# Who holds the memory of a process, by the file each mapping shows: the
# libraries of Mesa (the software renderer and LLVM, which compiles its
# shaders), Qt's and Coin's, the program's own code; memory no file shows is
# the heap and the anonymous mappings, which every library allocates from.
SHARES = [("Mesa (software renderer, LLVM)", r"swrast_dri|libgallium|libLLVM|libGL|libglapi|libEGL|libgbm|libdrm|libxshmfence"),
          ("Qt", r"libQt6|/qt6/plugins/"), ("Coin", r"libCoin"), ("the program's code", r"window_timings|tarvo"),
          ("heap", r"^\[heap\]$"), ("anonymous mappings", r"^$|^\[anon|^\[stack"),
          ("other libraries and files", r"")]


def pss_shares(pid):
    """The process's proportional set size in kB by SHARES."""
    totals = dict.fromkeys([name for name, _ in SHARES], 0)
    owner = None
    with open(f"/proc/{pid}/smaps") as f:
        for line in f:
            if re.match(r"^[0-9a-f]+-[0-9a-f]+ ", line):
                parts = line.split(None, 5)
                path = parts[5].strip() if len(parts) > 5 else ""
                owner = next(name for name, pattern in SHARES if re.search(pattern, path))
            elif line.startswith("Pss:"):
                totals[owner] += int(line.split()[1])
    return totals


def run_once(program, display):
    """One run: the printed timings and, in MB, the peak resident memory of
    the process tree, its proportional set size at that peak, and its resident
    memory when the empty scene was shown; last, the most processes seen."""
    env = dict(os.environ, DISPLAY=display)
    with tempfile.TemporaryDirectory() as work:
        out_path, err_path = os.path.join(work, "out"), os.path.join(work, "err")
        with open(out_path, "w") as out, open(err_path, "w") as err:
            process = subprocess.Popen([program], stdout=out, stderr=err, env=env)
        deadline = time.monotonic() + RUN_TIMEOUT_S
        peak = peak_pss = processes = 0
        shares = {}
        empty_scene = None  # the tree's resident memory once the empty scene is shown
        # Reading a process's smaps holds its memory map's lock, which its page
        # faults wait for: the proportional set size is read only once the
        # start-up has been timed (the peak comes with the 50-element tool).
        started = False
        peak_started = 0
        while True:
            tree = process_tree(process.pid)
            processes = max(processes, len(tree))
            rss = summed(tree, rss_bytes)
            peak = max(peak, rss)
            printed = read(out_path)
            started = started or "warmed-up" in printed
            if started and rss > peak_started:
                peak_started, peak_pss = rss, summed(tree, pss_bytes)
                try:
                    shares = pss_shares(process.pid)
                except OSError:
                    pass  # gone meanwhile
            if empty_scene is None and "first-frame" in printed:
                empty_scene = rss
            try:
                process.wait(timeout=SAMPLE_INTERVAL_S)
                break
            except subprocess.TimeoutExpired:
                if time.monotonic() > deadline:
                    process.kill()
                    sys.exit(f"{program} did not finish within {RUN_TIMEOUT_S} s")
        if process.returncode != 0:
            sys.exit(f"{program} failed with status {process.returncode}:\n{read(err_path)}")
        timings = {}
        for line in read(out_path).splitlines():
            *name, value = line.split()
            timings[" ".join(name)] = float(value)
    timings.update({"share " + name: kb / 1024 for name, kb in shares.items()})
    return timings, [value / 1024 / 1024 for value in (peak, peak_pss, empty_scene)] + [processes]


def floor_shares(program, display):
    """The proportional set size in MB, whole and by SHARES, of floor_window
    (a bare Qt window with the preview's OpenGL surface) once it has drawn."""
    env = dict(os.environ, DISPLAY=display)
    process = subprocess.Popen([program], stdin=subprocess.PIPE, stdout=subprocess.PIPE, env=env, text=True)
    try:
        if process.stdout.readline().strip() != "drawn":
            sys.exit(f"{program} did not draw")
        whole = pss_bytes(process.pid) / 1024 / 1024
        shares = {name: kb / 1024 for name, kb in pss_shares(process.pid).items()}
    finally:
        process.communicate("\n", timeout=RUN_TIMEOUT_S)
    return whole, shares


def read(path):
    with open(path) as f:
        return f.read()


def ordinal(n):
    return f"{n}{'st' if n == 1 else 'th'}"


def medians(samples):
    """The median of each timing and memory figure over the runs."""
    figures = {name: statistics.median(timings.get(name, 0) for timings, _ in samples)
               for name in samples[0][0]}
    for index, name in enumerate(["peak rss", "peak pss", "empty rss", "processes"]):
        figures[name] = statistics.median(memory[index] for _, memory in samples)
    return figures


def main():
    build = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 7
    programs = [os.path.join(build, "bench", "window_timings")]
    if len(sys.argv) > 3:
        programs.append(os.path.join(sys.argv[3], "bench", "window_timings"))
    floor_program = os.path.join(build, "bench", "floor_window")
    server, display = start_display()
    try:
        samples = [[] for _ in programs]
        floors = []
        for _ in range(runs):
            for program, runs_of_program in zip(programs, samples):
                runs_of_program.append(run_once(program, display))
            floors.append(floor_shares(floor_program, display))
    finally:
        server.terminate()
        server.wait()
    figures = [medians(runs_of_program) for runs_of_program in samples]

    rows = [("Process start to the window shown", "shown", "ms", 100),
            ("Process start to the first preview frame (empty scene)", "first-frame", "ms", 150),
            ("Process start to the warm-up drawn unseen (the first click waits for it)", "warmed-up", "ms",
             None)]
    # Every edit within one frame of a 60 Hz screen.
    for element, kind in ELEMENTS.items():
        rows.append((f"CONFIRM to the preview showing it, {ordinal(element)} element ({kind})",
                     f"confirm {element}", "ms", FRAME_MS))
    rows += [("Edit → Undo of the 50th CONFIRM to the preview showing it", "undo 50", "ms", FRAME_MS),
             ("Edit → Redo of it to the preview showing it", "redo 50", "ms", FRAME_MS),
             ("OK of a change of element 1 (of 49) to the preview showing it", "change 1", "ms", FRAME_MS),
             ("OK of a cylinder inserted above element 25 to the preview showing it", "insert 25", "ms",
              FRAME_MS),
             ("Removal of that element to the preview showing the tool without it", "remove 25", "ms",
              FRAME_MS)]
    # The budget is on the proportional set size: resident pages that
    # processes share (the libraries) count once among them, not once each.
    rows += [("Peak resident memory of the process tree (sum of RSS)", "peak rss", "MB", None),
             ("Proportional set size at the highest resident memory after start-up (sum of PSS)", "peak pss", "MB",
              80),
             ("Resident memory of the tree with the empty scene shown (sum of RSS)", "empty rss", "MB",
              None),
             ("Processes", "processes", "", 2)]

    print(f"Medians of {runs} runs on Xvfb 1280x1024x24, Mesa software rendering; a tip of 50")
    print("elements, cylinders and cones in turn, built by clicks and typing (the first 30")
    print("CONFIRMs timed), then an undo, a redo, an undo, a change of element 1, an")
    print("insert above element 25 and its removal. Processor time: of all the process's threads")
    print("(Mesa's rasterizers among them) over the same span, less dependent on other work.", end="")
    if len(programs) > 1:
        print(f" Beside: {os.path.abspath(sys.argv[3])}, run in turn with it.", end="")
    print("\n")
    beside = " | Beside" if len(programs) > 1 else ""
    print(f"| Measure | Median | Processor time | Budget | Within{beside} |")
    print(f"|---|---|---|---|---{'|---' if beside else ''}|")
    for name, key, unit, budget in rows:
        value = figures[0][key]
        cpu = figures[0].get("cpu " + key)
        cells = [name, f"{value:.0f} {unit}".strip(), f"{cpu:.0f} ms" if cpu is not None else ""]
        cells += ["", ""] if budget is None else [f"≤ {budget} {unit}".strip(),
                                                   "yes" if value <= budget else "NO"]
        cells += [f"{other[key]:.0f} {unit}".strip() if key in other else "-" for other in figures[1:]]
        print("| " + " | ".join(cells) + " |")
    floor = statistics.median(whole for whole, _ in floors)
    print("\nThe process's proportional set size at its peak, by who holds it (medians), beside")
    print("a bare Qt window with an OpenGL surface of the preview's format and size, cleared")
    print("and shown (`floor_window`): what the libraries hold before the program does anything,")
    print(f"{floor:.1f} MB in all.\n")
    print("| Held by | PSS | Bare window |")
    print("|---|---|---|")
    for name, _ in SHARES:
        bare = statistics.median(shares.get(name, 0) for _, shares in floors)
        print(f"| {name} | {figures[0].get('share ' + name, 0):.1f} MB | {bare:.1f} MB |")


if __name__ == "__main__":
    main()
