// Conversion of one number of one quantity between two named units, in two
// passes through the base unit of the quantity (for example kelvin, MPa,
// mol/dm^3, J/mol). Units per mass are tied to units per mole through the
// molar mass of the loaded fluid, asked of the property library on each call.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "property/property_functions.h"

namespace property {

// A number, a text that should read as a number, or nothing (reads as 0).
using Value = PropertyResult;

// A value that does not read as a number, or a conversion whose arithmetic
// fails (no molar mass for a per-mass unit, an overflow, an invalid
// operation). The request that needed the conversion fails with its text.
class ConversionFault : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// quantity: a quantity code ("T", "P", "D", "H", "S", "W", "U", "K", "JT",
// "L", "A", "V", "M", "F", "E", "Q", "N"); from, to: unit names. Codes and
// names are matched without regard to case and surrounding blanks; an unknown
// code or name leaves the value unchanged in its pass. An empty target unit
// returns the value exactly as given. Otherwise the result is a double.
// Throws ConversionFault.
Value ConvertUnit(const Value& value, std::string_view quantity, std::string_view from,
                  std::string_view to);

// A conversion between two units of one quantity, the code and the names
// read once: each call gives what ConvertUnit gives for the number, the
// molar mass asked of the library as ConvertUnit asks it, without reading
// the names again. Throws ConversionFault as ConvertUnit.
class UnitConversion {
 public:
  UnitConversion(std::string_view quantity, std::string_view from, std::string_view to);
  double operator()(double value) const;

 private:
  struct Plan;
  std::shared_ptr<const Plan> plan_;
};

// Whether the catalogue has a row for the unit name under the quantity code.
bool IsCatalogued(std::string_view quantity, std::string_view unit);

struct CataloguedUnit {
  std::string_view quantity;
  std::string_view unit;
};

// Every unit name of the catalogue with its quantity code, in catalogue order.
std::vector<CataloguedUnit> CataloguedUnits();

}  // namespace property
