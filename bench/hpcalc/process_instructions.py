#!/usr/bin/env python3
"""Instructions of whole hpcalc processes, counted by callgrind.

    bench/hpcalc/process_instructions.py build/bin/hpcalc [FILTER]

Runs each command below (optionally only those whose text matches the
regular expression FILTER) once under valgrind --tool=callgrind, counting
every instruction of the process from its first to its last, the dynamic
loader included, and prints the count next to its target. The output of
each command is thrown away; a command that fails stops the script.
"""
import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fluidcore"))
from instructions import callgrind_total, program_and_filter  # noqa: E402  (found through the path above)

# Command line, target (instructions of the whole process).
COMMANDS = [
    (["fluids", "--csv"], 50_000_000),
    (["screen", "--csv", "--jobs", "1"], 1_650_000_000),
]


def main(argv):
    given = program_and_filter(argv, __doc__)
    if given is None:
        return 2
    program, pattern = given
    print(f"{'process':40} {'instructions':>14} {'target':>14}")
    for args, target in COMMANDS:
        text = "hpcalc " + " ".join(args)
        if re.search(pattern, text):
            print(f"{text:40} {callgrind_total([program, *args]):14d} {target:14d}", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
