"""What the tests of the Python module share: hpcalc, built beside it, whose
output the module must give, and the checks of a CSV field."""
import csv
import io
import os
import subprocess

import pytest

HPCALC = os.environ["HPCALC"]


def hpcalc(*args):
    """hpcalc's exit code, output and error stream."""
    run = subprocess.run([HPCALC, *map(str, args)], capture_output=True, text=True, check=False)
    return run.returncode, run.stdout, run.stderr


def hpcalc_csv(*args):
    """The header and rows of hpcalc's --csv output; fails where it is refused."""
    code, out, err = hpcalc(*args, "--csv")
    assert code == 0, err
    lines = list(csv.reader(io.StringIO(out)))
    return lines[0], lines[1:]


def last_digit(text):
    """The value of one unit in the last digit of a number's text."""
    mantissa, _, exponent = text.lower().partition("e")
    return 10.0 ** (int(exponent or 0) - len(mantissa.partition(".")[2]))


def assert_agrees(value, text, where):
    """The module's value is the CSV field: a number to the field's last digit
    (the shortest text of a number reads back as exactly it), a text as it
    stands, None for an empty field."""
    if text == "":
        assert value is None, where
        return
    try:
        number = float(text)
    except ValueError:
        assert value == text, where
        return
    assert isinstance(value, float), where
    # Half a unit of the last digit, and the error of the double that holds it.
    assert abs(value - number) <= 0.5 * last_digit(text) * (1 + 1e-9), (where, value, text)


@pytest.fixture(scope="session")
def heatpump():
    import heatpump as module

    return module
