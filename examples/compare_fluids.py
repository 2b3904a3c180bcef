"""Heating COP of a few refrigerants against the condensing temperature,
plotted with matplotlib (the comparison's other conditions at the form's
defaults).

    PYTHONPATH=build/python /usr/bin/python3 examples/compare_fluids.py cop.png
"""
import sys

import matplotlib

matplotlib.use("Agg")  # draws into the file, no window needed
import matplotlib.pyplot as plt
import numpy as np

import heatpump

refrigerants = ["R134a", "R1234ze(E)", "R290", "R600a"]
condensing = np.arange(60.0, 86.0, 5.0)

figure, axes = plt.subplots()
for name in refrigerants:
    cop = []
    for temperature in condensing:
        try:
            (row,) = heatpump.compare([name], evaporating=20, condensing=temperature)
            cop.append(row["COP"])
        except heatpump.CalculationError as refusal:  # above its critical point, say
            print(f"{name} at {temperature} 'C: {refusal}")
            cop.append(np.nan)
    axes.plot(condensing, cop, marker="o", label=name)
axes.set_xlabel("Condensing temperature ('C)")
axes.set_ylabel("Heating COP")
axes.set_title("Evaporating at 20 'C")
axes.legend()
figure.savefig(sys.argv[1] if len(sys.argv) > 1 else "compare_fluids.png", dpi=120)
