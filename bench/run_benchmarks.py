#!/usr/bin/env python3
"""Runs the benchmarks and writes bench/RESULTS.md: the core commands against
their file-operation baselines, the largest tools through tarvo-replay, and
the window's timings when its benchmark was built (BESIDE=DIR: beside those
of another build)."""
import datetime
import json
import os
import platform
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
FIGURES_BUDGET_US = 1000
RATIO_BUDGET = 2  # a command against the bare file work it must do
HISTORY_BUDGET_MS = 20


def within(value, budget):
    return "yes" if value < budget else "NO"


def machine():
    cpu = "unknown processor"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                cpu = line.split(":", 1)[1].strip()
                break
    with open("/proc/meminfo") as f:
        memory_kb = int(f.readline().split()[1])
    return f"{os.cpu_count()} cores, {cpu}, {memory_kb / 1024 / 1024:.0f} GiB, {platform.system()} {platform.release()}"


def core_section(build):
    out = subprocess.run([os.path.join(build, "bench", "core_bench"), "--benchmark_repetitions=5",
                          "--benchmark_report_aggregates_only=true", "--benchmark_format=json",
                          "--benchmark_min_time=0.2"], check=True, capture_output=True, text=True).stdout
    medians = {b["run_name"]: b["real_time"] for b in json.loads(out)["benchmarks"]
               if b.get("aggregate_name") == "median"}
    pairs = []
    history = []
    figures = []
    for name, value in medians.items():
        if name.startswith("History"):
            history.append((name.replace("History", ""), value))
            continue
        if name.startswith("FiguresFifty/"):  # no file work to compare with: a budget of its own
            figures.append((name.partition("/")[2].lower(), value))
            continue
        if "Baseline" in name:
            continue
        head, _, case = name.partition("/")
        baseline = head + "Baseline" + ("/" + case if case else "")
        label = "CONFIRM " + case if head == "RunConfirm" else f"{head} ({case})" if case else head
        pairs.append((label, value, medians[baseline]))
    lines = ["| Command | Median | File-operation baseline | Ratio | Budget | Within |", "|---|---|---|---|---|---|"]
    for label, value, base in pairs:
        ratio = value / base
        lines.append(f"| {label} | {value:.0f} µs | {base:.0f} µs | {ratio:.2f} | < {RATIO_BUDGET} | {within(ratio, RATIO_BUDGET)} |")
    lines += ["", "The history on a tool of 50 elements, rebuilt from its steps:", "",
              "| Step | Median | Budget | Within |", "|---|---|---|---|"]
    for label, value in history:
        lines.append(f"| {label} | {value / 1000:.2f} ms | < {HISTORY_BUDGET_MS} ms | {within(value / 1000, HISTORY_BUDGET_MS)} |")
    lines += ["", "The figures of a tool of 50 elements, bending and heat included:", "",
              "| Tool | Median | Budget | Within |", "|---|---|---|---|"]
    for label, value in figures:
        lines.append(f"| 50 {label} | {value:.1f} µs | < {FIGURES_BUDGET_US} µs | {within(value, FIGURES_BUDGET_US)} |")
    return "\n".join(lines)


# The data sheet's measurements as sheet_bench.sh names them: what, unit, budget.
SHEET_ROWS = {
    "figures-50-us": ("Figures of a 50-element tool", "µs", 1000),
    "layout-50-us": ("The sheet's layout of a 50-element tool", "µs", None),
    "dialog-50-ms": ("The sheet's dialog on screen", "ms", 300),
    "library-sheet-pdf-ms": ("`tarvo-library sheet` writing its PDF", "ms", 500),
}


def sheet_section(build):
    """sheet_bench.sh's medians as a table beside their budgets."""
    out = subprocess.run([os.path.join(HERE, "sheet", "sheet_bench.sh"), build, "5"], check=True,
                         capture_output=True, text=True).stdout
    lines = ["| Measure | Runs | Median | Budget | Within |", "|---|---|---|---|---|"]
    for line in out.strip().splitlines():
        key, _, rest = line.partition(":")
        runs, _, median = rest.partition("median")
        label, unit, budget = SHEET_ROWS.get(key, (key, "", None))
        value = float(median)
        cells = [label, runs.strip(), f"{value:g} {unit}", f"< {budget} {unit}" if budget else "",
                 within(value, budget) if budget else ""]
        lines.append("| " + " | ".join(cells) + " |")
    return "\n".join(lines)


def main():
    build = sys.argv[1]
    replay = os.path.join(build, "src", "app", "tarvo-replay")
    load = ", ".join(f"{value:.1f}" for value in os.getloadavg())
    sections = [
        "# Benchmark results",
        "",
        f"Measured {datetime.date.today().isoformat()} on {machine()}; medians of at least five runs.",
        f"Load average (1, 5, 15 minutes) at the start: {load}: other work on the machine slows every figure.",
        "Reproduce with `make bench`.",
        "",
        "## Core commands (`bench/core`)",
        "",
        "Each command in process on a real directory, beside the bare system calls that the same",
        "file work takes (the same bytes appended, the same whole-file copies).",
        "",
        core_section(build),
        "",
        "## Largest tools through `tarvo-replay` (`bench/replay`)",
        "",
        "Budget: under 50 ms wall time and under 16 MB peak memory each.",
        "",
        subprocess.run([sys.executable, os.path.join(HERE, "replay", "replay_bench.py"), replay, "7"],
                       check=True, capture_output=True, text=True).stdout.strip(),
        "",
        "## The tool library (`bench/library`)",
        "",
        subprocess.run([sys.executable, os.path.join(HERE, "library", "library_bench.py"), build, "5"],
                       check=True, capture_output=True, text=True).stdout.strip(),
    ]
    window = os.path.join(HERE, "window", "window_bench.py")
    window_binary = os.path.join(build, "src", "app", "tarvo-tools")
    # BESIDE=DIR: the window's benchmark of another build (an older program)
    # runs in turn with this one, for figures of the same machine and load.
    beside = [os.environ["BESIDE"]] if os.environ.get("BESIDE") else []
    if os.path.exists(window) and os.path.exists(window_binary):
        sections += ["", "## The window (`bench/window`)", "",
                     subprocess.run([sys.executable, window, build, "7", *beside], check=True,
                                    capture_output=True, text=True).stdout.strip()]
    if os.path.exists(os.path.join(build, "bench", "sheet_timings")):
        sections += ["", "## The data sheet (`bench/sheet`)", "", sheet_section(build)]
    with open(os.path.join(HERE, "RESULTS.md"), "w") as f:
        f.write("\n".join(sections) + "\n")
    print("\n".join(sections))
    # The figures beyond their budgets, once more at the end where they are seen.
    beyond = [line for line in "\n".join(sections).splitlines() if line.endswith("| NO |")]
    print(f"\n{len(beyond)} figure(s) beyond their budgets" + "".join("\n  " + line for line in beyond))
    print("bench/RESULTS.md is kept in the repository: its diff shows what changed.")


if __name__ == "__main__":
    main()
