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

heatpump.fluids() lists every fluid and blend name with its critical
temperature and safety class.

Failures raise PropertyError (a property the library cannot compute, with
its message) or CalculationError (a calculation the form refuses, with the
form's message); arrays of properties hold NaN where nothing is computed.

Threads: every call holds the interpreter lock (GIL) while it computes, so
calls from several Python threads run one after another and never disturb
each other. The property library keeps one current fluid per thread, the
one loaded last; a call to another fluid loads it. To compute in parallel,
use processes (concurrent.futures.ProcessPoolExecutor): each has a library
of its own.
"""

from ._heatpump import (
    CalculationError,
    Fluid,
    PropertyError,
    __version__,
    basic,
    compare,
    critical_point,
    fluids,
    layout,
    property,
    screen,
    transcritical,
)

__all__ = [
    "CalculationError",
    "Fluid",
    "PropertyError",
    "__version__",
    "basic",
    "compare",
    "critical_point",
    "fluids",
    "layout",
    "property",
    "screen",
    "transcritical",
]
