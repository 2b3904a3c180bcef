"""The module imported as a user would, from another folder, and the
examples run as a user would run them (no display)."""
import os
import pathlib
import subprocess
import sys

import pytest

from conftest import hpcalc

EXAMPLES = pathlib.Path(__file__).resolve().parents[2] / "examples"


def run_python(args, cwd):
    # Nothing of the test's environment but the package's place (and an
    # instrumented build's runtime).
    kept = {name: os.environ[name] for name in ("PYTHONPATH", "LD_PRELOAD", "ASAN_OPTIONS")
            if name in os.environ}
    env = {**kept, "MPLBACKEND": "Agg", "HOME": str(cwd)}
    return subprocess.run([sys.executable, *args], cwd=cwd, env=env, capture_output=True, text=True, timeout=600)


def test_the_module_finds_its_library_and_data_from_any_folder(tmp_path):
    # A blend reads its mixture file, which the module finds beside itself.
    run = run_python(["-c", "import heatpump; print(heatpump.critical_point('R410A', 'T', 'mks'))"], tmp_path)
    assert run.returncode == 0, run.stderr
    assert run.stdout == hpcalc("property", "CriticalPoint", "R410A", "T", "mks")[1]


@pytest.mark.parametrize(
    "script, output",
    [("compare_fluids.py", "cop.png"), ("property_table.py", "table.csv"), ("parallel_study.py", None)],
)
def test_an_example_runs(heatpump, tmp_path, script, output):
    args = [str(EXAMPLES / script)] + ([output] if output else [])
    run = run_python(args, tmp_path)
    assert run.returncode == 0, run.stderr
    if output == "cop.png":
        assert (tmp_path / output).read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"
    elif output == "table.csv":
        lines = (tmp_path / output).read_text().splitlines()
        assert lines[0].startswith("T ('C),p (kPa)") and len(lines) == 22
        assert "nan" not in "".join(lines)
    else:
        # Each point as the calculation run here gives it.
        lines = run.stdout.splitlines()
        assert len(lines) == 15, run.stdout
        for line in lines:
            refrigerant, temperature, _, _, cop = line.split()
            alone = heatpump.layout("economizer", refrigerant, evaporating=0, condensing=temperature,
                                    intermediate="optimal")
            assert cop == f"{alone['COP']:.3f}", line
