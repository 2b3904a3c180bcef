#!/usr/bin/env python3
"""Instructions of whole hpcalc processes, counted by callgrind.

    bench/hpcalc/process_instructions.py build/bin/hpcalc [FILTER]

Runs each command below (optionally only those whose text matches the
regular expression FILTER) once under valgrind --tool=callgrind, counting
every instruction of the process from its first to its last: the dynamic
loader's linking, the start of the C++ runtime and the loading of the
property library included. The output of each command is thrown away; a
command that fails stops the script. Prints each count next to its target;
exit code 1 when one exceeds its target.
"""
import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fluidcore"))
from instructions import callgrind_total, program_and_filter  # noqa: E402  (found through the path above)

# Command line, target (instructions of the whole process; None: counted only).
COMMANDS = [
    (["--version"], 5_000_000),
    (["property", "Enthalpy", "R134a", "TP", "mks", "300", "500"], 10_000_000),
    (["--help"], None),
    (["basic"], None),
    (["fluids", "--csv"], 50_000_000),
    (["screen", "--csv", "--jobs", "1"], 1_650_000_000),
]


def main(argv):
    given = program_and_filter(argv, __doc__)
    if given is None:
        return 2
    program, pattern = given
    print(f"{'process':46} {'instructions':>14} {'target':>14}")
    over = False
    for args, target in COMMANDS:
        text = "hpcalc " + " ".join(args)
        if re.search(pattern, text):
            count = callgrind_total([program, *args])
            over = over or (target is not None and count > target)
            print(f"{text:46} {count:14d} {target or '':>14}", flush=True)
    return 1 if over else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
