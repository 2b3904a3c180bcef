#!/usr/bin/env python3
"""Turns the published equation-of-state coefficient sheets into fluids/*.fld.

Run by hand when the coefficient sheets change, and commit the result:

    tools/make_fluid_files.py DATA_DIR [OUT_DIR]

DATA_DIR holds fluids/NAME.json (one coefficient sheet per fluid); OUT_DIR
defaults to fluids/ of this repository. Writes one NAME.fld per pure fluid and
aliases.json, the name index the library uses to resolve a name that is not a
file name (R290 -> n-Propane.fld).

A .fld file is JSON (format "fluidcore-fluid 1"):
  name, aliases, cas, formula, safety_class, gwp100, odp   identity
  molar_mass [g/mol], gas_constant [J/(mol K)]
  reducing {T, rho}; critical {T, p, rho} as published
  triple {T, p_liquid, rho_liquid, rho_vapour}
  limits {Tmin, Tmax, pmax}: Tmin is the lower end of the saturation curve
         (the triple point, or the equation's lower limit where that is higher)
  alpha0 {a1, a2, c_log_tau, c_tau_log_tau, power[{n,t}], planck_einstein[{n,theta,c,d}]}
  alphar  term groups {power, gaussian, double_exponential, gao_b, nonanalytic}:
          each a list of terms with the coefficient names of the sheets. The
          mixing-parameter file hmx.bnc uses the same term groups (plus
          gaussian_linear) for its departure functions.
  saturation {Tcrit, rhocrit, pieces[{Tmin, Tmax, p[], rhoL[], rhoV[]}]}:
          Chebyshev series of p [kPa], rhoL, rhoV [mol/dm^3] in T, shared breaks
  ancillaries  as in the sheets (starting values only)
  sources      the publications the numbers come from

Sheets marked pseudo_pure (blends fitted as if pure) are skipped: blend names
belong to the mixture model.
"""
import json
import pathlib
import sys

FORMAT = "fluidcore-fluid 1"

# Names engineers type that some sheets lack. Only well-established R-numbers
# and common chemical names.
EXTRA_ALIASES = {
    "SulfurDioxide": ["R764", "SO2"],
    "NitrousOxide": ["R744A", "N2O"],
    "CycloPropane": ["RC270"],
    "VinylChloride": ["R1140"],
    "Propylene": ["Propene"],
    "Ethylene": ["Ethene"],
    "HeavyWater": ["D2O"],
    "CarbonMonoxide": ["CO"],
    "HydrogenSulfide": ["H2S"],
    "R1336mzz(Z)": ["R1336mzzZ"],
    "R1234ze(Z)": ["R1234zeZ"],
    "R1224yd(Z)": ["R1224ydZ"],
    "IsoButane": ["Isobutane"],
}

TERM_GROUPS = ("power", "gaussian", "double_exponential", "gao_b", "nonanalytic")


def load_sheets(data_dir):
    sheets = []
    for path in sorted((data_dir / "fluids").glob("*.json")):
        sheet = json.loads(path.read_text())
        if sheet.get("pseudo_pure"):
            print(f"skipped {sheet['name']}: pseudo-pure blend", file=sys.stderr)
            continue
        sheets.append(sheet)
    return sheets


def resolve_aliases(sheets):
    """Aliases per fluid, without clashes: a fluid's own name always wins over
    another fluid's alias, and an alias claimed by two fluids is dropped."""
    own = {s["name"].lower(): s["name"] for s in sheets}
    wanted = {}
    for s in sheets:
        names = list(s["aliases"]) + EXTRA_ALIASES.get(s["name"], [])
        for alias in names:
            key = alias.lower()
            if key == s["name"].lower():
                continue
            if key in own:
                print(f"dropped alias {alias} of {s['name']}: it is the name of "
                      f"{own[key]}", file=sys.stderr)
                continue
            wanted.setdefault(key, []).append((s["name"], alias))
    result = {s["name"]: [] for s in sheets}
    for key, claims in wanted.items():
        fluids = sorted({f for f, _ in claims})
        if len(fluids) > 1:
            print(f"dropped alias {claims[0][1]}: claimed by {', '.join(fluids)}",
                  file=sys.stderr)
            continue
        result[fluids[0]].append(claims[0][1])
    return result


def saturation_pieces(sheet):
    cheb = sheet["saturation_chebyshev"]
    p, rl, rv = cheb["p"], cheb["rhoL"], cheb["rhoV"]
    if not (len(p) == len(rl) == len(rv)):
        raise ValueError(f"{sheet['name']}: saturation series with different breaks")
    pieces = []
    for a, b, c in zip(p, rl, rv):
        if not (a["Tmin"] == b["Tmin"] == c["Tmin"] and a["Tmax"] == b["Tmax"] == c["Tmax"]):
            raise ValueError(f"{sheet['name']}: saturation series with different breaks")
        pieces.append({"Tmin": a["Tmin"], "Tmax": a["Tmax"],
                       "p": a["coef"], "rhoL": b["coef"], "rhoV": c["coef"]})
    for left, right in zip(pieces, pieces[1:]):
        if left["Tmax"] != right["Tmin"]:
            raise ValueError(f"{sheet['name']}: gap in the saturation series")
    return {"Tcrit": cheb["Tcrit_eos"], "rhocrit": cheb["rhocrit_eos"], "pieces": pieces}


def fluid_file(sheet, aliases):
    saturation = saturation_pieces(sheet)
    unknown = set(sheet["alphar"]) - set(TERM_GROUPS)
    if unknown:
        raise ValueError(f"{sheet['name']}: unknown term groups {sorted(unknown)}")
    limits = {"Tmin": max(sheet["triple"]["T"], saturation["pieces"][0]["Tmin"]),
              "Tmax": sheet["limits"]["Tmax"], "pmax": sheet["limits"]["pmax"]}
    return {
        "format": FORMAT,
        "name": sheet["name"],
        "aliases": aliases,
        **{k: sheet[k] for k in ("cas", "formula", "safety_class", "gwp100", "odp",
                                 "molar_mass", "gas_constant", "acentric", "reducing",
                                 "critical", "triple")},
        "limits": limits,
        "reference_state_label": sheet["reference_state_label"],
        "alpha0": sheet["alpha0"],
        "alphar": {g: sheet["alphar"][g] for g in TERM_GROUPS if sheet["alphar"].get(g)},
        "saturation": saturation,
        "ancillaries": sheet["ancillaries"],
        "sources": sheet["sources"],
    }


def dump(value, depth=0):
    """JSON with one line per key and per list element down to two levels,
    compact below: readable and diffable without one number per line."""
    if depth >= 3 or not isinstance(value, (dict, list)) or not value:
        return json.dumps(value, separators=(",", ":"))
    pad = " " * (depth + 1)
    if isinstance(value, dict):
        items = [f"{pad}{json.dumps(k)}: {dump(v, depth + 1)}" for k, v in value.items()]
        return "{\n" + ",\n".join(items) + "\n" + " " * depth + "}" + ("\n" if depth == 0 else "")
    if all(not isinstance(v, (dict, list)) for v in value):
        return json.dumps(value, separators=(",", ":"))
    items = [pad + dump(v, depth + 1) for v in value]
    return "[\n" + ",\n".join(items) + "\n" + " " * depth + "]"


def main(argv):
    if len(argv) not in (2, 3):
        print(__doc__, file=sys.stderr)
        return 2
    data_dir = pathlib.Path(argv[1])
    out_dir = pathlib.Path(argv[2]) if len(argv) == 3 else \
        pathlib.Path(__file__).resolve().parent.parent / "fluids"
    out_dir.mkdir(parents=True, exist_ok=True)
    sheets = load_sheets(data_dir)
    aliases = resolve_aliases(sheets)
    index = {}
    for sheet in sheets:
        name = sheet["name"]
        (out_dir / f"{name}.fld").write_text(dump(fluid_file(sheet, aliases[name])))
        for alias in aliases[name]:
            index[alias.lower()] = f"{name}.fld"
    (out_dir / "aliases.json").write_text(json.dumps(
        {"format": "fluidcore-aliases 1",
         "comment": "lower-case alias -> fluid file; a file's own name always wins",
         "aliases": dict(sorted(index.items()))}, indent=1) + "\n")
    print(f"wrote {len(sheets)} fluid files and {len(index)} aliases to {out_dir}",
          file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
