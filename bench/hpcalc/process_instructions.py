#!/usr/bin/env python3
"""Instructions of whole hpcalc processes, counted by callgrind.

    bench/hpcalc/process_instructions.py build/bin/hpcalc [FILTER]

Runs each command below (optionally only those whose text matches the
regular expression FILTER) once under valgrind --tool=callgrind, counting
every instruction of the process from its first to its last, the dynamic
loader included, and prints the count next to its target. The output of
each command is thrown away; a command that fails is reported as failed.
"""
import os
import re
import subprocess
import sys
import tempfile

# Command line, target (instructions of the whole process).
COMMANDS = [
    (["fluids", "--csv"], 50_000_000),
    (["screen", "--csv", "--jobs", "1"], 1_650_000_000),
]


def counted(program, args):
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "callgrind.out")
        run = subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}",
                              program, *args],
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        if run.returncode != 0:
            raise RuntimeError(f"hpcalc {' '.join(args)} failed: {run.stderr.strip()[-500:]}")
        with open(out) as f:
            for line in f:
                if line.startswith("totals:") or line.startswith("summary:"):
                    return int(line.split()[1])
    raise RuntimeError(f"no totals for hpcalc {' '.join(args)}")


def main(argv):
    if len(argv) not in (2, 3):
        print(__doc__, file=sys.stderr)
        return 2
    program = argv[1]
    pattern = argv[2] if len(argv) == 3 else "."
    print(f"{'process':40} {'instructions':>14} {'target':>14}")
    for args, target in COMMANDS:
        text = "hpcalc " + " ".join(args)
        if re.search(pattern, text):
            print(f"{text:40} {counted(program, args):14d} {target:14d}", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
