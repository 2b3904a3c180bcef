#!/usr/bin/python3
"""Instructions per state of a vectorised property call of the Python
module, counted by callgrind.

    bench/python/property_instructions.py build/python

Runs Debian's python3 under valgrind --tool=callgrind twice, each process
computing the enthalpy of R134a at (T, p) for one numpy array of states,
liquid and vapour alike (1e4 states, then 2e4), and takes the difference
of the two processes' counts per state: the interpreter's start, numpy's
import and the library's loading cancel out. Prints it next to the target;
exit code 1 when it exceeds the target.
"""
import argparse
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fluidcore"))
from instructions import callgrind_total  # noqa: E402  (found through the path above)

TARGET = 15_000
COUNTS = (10_000, 20_000)
# R134a boils at about 39 'C at 1000 kPa: the states span both phases.
PROGRAM = """
import numpy, heatpump
t = numpy.linspace(230.0, 400.0, {states})
h = heatpump.property("Enthalpy", "R134a", "TP", "mks", t, 1000.0)
assert not numpy.isnan(h).any()
"""


def per_state(package_dir):
    """The difference of two processes' counts per state."""
    env = dict(os.environ, PYTHONPATH=package_dir)
    fewer, more = (callgrind_total(["/usr/bin/python3", "-c", PROGRAM.format(states=n)], env=env)
                   for n in COUNTS)
    return (more - fewer) / (COUNTS[1] - COUNTS[0])


def main():
    arguments = argparse.ArgumentParser(description=__doc__,
                                        formatter_class=argparse.RawDescriptionHelpFormatter)
    arguments.add_argument("package_dir", help="the folder that holds the package heatpump")
    given = arguments.parse_args()
    counted = per_state(os.path.abspath(given.package_dir))
    print(f"Enthalpy R134a TP, vectorised: {counted:,.0f} instructions per state "
          f"(target {TARGET:,})")
    return 0 if counted <= TARGET else 1


if __name__ == "__main__":
    sys.exit(main())
