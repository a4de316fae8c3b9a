#!/usr/bin/env python3
"""Builds the largest tools the editor allows through tarvo-replay, end to end,
and reports the median wall time and the peak memory of each run."""
import os
import statistics
import subprocess
import sys
import tempfile
import time

WALL_BUDGET_MS = 50
MEMORY_BUDGET_MB = 16


def largest_extension():
    lines = ["set Tb_ToolName X50", "click Cmd_NewTool", "click Ob_Extend", "click Cmd_Add"]
    for i in range(50):
        lines += [f"set Tb_Height {1 + i % 7}", "set Tb_Diam 2", "click Cmd_Confirm"]
    return lines + ["expect no-message", "click Cmd_Export"]


def largest_polygonal():
    # 3 header lines, 7 cylinders of one line, 19 triangles of ten lines: 200 lines.
    lines = ["set Tb_ToolName P200", "click Cmd_NewTool", "click Ob_Polyg", "click Cmd_Add"]
    for _ in range(7):
        lines += ["set Tb_Height 1.5", "set Tb_Diam 4", "click Cmd_Confirm"]
    lines += ["click Ob_Cone"]
    for i in range(19):
        lines += ["set Cb_Edges 3", f"set Tb_Diam2 {2 + i % 3}", "set Tb_Height 0.75", "click Cmd_Confirm"]
    return lines + ["expect no-message", "click Cmd_Export"]


def largest_tip():
    lines = ["set Tb_ToolName T50", "click Cmd_NewTool", "click Cmd_Add"]
    for i in range(49):
        if i % 2 == 0:
            lines += ["click Ob_Cylinder", "set Tb_Height 2.25", "set Tb_Diam 6", "click Cmd_Confirm"]
        else:
            lines += ["click Ob_Cone", "set Tb_Height 1.5", "set Tb_Diam 6", "set Tb_Diam2 4.5",
                      "click Cmd_Confirm"]
    lines += ["click Ob_Sphere", "click Cb_Disk", "set Tb_Diam 8", "set Tb_Height 1", "click Cmd_Confirm"]
    return lines + ["expect no-message", "click Cmd_Export"]


TOOLS = {
    "extension of 50 cylinders": largest_extension,
    "polygonal tool of 200 lines": largest_polygonal,
    "tip of 49 elements and a disk": largest_tip,
}


def run_once(replay, script):
    with tempfile.TemporaryDirectory() as work:
        # GNU time reports the peak resident size of tarvo-replay itself; the
        # wall time is taken here, GNU time's own start included.
        report = os.path.join(work, "time.txt")
        start = time.perf_counter()
        status = subprocess.call(["/usr/bin/time", "-f", "%M", "-o", report, replay, "--dir", work,
                                  "--decimal-separator", ".", script], stdout=subprocess.DEVNULL)
        elapsed = time.perf_counter() - start
        if status != 0:
            sys.exit(f"tarvo-replay failed on {script}")
        with open(report) as f:
            peak_kb = int(f.read().split()[-1])
        return elapsed * 1000, peak_kb / 1024


def main():
    replay, runs = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 7
    results = []
    with tempfile.TemporaryDirectory() as scripts:
        for name, build in TOOLS.items():
            script = os.path.join(scripts, "tool.txt")
            with open(script, "w") as f:
                f.write("\n".join(build()) + "\n")
            samples = [run_once(replay, script) for _ in range(runs)]
            wall = statistics.median(s[0] for s in samples)
            memory = max(s[1] for s in samples)
            results.append((name, wall, memory))
    print("| Tool | Median wall time | Peak memory | Budget | Within |")
    print("|---|---|---|---|---|")
    for name, wall, memory in results:
        within = "yes" if wall < WALL_BUDGET_MS and memory < MEMORY_BUDGET_MB else "NO"
        print(f"| {name} | {wall:.1f} ms | {memory:.1f} MB | < {WALL_BUDGET_MS} ms, < {MEMORY_BUDGET_MB} MB | {within} |")


if __name__ == "__main__":
    main()
