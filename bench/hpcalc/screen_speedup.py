#!/usr/bin/env python3
"""Wall time of the whole screening on several threads against one.

    bench/hpcalc/screen_speedup.py build/bin/hpcalc [JOBS [ROUNDS]]
    bench/hpcalc/screen_speedup.py --callgrind build/bin/hpcalc [JOBS]

Runs `hpcalc screen --csv --jobs 1` and `--jobs JOBS` (default 2) in turn,
ROUNDS times each (default 5), checks that both print the same table, and
prints the shortest wall time of each and their ratio next to the target.
The machine is shared: the shortest of several runs is the least disturbed,
and both are measured in the same run of this script, one after the other.

So that a ratio can be judged on a busy machine, the same is done for work
that needs no coordination at all: a fixed count of loops in one process,
against the same count split over JOBS processes. Its ratio is the best any
program gets from JOBS threads on this machine at this time.

With --callgrind, what no load disturbs: the instructions of the busiest
thread of `--jobs JOBS` against those of `--jobs 1`, counted by callgrind
(valgrind runs the threads one at a time, the work shared among them as on
free cores): the wall-time ratio on JOBS free cores, memory aside.
"""
import glob
import multiprocessing
import os
import subprocess
import sys
import tempfile
import time

TARGET = 0.65  # on two cores
LOOPS = 4_000_000


def timed(program, jobs):
    start = time.perf_counter()
    run = subprocess.run([program, "screen", "--csv", "--jobs", str(jobs)],
                         capture_output=True, check=True)
    return time.perf_counter() - start, run.stdout


def spin(loops):
    total = 0
    for i in range(loops):
        total += i
    return total


def timed_spin(processes):
    start = time.perf_counter()
    workers = [multiprocessing.Process(target=spin, args=(LOOPS // processes,))
               for _ in range(processes)]
    for worker in workers:
        worker.start()
    for worker in workers:
        worker.join()
    return time.perf_counter() - start


def thread_instructions(program, jobs):
    """The instructions of each thread of the screening on JOBS threads."""
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "callgrind.out")
        subprocess.run(["valgrind", "--tool=callgrind", "--separate-threads=yes",
                        f"--callgrind-out-file={out}", program, "screen", "--csv", "--jobs",
                        str(jobs)], capture_output=True, check=True)
        counts = []
        for path in glob.glob(out + "*"):
            with open(path) as f:
                counts += [int(line.split()[1]) for line in f if line.startswith("totals:")]
        return counts


def critical_path(program, jobs):
    one = sum(thread_instructions(program, 1))
    threads = thread_instructions(program, jobs)
    print(f"instructions  --jobs 1: {one}   --jobs {jobs}: busiest thread {max(threads)} of "
          f"{sum(threads)}   ratio {max(threads) / one:.3f}   target {TARGET} (on two cores)")
    return 0


def main(argv):
    if len(argv) > 1 and argv[1] == "--callgrind" and len(argv) in (3, 4):
        return critical_path(argv[2], int(argv[3]) if len(argv) > 3 else 2)
    if len(argv) not in (2, 3, 4):
        print(__doc__, file=sys.stderr)
        return 2
    program = argv[1]
    jobs = int(argv[2]) if len(argv) > 2 else 2
    rounds = int(argv[3]) if len(argv) > 3 else 5
    one, several, spin_one, spin_several = [], [], [], []
    expected = None
    for _ in range(rounds):
        for times, n in ((one, 1), (several, jobs)):
            seconds, out = timed(program, n)
            if expected is None:
                expected = out
            elif out != expected:
                print(f"--jobs {n} printed another table than --jobs 1", file=sys.stderr)
                return 1
            times.append(seconds)
        spin_one.append(timed_spin(1))
        spin_several.append(timed_spin(jobs))
    ratio = min(several) / min(one)
    print(f"screening  --jobs 1: {min(one):.3f} s   --jobs {jobs}: {min(several):.3f} s   "
          f"ratio {ratio:.3f}   target {TARGET} (on two cores)")
    print(f"loops      1 process: {min(spin_one):.3f} s   {jobs} processes: "
          f"{min(spin_several):.3f} s   ratio {min(spin_several) / min(spin_one):.3f}   "
          f"(the best this machine gives {jobs} threads now)")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
