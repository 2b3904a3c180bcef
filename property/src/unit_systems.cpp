#include "property/unit_systems.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <vector>

#include "property/layer_state.h"
#include "property/unit_catalogue.h"
#include "text.h"

namespace property {

namespace {

struct LetterUnits {
  char letter;
  std::string_view quantity;  // code handed to the unit catalogue
  std::string_view library;
  std::array<std::string_view, kUnitSystems> systems;
};

constexpr LetterUnits kLetters[] = {
    {'T', "T", "K", {"K", "K", "K", "F", "K"}},
    {'P', "P", "kPa", {"MPa", "kPa", "MPa", "psia", "psia"}},
    {'D', "D", "mol/dm^3", {"mol/dm^3", "kg/m^3", "g/cm^3", "lb/ft^3", "g/cm^3"}},
    {'V', "D", "dm^3/mol", {"dm^3/mol", "m^3/kg", "cm^3/g", "ft^3/lb", "cm^3/g"}},
    {'H', "H", "J/mol", {"J/mol", "kJ/kg", "J/g", "Btu/lb", "J/g"}},
    // Internal energy: an energy per amount, in the enthalpy's units.
    {'E', "H", "J/mol", {"J/mol", "kJ/kg", "J/g", "Btu/lb", "J/g"}},
    {'S', "S", "J/mol-K", {"J/mol-K", "kJ/kg-K", "J/g-K", "Btu/lb-R", "J/g-K"}},
    {'W', "W", "m/s", {"m/s", "m/s", "cm/s", "ft/s", "m/s"}},
    {'U', "U", "uPa-s", {"uPa-s", "uPa-s", "uPa-s", "lb/ft-s", "uPa-s"}},
    {'K', "K", "W/m-K", {"mW/m-K", "W/m-K", "mW/m-K", "Btu/h-ft-F", "mW/m-K"}},
    {'N', "N", "N/m", {"mN/m", "mN/m", "dyn/cm", "lbf/ft", "mN/m"}},
};

const LetterUnits* FindLetter(char letter) {
  const auto found = std::find_if(std::begin(kLetters), std::end(kLetters),
                                  [letter](const LetterUnits& l) { return l.letter == letter; });
  return found == std::end(kLetters) ? nullptr : &*found;
}

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

char UpperLetter(std::string_view code, std::size_t position) {
  return position < code.size() ? Upper(code[position]) : '\0';
}

// A letter's value between a unit system and library units, the units'
// names read once per process.
double Convert(double value, const LetterUnits& units, int system, bool into_library) {
  static const std::vector<UnitConversion> kConversions = [] {
    std::vector<UnitConversion> conversions;
    for (const LetterUnits& letter : kLetters) {
      for (const std::string_view unit : letter.systems) {
        conversions.emplace_back(letter.quantity, unit, letter.library);
        conversions.emplace_back(letter.quantity, letter.library, unit);
      }
    }
    return conversions;
  }();
  const auto letter = static_cast<std::size_t>(&units - std::begin(kLetters));
  const auto at = (letter * kUnitSystems + static_cast<std::size_t>(system)) * 2;
  return kConversions[at + (into_library ? 0 : 1)](value);
}

// An input value in place: from the unit system into library units.
void ConvertGiven(char letter, int system, double& value) {
  if (const LetterUnits* units = FindLetter(letter)) value = Convert(value, *units, system, true);
}

}  // namespace

int UnitSystemIndex(std::string_view units) {
  const auto is = [&](std::string_view word) {
    return std::equal(units.begin(), units.end(), word.begin(), word.end(),
                      [](char a, char b) { return Upper(a) == b; });
  };
  if (is("MKS")) return 1;
  if (is("CGS")) return 2;
  const char first = units.empty() ? '\0' : Upper(units.front());
  return first == 'E' ? 3 : first == 'M' ? 4 : 0;
}

std::optional<std::string_view> UnitOf(char letter, std::optional<int> system) {
  const LetterUnits* units = FindLetter(letter);
  if (units == nullptr) return std::nullopt;
  return system ? units->systems.at(static_cast<std::size_t>(*system)) : units->library;
}

std::optional<std::string_view> QuantityCodeOf(char letter) {
  const LetterUnits* units = FindLetter(letter);
  if (units == nullptr) return std::nullopt;
  return units->quantity;
}

bool IsUndefinedMarker(double value) {
  return value >= -9999999 && value <= -9999900 && value == std::round(value);
}

PropertyResult ConvertUnits(std::string_view code, std::string_view units, double& value1,
                            double& value2) {
  const LayerState& layer = Layer();
  if (layer.ErrorCode > 0) return layer.ErrorText.Str();
  const int system = UnitSystemIndex(units);
  const char first = UpperLetter(code, 0);
  const char second = UpperLetter(code, 1);
  if (first == '-') {
    if (IsUndefinedMarker(value1)) return std::string("Undefined");
    const LetterUnits* letter = FindLetter(second);
    if (letter == nullptr) return value1;
    return Convert(value1, *letter, system, false);
  }
  ConvertGiven(first, system, value1);
  ConvertGiven(second, system, value2);
  return {};
}

PropertyResult ConvertResult(std::string_view result_code, std::string_view units, double value) {
  double unused = 0;
  try {
    return ConvertUnits(result_code, units, value, unused);
  } catch (const ConversionFault& fault) {
    Layer().Fail(fault.what());
    return Layer().ErrorText.Str();
  }
}

}  // namespace property
