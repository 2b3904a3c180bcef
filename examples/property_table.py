"""A saturation table of R134a written with numpy: temperature, pressure,
and the enthalpies and entropies of the saturated liquid and vapour. Each
column is one call on the whole array of temperatures.

    PYTHONPATH=build/python /usr/bin/python3 examples/property_table.py r134a.csv
"""
import sys

import numpy as np

import heatpump

fluid, units = "R134a", "mks"  # K, kPa, kJ/kg, kJ/kg-K
kelvin = np.arange(-20.0, 81.0, 5.0) + 273.15

columns = {
    "T ('C)": kelvin - 273.15,
    "p (kPa)": heatpump.property("Pressure", fluid, "Tvap", units, kelvin),
    "h liquid (kJ/kg)": heatpump.property("Enthalpy", fluid, "Tliq", units, kelvin),
    "h vapour (kJ/kg)": heatpump.property("Enthalpy", fluid, "Tvap", units, kelvin),
    "s liquid (kJ/kg-K)": heatpump.property("Entropy", fluid, "Tliq", units, kelvin),
    "s vapour (kJ/kg-K)": heatpump.property("Entropy", fluid, "Tvap", units, kelvin),
}
np.savetxt(
    sys.argv[1] if len(sys.argv) > 1 else "r134a_saturation.csv",
    np.column_stack(list(columns.values())),
    delimiter=",",
    header=",".join(columns),
    comments="",
    fmt="%.6g",
)
