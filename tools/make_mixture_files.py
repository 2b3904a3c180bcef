#!/usr/bin/env python3
"""Turns the published mixing parameters and blend compositions into
fluids/hmx.bnc and mixtures/*.mix.

Run by hand when the coefficient sheets or the library's critical-point
computation change, and commit the result:

    tools/make_mixture_files.py DATA_DIR HPCALC [OUT_DIR]

DATA_DIR holds binary_pairs.json, blends.csv and fluids/NAME.json; OUT_DIR
(default: this repository) receives fluids/hmx.bnc and mixtures/NAME.mix.
HPCALC is the built command-line calculator (build/bin/hpcalc), which
computes each blend's critical temperature from the files just written.

hmx.bnc is JSON (format "fluidcore-mixing 1"):
  pairs  one entry per fluid pair: fluid1, fluid2 (fluid names, which are also
         the fluid file names without ".fld"), cas1, cas2, beta_T, gamma_T,
         beta_v, gamma_v, F, departure (a key of departure_functions or null),
         sources. The library finds a pair by the CAS numbers of the loaded
         fluid files (by name where a file has no CAS number); for the
         reversed order it uses 1/beta_T and 1/beta_v.
  departure_functions  name -> {terms, sources}; terms are term groups as in
         the fluid files (power, gaussian, ..., gaussian_linear).

NAME.mix is the mixture-file layout the program reads: line 1 the blend's
name, line 2 what it is made of (both free text), line 3 the component count
alone, then one component file name per line, then the mole fractions, one
per line, with full double precision. Mole fractions follow from the mass
percentages: x_i = (w_i/M_i) / sum_j (w_j/M_j). Blends with a component that
has no fluid file are left out. After the fractions, which is no part of
the layout and read by no property calculation, follows the line
"critical temperature T K": the library's critical temperature of the blend,
with full precision, so that the lists of fluids need not set up the blend
to show it; a blend whose critical point the library cannot compute has no
such line.

blends.csv lists the zeotropic 400 series; the azeotropic 500-series blends
engineers also type by name are added from AZEOTROPES (their designated
compositions, ASHRAE Standard 34).
"""
import csv
import json
import pathlib
import subprocess
import sys

FORMAT = "fluidcore-mixing 1"
PAIR_KEYS = ("beta_T", "gamma_T", "beta_v", "gamma_v", "F")
# Designated 500-series blends: components and mass percent.
AZEOTROPES = [
    {"blend": "R500", "components": "R12/R152A", "mass_percent": "73.8/26.2"},
    {"blend": "R502", "components": "R22/R115", "mass_percent": "48.8/51.2"},
    {"blend": "R507A", "components": "R125/R143a", "mass_percent": "50/50"},
    {"blend": "R513A", "components": "R1234yf/R134a", "mass_percent": "56/44"},
]
TERM_GROUPS = {
    "power": ("n", "t", "d", "c", "l"),
    "gaussian": ("n", "t", "d", "eta", "epsilon", "beta", "gamma"),
    "double_exponential": ("n", "t", "d", "gd", "ld", "gt", "lt"),
    "gaussian_linear": ("n", "t", "d", "eta", "epsilon", "beta", "gamma"),
}


def load_sheets(data_dir):
    """Every usable fluid sheet by name (the pseudo-pure blends are no fluid
    files)."""
    sheets = {}
    for path in sorted((data_dir / "fluids").glob("*.json")):
        sheet = json.loads(path.read_text())
        if not sheet.get("pseudo_pure"):
            sheets[sheet["name"]] = sheet
    return sheets


def checked_terms(name, terms):
    for group, entries in terms.items():
        if group not in TERM_GROUPS:
            raise ValueError(f"departure function {name}: unknown term group {group}")
        for term in entries:
            missing = set(TERM_GROUPS[group]) - set(term)
            if missing:
                raise ValueError(f"departure function {name}: {group} term lacks {sorted(missing)}")
    return terms


def mixing_file(pairs_sheet, sheets):
    departures = pairs_sheet["departure_functions"]
    pairs = []
    seen = set()
    for p in pairs_sheet["pairs"]:
        for side in ("1", "2"):
            sheet = sheets.get(p["fluid" + side])
            if sheet is None:
                raise ValueError(f"pair {p['fluid1']}/{p['fluid2']}: no fluid sheet "
                                 f"{p['fluid' + side]}")
            if sheet["cas"] != p["cas" + side]:
                raise ValueError(f"pair {p['fluid1']}/{p['fluid2']}: CAS number differs "
                                 f"from the fluid sheet")
        key = frozenset((p["fluid1"], p["fluid2"]))
        if key in seen or len(key) != 2:
            raise ValueError(f"pair {p['fluid1']}/{p['fluid2']} listed twice")
        seen.add(key)
        if p["departure"] is not None and p["departure"] not in departures:
            raise ValueError(f"pair {p['fluid1']}/{p['fluid2']}: unknown departure "
                             f"function {p['departure']}")
        pairs.append({"fluid1": p["fluid1"], "fluid2": p["fluid2"],
                      "cas1": p["cas1"], "cas2": p["cas2"],
                      **{k: float(p[k]) for k in PAIR_KEYS},
                      "departure": p["departure"], "sources": p["sources"]})
    return {
        "format": FORMAT,
        "comment": "binary mixing parameters and departure functions of the "
                   "multi-fluid mixture model",
        "pairs": pairs,
        "departure_functions": {
            name: {"terms": checked_terms(name, f["terms"]), "sources": f["sources"]}
            for name, f in sorted(departures.items())},
    }


def mole_fractions(masses, molar_masses):
    moles = [w / m for w, m in zip(masses, molar_masses)]
    total = sum(moles)
    return [n / total for n in moles]


def mixture_file(blend, sheets):
    names = blend["components"].split("/")
    masses = [float(w) for w in blend["mass_percent"].split("/")]
    if len(names) != len(masses):
        raise ValueError(f"{blend['blend']}: {len(names)} components, {len(masses)} fractions")
    x = mole_fractions(masses, [sheets[n]["molar_mass"] for n in names])
    lines = [blend["blend"],
             f"{blend['components']} {blend['mass_percent']} (mass percent)",
             str(len(names))]
    lines += [f"{n}.fld" for n in names]
    lines += [repr(v) for v in x]
    return "\n".join(lines) + "\n"


def critical_temperature(hpcalc, out_dir, blend):
    """The library's critical temperature of the blend (K) as hpcalc prints
    it, from the files under out_dir; None where it gives none."""
    run = subprocess.run([str(hpcalc), "property", "CriticalPoint", blend, "T", "mks"],
                         cwd=out_dir, capture_output=True, text=True)
    text = run.stdout.strip()
    try:
        kelvin = float(text)
    except ValueError:
        kelvin = None
    if run.returncode != 0 or kelvin is None or not kelvin > 0:
        print(f"{blend}: no critical temperature ({text or run.stderr.strip()})", file=sys.stderr)
        return None
    return text


def main(argv):
    if len(argv) not in (3, 4):
        print(__doc__, file=sys.stderr)
        return 2
    data_dir = pathlib.Path(argv[1])
    hpcalc = pathlib.Path(argv[2]).resolve()
    out_dir = pathlib.Path(argv[3]) if len(argv) == 4 else \
        pathlib.Path(__file__).resolve().parent.parent
    sheets = load_sheets(data_dir)

    pairs_sheet = json.loads((data_dir / "binary_pairs.json").read_text())
    (out_dir / "fluids").mkdir(parents=True, exist_ok=True)
    (out_dir / "fluids" / "hmx.bnc").write_text(
        json.dumps(mixing_file(pairs_sheet, sheets), indent=1) + "\n")

    mixtures = out_dir / "mixtures"
    mixtures.mkdir(parents=True, exist_ok=True)
    written = 0
    with open(data_dir / "blends.csv", newline="") as f:
        blends = list(csv.DictReader(f))
    listed = {b["blend"] for b in blends}
    for blend in blends + [b for b in AZEOTROPES if b["blend"] not in listed]:
        missing = [n for n in blend["components"].split("/") if n not in sheets]
        if missing:
            print(f"skipped {blend['blend']}: no fluid file for {', '.join(missing)}",
                  file=sys.stderr)
            continue
        path = mixtures / f"{blend['blend']}.mix"
        text = mixture_file(blend, sheets)
        path.write_text(text)
        kelvin = critical_temperature(hpcalc, out_dir, blend["blend"])
        if kelvin is not None:
            path.write_text(text + f"critical temperature {kelvin} K\n")
        written += 1
    print(f"wrote hmx.bnc ({len(pairs_sheet['pairs'])} pairs) and {written} mixture files",
          file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
