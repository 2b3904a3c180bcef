"""The heat pump calculator from Python: its property library and its
calculations, computed by the same code as the desktop program and hpcalc,
so that the numbers are the program's own.

Properties, one state or numpy arrays of them (broadcast together):

    heatpump.property("Enthalpy", "R134a", "TP", "mks", 300.0, 500.0)
    heatpump.property("Enthalpy", "R134a", "TP", "mks", numpy.linspace(260, 340, 9), 500.0)
    heatpump.critical_point("R134a", "T", "mks")

The calculations take keyword arguments named like hpcalc's options (dashes
as underscores) and give dicts under the names of hpcalc's CSV columns, the
numbers unrounded:

    heatpump.basic(refrigerant="R410A", hot_water=30, condensing=55)
    heatpump.compare(["R134a", "R290"], condensing=80)
    heatpump.screen(evaporating=10, condensing=60)
    heatpump.transcritical(water_out=60)
    heatpump.layout("economizer", "R134a", intermediate="optimal")
    heatpump.sweep("ihx", ["R134a", "R290"], "condensing", 50, 80, step=5)

heatpump.fluids() lists every fluid and blend with its other names,
critical temperature, safety class and GWP, as hpcalc fluids --csv does.

Failures raise PropertyError (a property the library cannot compute, with
its message) or CalculationError (a calculation the form refuses, with the
form's message); arrays of properties hold NaN where nothing is computed.

Threads: the property library holds one current fluid, the one used last,
and the calls take turns: a call from one Python thread computes while the
calls of the others wait for it, the interpreter lock released meanwhile so
that the other threads run Python. To compute side by side, use processes
(concurrent.futures.ProcessPoolExecutor): each has a library of its own.
heatpump.screen() screens on every core by itself.
"""

from ._heatpump import (
    CalculationError,
    PropertyError,
    __version__,
    basic,
    compare,
    critical_point,
    fluids,
    layout,
    property,
    screen,
    sweep,
    transcritical,
)

__all__ = [
    "CalculationError",
    "PropertyError",
    "__version__",
    "basic",
    "compare",
    "critical_point",
    "fluids",
    "layout",
    "property",
    "screen",
    "sweep",
    "transcritical",
]
