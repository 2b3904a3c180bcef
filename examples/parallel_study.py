"""A parameter study spread over processes: the heating COP of the
economizer layout at its best intermediate pressure, for a few refrigerants
over a range of condensing temperatures. Each point is one calculation;
each process has a property library of its own, so the points run side by
side (threads would run one after another).

    PYTHONPATH=build/python /usr/bin/python3 examples/parallel_study.py
"""
import concurrent.futures
import itertools

import heatpump

refrigerants = ["R134a", "R600a", "R1234ze(E)"]
condensing = [60, 65, 70, 75, 80]


def point(refrigerant, temperature):
    """The COP at one point, or why there is none."""
    try:
        result = heatpump.layout(
            "economizer", refrigerant, evaporating=0, condensing=temperature, intermediate="optimal"
        )
        return f"{result['COP']:.3f}"
    except heatpump.CalculationError as refusal:
        return f"refused: {refusal}"


if __name__ == "__main__":
    points = list(itertools.product(refrigerants, condensing))
    with concurrent.futures.ProcessPoolExecutor() as pool:
        results = pool.map(point, *zip(*points))
        for (refrigerant, temperature), cop in zip(points, results):
            print(f"{refrigerant:12} {temperature:3} 'C  COP {cop}")
