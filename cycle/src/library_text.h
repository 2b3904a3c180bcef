// The property library's text of a failed request, retold in the forms'
// terms for the engineer who entered the conditions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cycle::detail {

// The text without the routine's name in front ("PHFLSH: "), every quantity
// in the forms' units ('C, bar, kJ/kg, kJ/kg-K, kg/m^3), and a fluid or
// mixture file the library could not find or read told as such, without its
// path. Quantities per mole need the fluid's molar mass (g/mol). Nothing
// where the text holds what the forms cannot show: a unit per mole without
// the molar mass, a routine's name, a path, a unit it does not know.
std::optional<std::string> InFormTerms(std::string_view library_text, std::string_view fluid,
                                       std::optional<double> molar_mass);

}  // namespace cycle::detail
