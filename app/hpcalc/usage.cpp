#include "commands.h"

namespace hpcalc {

const char* const kUsage =
    "Usage:\n"
    "  hpcalc basic [--refrigerant R22] [--flow 1] [--hot-water 50] [--subcooling 3.5]\n"
    "               [--superheating 4] [--condensing 90] [--safety 100] [--efficiency 80]\n"
    "               [--csv]\n"
    "      One heat pump sized from the hot water: component duties and the four\n"
    "      cycle points (flow in liter/s, temperatures in 'C, safety factor and\n"
    "      isentropic efficiency in %).\n"
    "  hpcalc compare [--capacity 10] [--evaporating 50] [--subcooling 3.5]\n"
    "                 [--superheating 4] [--condensing 90] [--safety 100]\n"
    "                 [--efficiency 80] [--csv] NAME...\n"
    "      One to eight refrigerants under the same conditions (evaporator heat\n"
    "      capacity in kW): the lines of the total results page.\n"
    "  hpcalc property FUNCTION FLUID CODE UNITS [VALUE1 [VALUE2]]\n"
    "      One property: FUNCTION is Temperature, Pressure, Volume, Enthalpy,\n"
    "      Entropy or Cp; or CriticalPoint FLUID LETTER UNITS with the letter T,\n"
    "      P or D. Prints the number with full precision, or the library's text.\n"
    "  hpcalc screen [--capacity 10] [--evaporating 50] [--subcooling 3.5]\n"
    "                [--superheating 4] [--condensing 90] [--safety 100]\n"
    "                [--efficiency 80] [--kind pure|blend|all]\n"
    "                [--safety-class A1,A2L,...] [--max-gwp N] [--sort COLUMN] [--csv]\n"
    "      Every pure fluid and blend of the fluid and mixture files under the\n"
    "      comparison's conditions: its safety class, GWP, ODP, critical\n"
    "      temperature, glides and the comparison's figures, or why it cannot\n"
    "      run the cycle. A fluid without a safety class or GWP on record does\n"
    "      not pass --safety-class or --max-gwp. --sort takes a column of the\n"
    "      table (COP, VHC, GWP ...), -COLUMN sorts it from the largest.\n"
    "  hpcalc --help\n"
    "\n"
    "Numbers are read as the forms read them: blanks are skipped, the leading\n"
    "number is taken (\".\" as decimal point) and a text without one reads as 0.\n"
    "--csv prints a header line and comma-separated lines. Exit codes: 0 done,\n"
    "1 refused (the message is printed), 2 bad usage.\n";

}  // namespace hpcalc
