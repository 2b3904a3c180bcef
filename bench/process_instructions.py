#!/usr/bin/python3
"""Instructions of whole hpcalc processes, counted by callgrind.

    bench/process_instructions.py build/bin/hpcalc [FILTER]

Runs each command below (optionally only those whose name matches the
regular expression FILTER) under valgrind --tool=callgrind and reads the
count callgrind closes its log with: every instruction of the process, the
dynamic loader's linking, the start of the C++ runtime and the loading of
the property library included. Prints each next to its target; exit code 1
when one exceeds its target.
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile

# Name, arguments, target in instructions (None: counted, no target).
COMMANDS = [
    ("version", ["--version"], 5_000_000),
    ("property", ["property", "Enthalpy", "R134a", "TP", "mks", "300", "500"], 10_000_000),
    ("help", ["--help"], None),
    ("basic", ["basic"], None),
]


def instructions(program, args):
    """All instructions of one run of the program: callgrind's closing count
    in its log, kept apart from what the program prints."""
    with tempfile.TemporaryDirectory() as tmp:
        log = os.path.join(tmp, "valgrind.log")
        subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null",
                        f"--log-file={log}", program, *args],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        with open(log) as f:
            counts = re.findall(r"Collected : ([0-9]+)", f.read())
    if not counts:
        raise RuntimeError(f"no count for {' '.join(args)}")
    return int(counts[-1])


def main():
    arguments = argparse.ArgumentParser(description=__doc__,
                                        formatter_class=argparse.RawDescriptionHelpFormatter)
    arguments.add_argument("program", help="the hpcalc to count")
    arguments.add_argument("filter", nargs="?", default=".", help="commands whose name matches")
    given = arguments.parse_args()
    print(f"{'command':12} {'instructions':>14} {'target':>12}")
    over = []
    for name, args, target in (c for c in COMMANDS if re.search(given.filter, c[0])):
        n = instructions(given.program, args)
        if target is not None and n > target:
            over.append(name)
        print(f"{name:12} {n:14d} {target or '':>12}", flush=True)
    return 1 if over else 0


if __name__ == "__main__":
    sys.exit(main())
