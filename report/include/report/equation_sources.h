// Where a refrigerant's equation of state comes from, as its fluid files say.
#pragma once

#include <string>
#include <vector>

namespace report {

// One line per pure fluid of the refrigerant ("R134a: Tillner-Roth, R. and
// Baehr, H.D. (1994) ..."): the fluid itself, or each component of a blend,
// a mixture file, a spelled mixture or AIR. A fluid with no fluid file says
// so in its line.
std::vector<std::string> EquationSources(const std::string& refrigerant);

}  // namespace report
