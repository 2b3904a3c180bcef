// Unit systems: which units the caller's values are in, and the conversion of
// every given value and every result between them and library units (K, kPa,
// mol/dm^3, dm^3/mol, J/mol, J/mol-K, m/s, uPa-s, W/m-K, N/m).
//
//   system  selected by                      T  P     D        H      S
//   0       anything else, empty included    K  MPa   mol/dm^3 J/mol  J/mol-K
//   1       "MKS" in any case                K  kPa   kg/m^3   kJ/kg  kJ/kg-K
//   2       "CGS" in any case                K  MPa   g/cm^3   J/g    J/g-K
//   3       first letter E (English)         F  psia  lb/ft^3  Btu/lb Btu/lb-R
//   4       first letter M, except "MKS"     K  psia  g/cm^3   J/g    J/g-K
//
// Internal energy (E) is converted in the enthalpy's units.
#pragma once

#include <optional>
#include <string_view>

#include "property/property_functions.h"

namespace property {

constexpr int kUnitSystems = 5;

// The unit system the units argument selects (0 to 4).
int UnitSystemIndex(std::string_view units);

// The unit of a quantity letter (T P D V H E S W U K N) in a unit system, or in
// library units when system is nothing; nothing for any other letter.
std::optional<std::string_view> UnitOf(char letter, std::optional<int> system);

// The quantity code under which the unit catalogue converts a letter ("D"
// for V as well, "H" for E); nothing for letters that are not converted.
std::optional<std::string_view> QuantityCodeOf(char letter);

// The undefined-value marker of the library: a whole number from -9999999 to
// -9999900.
bool IsUndefinedMarker(double value);

// A value of the quantity a letter names (upper case), from library units
// into the unit system, as a result code converts it; unchanged for a letter
// without units. Throws ConversionFault.
double FromLibraryUnits(char letter, std::string_view units, double value);

// code: an input code ("TP", "Tvap" ...), whose first and second characters
// name the quantities of value1 and value2, both then converted in place into
// library units (the result is empty); or a result code ("-" and a letter),
// whose value1, in library units, is returned converted into the unit system
// (or "Undefined" for the marker). With ErrorCode > 0 nothing is converted and
// the result is ErrorText. Throws ConversionFault.
PropertyResult ConvertUnits(std::string_view code, std::string_view units, double& value1,
                            double& value2);

// A result code's conversion of one value, with a conversion fault turned
// into a failed request (ErrorCode 1, ErrorText returned).
PropertyResult ConvertResult(std::string_view result_code, std::string_view units, double value);

}  // namespace property
