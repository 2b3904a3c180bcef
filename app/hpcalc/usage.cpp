#include "commands.h"

namespace hpcalc {

const char* const kUsage =
    "Usage:\n"
    "  hpcalc basic [--refrigerant R22] [--flow 1] [--hot-water 50] [--subcooling 3.5]\n"
    "               [--superheating 4] [--condensing 90] [--safety 100] [--efficiency 80]\n"
    "               [--csv] [--report FILE]\n"
    "      One heat pump sized from the hot water: component duties and the four\n"
    "      cycle points (flow in liter/s, temperatures in 'C, safety factor and\n"
    "      isentropic efficiency in %).\n"
    "  hpcalc compare [--capacity 10] [--evaporating 50] [--subcooling 3.5]\n"
    "                 [--superheating 4] [--condensing 90] [--safety 100]\n"
    "                 [--efficiency 80] [--csv] [--report FILE] NAME...\n"
    "      One to eight refrigerants under the same conditions (evaporator heat\n"
    "      capacity in kW): the lines of the total results page.\n"
    "  --report FILE also writes a report of the calculation: a PDF (figures,\n"
    "      cycle points, diagrams) or a CSV table, by the file's extension.\n"
    "  hpcalc diagram ph|ts basic [the options of basic] [--out FILE]\n"
    "  hpcalc diagram ph|ts compare [the options of compare] [--out FILE] NAME...\n"
    "      The cycle on a log p-h or a T-s diagram, with the saturation dome and\n"
    "      isotherms (ph) or the cycle's isobars (ts). Without --out: every plotted\n"
    "      state as CSV (refrigerant,series,point,T,p,h,s in 'C, bar, kJ/kg,\n"
    "      kJ/kg-K; point names the corners 1, 2s, 2, 3, 4). With --out: the\n"
    "      picture, as PNG, SVG or PDF by the file's extension.\n"
    "  hpcalc property FUNCTION FLUID CODE UNITS [VALUE1 [VALUE2]]\n"
    "      One property: FUNCTION is Temperature, Pressure, Volume, Enthalpy,\n"
    "      Entropy or Cp; or CriticalPoint FLUID LETTER UNITS with the letter T,\n"
    "      P or D. Prints the number with full precision, or the library's text.\n"
    "  hpcalc --help\n"
    "\n"
    "Numbers are read as the forms read them: blanks are skipped, the leading\n"
    "number is taken (\".\" as decimal point) and a text without one reads as 0.\n"
    "--csv prints a header line and comma-separated lines. Exit codes: 0 done,\n"
    "1 refused (the message is printed), 2 bad usage.\n";

}  // namespace hpcalc
