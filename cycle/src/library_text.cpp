#include "library_text.h"

#include <charconv>
#include <regex>

#include "cycle/number_text.h"
#include "property/message_text.h"

namespace cycle::detail {

namespace {

// A unit as the library writes it, and the forms' unit of the quantity.
struct UnitRule {
  std::string_view library;
  std::string_view form;
  int decimals;
  bool per_mole;  // converted through the molar mass
  double (*convert)(double value, double molar_mass);
};

double Celsius(double kelvin, double) { return kelvin - 273.15; }
double Bar(double kpa, double) { return kpa / 100; }
// J/mol over g/mol is J/g, that is kJ/kg; likewise for entropy.
double PerKilogram(double per_mole, double molar_mass) { return per_mole / molar_mass; }
// mol/dm^3 times g/mol is g/dm^3, that is kg/m^3.
double Kilograms(double moles, double molar_mass) { return moles * molar_mass; }

constexpr UnitRule kRules[] = {
    {"K", "'C", 2, false, Celsius},
    {"kPa", "bar", 2, false, Bar},
    {"J/mol", "kJ/kg", 2, true, PerKilogram},
    {"J/(mol K)", "kJ/kg-K", 4, true, PerKilogram},
    {"J/mol-K", "kJ/kg-K", 4, true, PerKilogram},
    {"mol/dm^3", "kg/m^3", 2, true, Kilograms},
};

std::string Escaped(std::string_view text) {
  static const std::regex special(R"([.^$|()\[\]{}*+?\\/])");
  return std::regex_replace(std::string(text), special, R"(\$&)");
}

// "<number> <unit>" for every unit of the rules, the unit not running on
// into a longer word.
const std::regex& QuantityPattern() {
  static const std::regex pattern = [] {
    std::string units;
    for (const UnitRule& rule : kRules) {
      if (!units.empty()) units += '|';
      units += Escaped(rule.library);
    }
    return std::regex(R"(([-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?) ()" + units +
                      R"()(?![A-Za-z0-9^/\-]))");
  }();
  return pattern;
}

const UnitRule& RuleFor(std::string_view unit) {
  for (const UnitRule& rule : kRules) {
    if (rule.library == unit) return rule;
  }
  return kRules[0];  // unreachable: the pattern matches only the rules' units
}

// Every quantity in the forms' unit; nothing when one needs the molar mass
// and there is none.
std::optional<std::string> Converted(const std::string& text, std::optional<double> molar_mass) {
  std::string result;
  auto rest = text.cbegin();
  for (std::sregex_iterator match(text.begin(), text.end(), QuantityPattern()), end;
       match != end; ++match) {
    const UnitRule& rule = RuleFor((*match)[2].str());
    if (rule.per_mole && !(molar_mass && *molar_mass > 0)) return std::nullopt;
    // Read whatever the locale's decimal separator: the library writes ".".
    const std::string number = (*match)[1].str();
    const auto digits = number.front() == '+' ? number.substr(1) : number;
    double value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    result.append(rest, (*match)[0].first);
    result += FormatFixed(rule.convert(value, molar_mass.value_or(0)), rule.decimals) + " " +
              std::string(rule.form);
    rest = (*match)[0].second;
  }
  result.append(rest, text.cend());
  return result;
}

// What the forms cannot show: amounts per mole, routine names, paths.
bool ShowsLibraryInternals(std::string text) {
  static const std::regex internals(
      R"(mol|FLSH|\bFL[12]\b|\bSAT[A-Z]\b|\bSETUP\b|\bSETMIX\b|\bCRITP\b|\bLIMITS\b|\bTHERM\b|\bWMOL\b|\.fld|\.mix|\.bnc|\\)");
  if (std::regex_search(text, internals)) return true;
  // A slash is a path's unless it belongs to a unit of the forms.
  for (const std::string_view unit : {"kJ/kg", "kg/m^3"}) {
    for (auto at = text.find(unit); at != std::string::npos; at = text.find(unit)) {
      text.erase(at, unit.size());
    }
  }
  return text.find('/') != std::string::npos;
}

}  // namespace

std::optional<std::string> InFormTerms(std::string_view library_text, std::string_view fluid,
                                       std::optional<double> molar_mass) {
  static const std::regex routine(R"(^(?:[A-Z][A-Z0-9]*: )+)");
  const std::string text = std::regex_replace(std::string(library_text), routine, "",
                                              std::regex_constants::format_first_only);
  if (text.find("file") != std::string::npos || text.find(".fld") != std::string::npos) {
    if (text.find("not found") != std::string::npos) {
      return property::ShortenedForMessage(fluid) +
             " is not a fluid or mixture the property library knows";
    }
    return "the fluid or mixture file of " + property::ShortenedForMessage(fluid) +
           " cannot be read";
  }
  auto converted = Converted(text, molar_mass);
  if (!converted || converted->empty() || ShowsLibraryInternals(*converted)) return std::nullopt;
  return converted;
}

}  // namespace cycle::detail
