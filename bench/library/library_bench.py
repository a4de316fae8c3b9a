#!/usr/bin/env python3
"""The tool library on a large file: tarvo-library list and check of a file of
10 000 tools (about 15 MB), and the round trip (script derived and proven) of
a tool of 30 elements. Median wall time and peak memory of each run."""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

TOOL_COUNT = 10000


def polygonal_tool(name, edges, edge):
    # A cylinder and a prism of `edges` edges: about 1.5 KB with 8 to 10 edges.
    return [f"set Tb_ToolName {name}", "click Cmd_NewTool", "click Ob_Polyg", "click Cmd_Add",
            "set Tb_Height 12.5", "set Tb_Diam 6", "click Cmd_Confirm",
            "click Ob_Cone", f"set Cb_Edges {edges}", f"set Tb_Diam2 {edge}", "set Tb_Height 8.25",
            "click Cmd_Confirm", "click Cmd_Export"]


def thirty_elements():
    # 12 cylinders, 9 triangular prisms and 9 two-level triangles: 194 lines,
    # as many as a tool may hold.
    lines = ["set Tb_ToolName R30", "click Cmd_NewTool", "click Ob_Polyg", "click Cmd_Add"]
    for i in range(30):
        if i % 5 in (0, 2) and i < 28:
            lines += ["click Ob_Cylinder", f"set Tb_Height {1 + i % 4}.25", "set Tb_Diam 4.5", "click Cmd_Confirm"]
        elif i % 2 == 0:
            lines += ["click Ob_Cone", "set Cb_Edges 3", f"set Tb_Diam2 {3 + i % 5}.125", "set Tb_Height 0.75",
                      "click Cmd_Confirm"]
        else:
            lines += ["click Ob_Sphere", "set Cb_Edges 3", "set Tb_Diam2 4.75", f"set Tb_LengthMin {2 + i % 3}.5",
                      "set Tb_Height 1.5", "click Cmd_Confirm"]
    return lines + ["click Cmd_Export"]


def replay(program, directory, lines):
    with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as f:
        f.write("\n".join(lines) + "\n")
    subprocess.run([program, "--dir", directory, "--decimal-separator", ".", f.name], check=True,
                   stdout=subprocess.DEVNULL)
    os.unlink(f.name)


def large_file(replay_program, directory):
    # A few distinct tools through the editor, then copied under new names.
    with tempfile.TemporaryDirectory() as seed:
        for i, (edges, edge) in enumerate([(8, 4.5), (9, 3.25), (10, 2.75), (8, 5)]):
            replay(replay_program, seed, polygonal_tool(f"S{i}", edges, edge))
        with open(os.path.join(seed, "usrprobe.dat"), "rb") as f:
            blocks = [b"ITEM:" + block for block in f.read().split(b"ITEM:")[1:]]
    with open(os.path.join(directory, "usrprobe.dat"), "wb") as f:
        for i in range(TOOL_COUNT):
            block = blocks[i % len(blocks)]
            f.write(b"ITEM:TOOL%05d" % i + block[block.index(b" "):])
    return os.path.getsize(os.path.join(directory, "usrprobe.dat"))


def run_once(command):
    with tempfile.TemporaryDirectory() as work:
        report = os.path.join(work, "time.txt")
        start = time.perf_counter()
        status = subprocess.call(["/usr/bin/time", "-f", "%M", "-o", report] + command, stdout=subprocess.DEVNULL)
        elapsed = time.perf_counter() - start
        if status != 0:
            sys.exit(f"failed: {' '.join(command)}")
        with open(report) as f:
            return elapsed * 1000, int(f.read().split()[-1]) / 1024


def measure(command, runs):
    samples = [run_once(command) for _ in range(runs)]
    return statistics.median(s[0] for s in samples), max(s[1] for s in samples)


def main():
    build, runs = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 5
    library = os.path.join(build, "src", "app", "tarvo-library")
    replay_program = os.path.join(build, "src", "app", "tarvo-replay")
    rows = []
    with tempfile.TemporaryDirectory() as big, tempfile.TemporaryDirectory() as small:
        size = large_file(replay_program, big)
        label = f"{TOOL_COUNT} tools, {size / 1e6:.1f} MB"
        rows.append((f"`list`, {label}", *measure([library, "--dir", big, "list"], runs), 500, 64))
        rows.append((f"`check`, {label}", *measure([library, "--dir", big, "check"], runs), 500, 64))
        replay(replay_program, small, thirty_elements())
        rows.append(("`script` of a tool of 30 elements (derived and proven)",
                     *measure([library, "--dir", small, "script", "R30"], runs), 50, None))
    out = subprocess.run([os.path.join(build, "bench", "assembly_bench"), "--benchmark_repetitions=5",
                          "--benchmark_report_aggregates_only=true", "--benchmark_format=json"],
                         check=True, capture_output=True, text=True).stdout
    medians = {b["run_name"]: b["real_time"] for b in json.loads(out)["benchmarks"]
               if b.get("aggregate_name") == "median"}
    rows.append(("Figures of an assembly of 5 parts and 50 elements", medians["AssemblyFigures"] / 1000, None, 1, None))
    rows.append(("The same written as one tool (typed, exported in memory)", medians["WriteAsOneTool"], None, 50, None))
    rows.append(("The same stack's preview scene", medians["StackPreviewScene"], None, 50, None))
    print("| Command | Median wall time | Peak memory | Budget | Within |")
    print("|---|---|---|---|---|")
    for name, wall, memory, wall_budget, memory_budget in rows:
        budget = f"< {wall_budget} ms" + (f", < {memory_budget} MB" if memory_budget else "")
        within = wall < wall_budget and (memory_budget is None or memory < memory_budget)
        shown = f"{memory:.1f} MB" if memory else "-"
        print(f"| {name} | {wall:.{1 if wall >= 1 else 3}f} ms | {shown} | {budget} | {'yes' if within else 'NO'} |")


if __name__ == "__main__":
    main()
