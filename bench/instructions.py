#!/usr/bin/env python3
"""Instructions per step of every figure and its floor, counted by callgrind.

Times drift with the machine's load; instruction counts do not, so this table
is the one to profile against. Usage: instructions.py BENCH_EXE [FILTER]
"""
import glob
import os
import shutil
import subprocess
import sys
import tempfile

STEPS = 2000


def main():
    if len(sys.argv) < 2:
        sys.exit("usage: instructions.py BENCH_EXE [FILTER]")
    if not shutil.which("valgrind"):
        sys.exit("instructions.py: valgrind is not installed (apt-get install valgrind)")
    exe = sys.argv[1]
    only = sys.argv[2] if len(sys.argv) > 2 else ""
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "cg.out")
        cmd = ["valgrind", "--tool=callgrind", "--callgrind-out-file=" + out,
               exe, "--instructions=%d" % STEPS]
        if only:
            cmd.append("--only=" + only)
        subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        counts = {}
        order = []
        for path in glob.glob(out + ".*"):
            name, total = None, None
            with open(path, errors="replace") as f:
                for line in f:
                    if line.startswith("desc: Trigger: Client Request: "):
                        name = line.split(": ", 3)[3].strip()
                    elif line.startswith("summary:") or line.startswith("totals:"):
                        total = int(line.split()[1])
            if name is not None and total is not None:
                counts[name] = total / STEPS
                order.append((int(path.rsplit(".", 1)[1]), name))
    names = [n for _, n in sorted(order)]
    print("| Figure | instructions | Floor or peer | instructions | Ratio |")
    print("|---|---:|---|---:|---:|")
    for name in names:
        if " | " in name:
            continue
        floors = [n for n in names if n.startswith(name + " | ")]
        if not floors:
            continue
        a, b = counts[name], counts[floors[0]]
        print("| %s | %.0f | %s | %.0f | %.2f |" % (name, a, floors[0].split(" | ", 1)[1], b,
                                                   a / b if b else float("inf")))


if __name__ == "__main__":
    main()
