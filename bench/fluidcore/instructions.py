#!/usr/bin/env python3
"""Instructions per call of every benchmark, counted by callgrind.

    bench/fluidcore/instructions.py build/bin/fluidcore_bench [FILTER]

Runs each benchmark BM_<routine>/<fluid>/<kind> (optionally only those
matching the regular expression FILTER) under valgrind --tool=callgrind,
collecting only inside the entry point <routine>dll it calls (or the
function COLLECT names for the routine), with a fixed iteration count, and
prints the instructions per call next to the targets of the heat-pump
calculation's hot paths. Works on every benchmark program of bench/.
A benchmark that calls its routine once before the timed loop (to check
it) is counted at two iteration counts and the difference taken, so that
neither that call nor what it loads is counted.
"""
import os
import re
import subprocess
import sys
import tempfile

ITERATIONS = 640  # ten passes over the 64 prepared inputs
# Routines of millions of instructions a call: fewer calls count as well.
FEWER_ITERATIONS = {"CRITP": 64, "ReadMixingFile": 16, "ScreenFluid": 64, "Transcritical": 16,
                    "Layouts": 2, "ListRefrigerants": 2, "Study": 1}

# Targets on R134a; R22 1.4 times, water 4 times.
TARGETS = {("TPFLSH", "liquid"): 10000, ("TPFLSH", "vapour"): 10000,
           ("PHFLSH", "liquid"): 50000, ("PHFLSH", "vapour"): 50000,
           ("PSFLSH", "liquid"): 50000, ("PSFLSH", "vapour"): 50000,
           ("PHFLSH", "twophase"): 15000, ("PSFLSH", "twophase"): 15000,
           ("TQFLSH", "twophase"): 12000,
           ("SaturatedState", "liquid"): 5000, ("SaturatedState", "vapour"): 5000}
SCALE = {"R134a": 1.0, "R22": 1.4, "Water": 4.0}
# Targets by routine, fluid and kind: on mixtures (mixture_bench) a dew point
# at T and a single-phase TP flash of R410A, a blend's critical point, the
# mixing file read once; one pure fluid of the screening, the list of every
# fluid and blend the refrigerant boxes suggest (cycle_bench).
NAMED_TARGETS = {("SATT", "R410A", "dew"): 200000, ("TPFLSH", "R410A", "liquid"): 200000,
                 ("TPFLSH", "R410A", "vapour"): 200000,
                 ("CRITP", "R410A", "new_composition"): 3000000,
                 ("CRITP", "R407C", "new_composition"): 3000000,
                 ("CRITP", "R404A", "new_composition"): 3000000,
                 ("CRITP", "R454B", "new_composition"): 3000000,
                 ("ReadMixingFile", "hmx.bnc", "first"): 10000000,
                 ("ScreenFluid", "R134a", "loaded"): 1000000,
                 ("Transcritical", "optimal", "loaded"): 5000000,
                 ("Layouts", "economizer_optimal_eight", "loaded"): 80000000,
                 ("ListRefrigerants", "files", "first"): 50000000,
                 ("Study", "ihx_condensing_41x8", "loaded"): 250000000}
# Routines that are no single entry point: the functions whose instructions
# count (the full saturated state: SATT, then THERM at the phase's density).
COLLECT = {"ReadMixingFile": "fluidcore::MixtureLibrary::rules*",
           "SaturatedState": ["SATTdll", "THERMdll"],
           "ScreenFluid": "cycle::ScreenFluid*",
           "Transcritical": "cycle::CalcTranscriticalCycle*",
           "Layouts": "cycle::CalcLayout*",
           "ListRefrigerants": "cycle::ListRefrigerants*",
           "Study": "cycle::RunStudy*"}
# Routines whose benchmark calls them once more before its loop.
CHECKED_BEFORE_LOOP = {"Transcritical", "Layouts", "Study"}


def benchmarks(program, pattern):
    out = subprocess.run([program, "--benchmark_list_tests=true"], capture_output=True,
                         text=True, check=True).stdout.split()
    return [b for b in out if re.search(pattern, b)]


def filter_escaped(name):
    """The name as a benchmark filter: its regular-expression characters escaped,
    and nothing else ("R32-R125" stays as it is: "\\-" is no valid escape there)."""
    return re.sub(r"([.^$*+?()\[\]{}|\\])", r"\\\1", name)


def instructions(program, name):
    routine = name.split("/")[0][3:]
    iterations = FEWER_ITERATIONS.get(routine, ITERATIONS)
    if routine in CHECKED_BEFORE_LOOP:
        more = counted(program, name, routine, 2 * iterations)
        return (more - counted(program, name, routine, iterations)) / iterations
    return counted(program, name, routine, iterations) / iterations


def callgrind_total(command, options=(), env=None):
    """All instructions callgrind counts in a run of the command (a list:
    the program and its arguments) with the given callgrind options; the
    command's output is dropped, and a failed run raises CalledProcessError."""
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "callgrind.out")
        subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}",
                        *options, *command],
                       env=env, capture_output=True, check=True)
        with open(out) as f:
            for line in f:
                if line.startswith("totals:") or line.startswith("summary:"):
                    return int(line.split()[1])
    raise RuntimeError(f"no totals for {' '.join(command)}")


def counted(program, name, routine, iterations):
    """All instructions inside the routine over a run of this many iterations."""
    collect = COLLECT.get(routine, f"{routine}dll")
    toggles = [f"--toggle-collect={c}" for c in ([collect] if isinstance(collect, str) else collect)]
    env = dict(os.environ, FLUIDCORE_BENCH_ITERATIONS=str(iterations))
    return callgrind_total(
        [program, f"--benchmark_filter=^{filter_escaped(name)}(/iterations:[0-9]+)?$"],
        toggles, env)


def program_and_filter(argv, usage):
    """The program and the filter (default: every one) of a command line, or
    None after printing the usage where it has neither one nor two arguments."""
    if len(argv) not in (2, 3):
        print(usage, file=sys.stderr)
        return None
    return argv[1], argv[2] if len(argv) == 3 else "."


def main(argv):
    given = program_and_filter(argv, __doc__)
    if given is None:
        return 2
    program, pattern = given
    print(f"{'benchmark':34} {'instructions/call':>18} {'target':>8}")
    for name in benchmarks(program, pattern):
        n = instructions(program, name)
        _, fluid, kind = name.split("/")
        routine = name.split("/")[0][3:]
        if fluid in SCALE and (routine, kind) in TARGETS:
            target = TARGETS.get((routine, kind))
            target = target * SCALE[fluid] if target else None
        else:
            target = NAMED_TARGETS.get((routine, fluid, kind))
        shown = f"{target:8.0f}" if target else ""
        print(f"{name:34} {n:18.0f} {shown}", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
