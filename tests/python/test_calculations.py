"""The calculations against hpcalc --csv: the same names, the same numbers
to the CSV's last digit, and hpcalc's refusals as CalculationError."""
import csv

import pytest

from conftest import assert_agrees, hpcalc, hpcalc_csv

# The module's call, and the hpcalc command line that gives the same lines.
CALCULATIONS = [
    (lambda hp: [hp.basic()], ["basic"]),
    (
        lambda hp: [hp.basic(refrigerant="R410A", hot_water=30, condensing="55", flow=0.5)],
        ["basic", "--refrigerant", "R410A", "--hot-water", "30", "--condensing", "55", "--flow", "0.5"],
    ),
    (
        lambda hp: hp.compare(["R134a", "R290", "R407C"], condensing=80, evaporating=20.5),
        ["compare", "--condensing", "80", "--evaporating", "20.5", "R134a", "R290", "R407C"],
    ),
    (
        lambda hp: hp.screen(evaporating=20, condensing=70),
        ["screen", "--evaporating", "20", "--condensing", "70"],
    ),
    (lambda hp: [hp.transcritical()], ["transcritical"]),
    (
        lambda hp: [hp.transcritical(high_pressure=100, water_out=60)],
        ["transcritical", "--high-pressure", "100", "--water-out", "60"],
    ),
    (lambda hp: [hp.layout("ihx", "R1233zd(E)", ihx_effectiveness=60)],
     ["layout", "ihx", "--ihx-effectiveness", "60", "R1233zd(E)"]),
    (
        lambda hp: [hp.layout("economizer", "R134a", intermediate="optimal", evaporating=0, condensing=55)],
        ["layout", "economizer", "--intermediate", "optimal", "--evaporating", "0", "--condensing", "55", "R134a"],
    ),
    (
        lambda hp: [hp.layout("basic", "R600a", evaporating=5, source=12)],
        ["layout", "basic", "--evaporating", "5", "--source", "12", "R600a"],
    ),
    # R290 is refused above its critical temperature: refused points too.
    (
        lambda hp: hp.sweep("ihx", ["R134a", "R290"], "condensing", 60, 100, step=10, evaporating=5),
        ["sweep", "ihx", "--vary", "condensing", "--from", "60", "--to", "100", "--step", "10",
         "--evaporating", "5", "R134a", "R290"],
    ),
    (
        lambda hp: hp.sweep("transcritical", [], "water_out", 50, 70, points=3, high_pressure=100),
        ["sweep", "transcritical", "--vary", "water-out", "--from", "50", "--to", "70",
         "--points", "3", "--high-pressure", "100"],
    ),
]


@pytest.mark.parametrize("call, command", CALCULATIONS)
def test_the_lines_are_hpcalcs_csv(heatpump, call, command):
    header, rows = hpcalc_csv(*command)
    lines = call(heatpump)
    assert len(lines) == len(rows)
    for line, row in zip(lines, rows):
        assert list(line) == header
        for name, text in zip(header, row):
            assert_agrees(line[name], text, (command, row[0], name))


# Calculations hpcalc refuses with a message: the same message raised.
REFUSED = [
    (lambda hp: hp.basic(subcooling=-1), ["basic", "--subcooling", "-1"]),
    (lambda hp: hp.basic(refrigerant="NoSuchFluid"), ["basic", "--refrigerant", "NoSuchFluid"]),
    (lambda hp: hp.basic(flow="1,5"), ["basic", "--flow", "1,5"]),
    (lambda hp: hp.compare(["R134a", "R744"], condensing=60), ["compare", "--condensing", "60", "R134a", "R744"]),
    (lambda hp: hp.screen(evaporating=95), ["screen", "--evaporating", "95"]),
    (lambda hp: hp.transcritical(high_pressure="abc"), ["transcritical", "--high-pressure", "abc"]),
    (lambda hp: hp.transcritical(refrigerant="R744", verbose=True, evaporating=-80),
     ["transcritical", "--refrigerant", "R744", "--evaporating", "-80", "--verbose"]),
]


@pytest.mark.parametrize("call, command", REFUSED)
def test_a_refusal_raises_hpcalcs_message(heatpump, call, command):
    exit_code, _, err = hpcalc(*command)
    assert exit_code == 1
    with pytest.raises(heatpump.CalculationError) as raised:
        call(heatpump)
    assert str(raised.value) == err.rstrip("\n")


def test_a_refused_layout_raises_the_reason_of_hpcalcs_line(heatpump):
    exit_code, out, _ = hpcalc("layout", "flash-tank", "R410A", "--csv")
    status, reason = next(csv.reader(out.splitlines()[1:]))[-2:]
    assert (exit_code, status) == (1, "refused")
    with pytest.raises(heatpump.CalculationError) as raised:
        heatpump.layout("flash-tank", "R410A")
    assert reason in str(raised.value)


@pytest.mark.parametrize(
    "call, error",
    [
        (lambda hp: hp.basic(hot_watter=50), TypeError),
        (lambda hp: hp.basic(flow=[1, 2]), TypeError),
        (lambda hp: hp.basic(flow=True), TypeError),
        (lambda hp: hp.layout("ihx", "R134a", refrigerant="R290"), TypeError),
        (lambda hp: hp.layout("triple", "R134a"), ValueError),
        (lambda hp: hp.compare([]), None),
        (lambda hp: hp.sweep("ihx", ["R134a"], "condensing", 50, 60), TypeError),
        (lambda hp: hp.sweep("ihx", ["R134a"], "condensing", 50, 60, step=5, points=3), TypeError),
        (lambda hp: hp.sweep("ihx", ["R134a"], "condensing", 50, 60, step=5, condensing=55), TypeError),
        (lambda hp: hp.sweep("ihx", ["R134a"], "water_out", 50, 60, step=5), ValueError),
        (lambda hp: hp.sweep("ihx", ["R134a"], "condensing", 50, 50, step=5), ValueError),
        (lambda hp: hp.sweep("triple", ["R134a"], "condensing", 50, 60, step=5), ValueError),
        (lambda hp: hp.sweep("ihx", [], "condensing", 50, 60, step=5), None),
        (lambda hp: hp.compare(["R134a"] * 9), None),
    ],
)
def test_arguments_that_are_no_calculation_raise(heatpump, call, error):
    with pytest.raises(error or heatpump.CalculationError):
        call(heatpump)


def test_the_fluids_are_hpcalcs_list(heatpump):
    header, rows = hpcalc_csv("fluids")
    listed = heatpump.fluids()
    assert [list(fluid) for fluid in listed] == [header] * len(rows)
    for fluid, row in zip(listed, rows):
        for name, text in zip(header, row):
            assert_agrees(fluid[name], text, (row[0], name))
    # The critical temperature is the library's own, in 'C.
    by_name = {fluid["name"]: fluid for fluid in listed}
    for name in ["R134a", "R410A"]:
        kelvin = heatpump.critical_point(name, "T", "mks")
        assert by_name[name]["Tcrit"] == pytest.approx(kelvin - 273.15, abs=1e-6)


def test_the_version_is_hpcalcs(heatpump):
    assert hpcalc("--version")[1] == f"hpcalc {heatpump.__version__}\n"
