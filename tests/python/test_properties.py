"""heatpump.property and heatpump.critical_point against hpcalc property,
one state and arrays of them."""
import os
import threading

import numpy as np
import pytest

from conftest import HPCALC, hpcalc

# function, fluid, code, units, value1, value2: states that hpcalc computes.
STATES = [
    ("Enthalpy", "R134a", "TP", "mks", 300, 500),
    ("Entropy", "R134a", "TP", "mks", 250.5, 80),
    ("Temperature", "R134a", "PH", "mks", 1000, 420),
    ("Pressure", "R134a", "Tvap", "mks", 280, None),
    ("Volume", "propane", "TQ", "mks", 300, 0.4),
    ("Cp", "R744", "TP", "mks", 310, 9000),
    ("enthalpy", "R410A", "Tliq", "mks", 270, None),
    ("Enthalpy", "R407C", "PH", "mks", 1500, 300),
]


@pytest.mark.parametrize("function, fluid, code, units, value1, value2", STATES)
def test_a_state_is_hpcalcs_to_the_bit(heatpump, function, fluid, code, units, value1, value2):
    values = [value1] if value2 is None else [value1, value2]
    exit_code, out, err = hpcalc("property", function, fluid, code, units, *values)
    assert exit_code == 0, err
    assert heatpump.property(function, fluid, code, units, value1, value2) == float(out)


@pytest.mark.parametrize("fluid, letter", [("R134a", "T"), ("R410A", "P"), ("water", "D")])
def test_the_critical_point_is_hpcalcs_to_the_bit(heatpump, fluid, letter):
    exit_code, out, err = hpcalc("property", "CriticalPoint", fluid, letter, "mks")
    assert exit_code == 0, err
    assert heatpump.critical_point(fluid, letter, "mks") == float(out)


# Requests hpcalc refuses: the same message in a PropertyError.
REFUSED = [
    ("Enthalpy", "NoSuchFluid", "TP", "mks", 300, 500),
    ("Enthalpy", "R134a", "XY", "mks", 300, 500),
    ("Enthalpy", "R134a", "TP", "mks", 0, 500),
    ("Enthalpy", "R134a", "TP", "mks", 100, 500),
    ("CriticalPoint", "NoSuchFluid", "T", "mks", None, None),
]


@pytest.mark.parametrize("function, fluid, code, units, value1, value2", REFUSED)
def test_a_refused_request_raises_hpcalcs_message(heatpump, function, fluid, code, units, value1, value2):
    values = [v for v in (value1, value2) if v is not None]
    exit_code, _, err = hpcalc("property", function, fluid, code, units, *values)
    assert exit_code == 1
    with pytest.raises(heatpump.PropertyError) as raised:
        if function == "CriticalPoint":
            heatpump.critical_point(fluid, code, units)
        else:
            heatpump.property(function, fluid, code, units, value1, value2)
    # A missing fluid names the folders searched: hpcalc's, and the module's.
    module_folder = os.path.dirname(heatpump.__file__)
    assert str(raised.value) == err.rstrip("\n").replace(os.path.dirname(HPCALC), module_folder)


def test_arrays_broadcast_with_nan_where_nothing_is_computed(heatpump):
    # 100 K lies below R134a's triple point: no state there.
    temperatures = np.array([[250.0, 300.0, 100.0], [350.0, 400.0, 450.0]])
    pressures = [500.0, 5000.0, 2000.0]
    h = heatpump.property("Enthalpy", "R134a", "TP", "mks", temperatures, pressures)
    assert h.shape == (2, 3)
    for (i, j), t in np.ndenumerate(temperatures):
        if t == 100.0:
            assert np.isnan(h[i, j])
            with pytest.raises(heatpump.PropertyError):
                heatpump.property("Enthalpy", "R134a", "TP", "mks", t, pressures[j])
        else:
            assert h[i, j] == heatpump.property("Enthalpy", "R134a", "TP", "mks", t, pressures[j])
    saturated = heatpump.property("Pressure", "R134a", "Tvap", "mks", [260, 280, 300])
    assert saturated.tolist() == [heatpump.property("Pressure", "R134a", "Tvap", "mks", t) for t in (260, 280, 300)]


def test_threads_each_get_their_own_fluids_values(heatpump):
    temperatures = np.linspace(260.0, 340.0, 200)
    fluids = ["R134a", "R290", "R410A", "R1234yf"]
    expected = {f: heatpump.property("Enthalpy", f, "TP", "mks", temperatures, 3000.0) for f in fluids}
    got = {}

    def compute(fluid):
        for _ in range(5):
            got[fluid] = heatpump.property("Enthalpy", fluid, "TP", "mks", temperatures, 3000.0)

    threads = [threading.Thread(target=compute, args=(f,)) for f in fluids]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    for fluid in fluids:
        np.testing.assert_array_equal(got[fluid], expected[fluid])


@pytest.mark.parametrize(
    "call, error",
    [
        (lambda hp: hp.property("Density", "R134a", "TP", "mks", 300, 500), ValueError),
        (lambda hp: hp.property("Enthalpy", "R134a", "TP", "mks", "300", 500), TypeError),
        (lambda hp: hp.property("Enthalpy", "R134a", "TP", "mks", ["a", 1], 500), ValueError),
    ],
)
def test_arguments_that_are_no_request_raise_pythons_errors(heatpump, call, error):
    with pytest.raises(error):
        call(heatpump)
