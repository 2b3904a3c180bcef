#include "property/unit_catalogue.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <charconv>
#include <memory>
#include <span>

#include "property/binding.h"
#include "property/layer_state.h"
#include "property/number_text.h"
#include "text.h"

namespace property {

namespace {

enum class Rule {
  kFactor,        // one unit is a * M^molar base units
  kReciprocal,    // x -> G / x both ways, G = a * M^molar
  kCelsius,       // offset 273.15
  kFahrenheit,    // offset 459.67 and factor 5/9
  kPsig,          // psi above one standard atmosphere
  kSpeedSquared,  // m^2/s^2 as a speed: square root, square
};

struct Row {
  std::array<std::string_view, 5> names;
  Rule rule = Rule::kFactor;
  double a = 1;
  int molar = 0;  // power of the molar mass M (g/mol) in the factor: -1, 0 or 1
};

constexpr Row Factor(std::array<std::string_view, 5> names, double a, int molar = 0) {
  return {names, Rule::kFactor, a, molar};
}
constexpr Row Reciprocal(std::array<std::string_view, 5> names, double g, int molar = 0) {
  return {names, Rule::kReciprocal, g, molar};
}
constexpr Row Special(std::array<std::string_view, 5> names, Rule rule) {
  return {names, rule, 1, 0};
}

constexpr double kAtm = 0.101325;                      // MPa
constexpr double kPsi = 0.006894757293168363;          // MPa
constexpr double kPoundMass = 0.45359237;              // kg
constexpr double kCubicFoot = 0.028316846592;          // m^3
constexpr double kGallon = 0.003785411784;             // m^3
constexpr double kFoot = 0.3048;                       // m
constexpr double kGravity = 9.80665;                   // m/s^2
constexpr double kPoundForce = 4.4482216152605;        // N
constexpr double kBtu = 1.0543502644888891;            // kJ
constexpr double kFootPound = 1.3558179483314003;      // J
constexpr double kCalorie = 4.184;                     // J
constexpr double kRankine = 5.0 / 9.0;                 // K
constexpr double kLbPerFt3 = kPoundMass / kCubicFoot;  // kg/m^3 = mol/dm^3 * g/mol
constexpr double kBtuPerLb = kBtu / kPoundMass;        // kJ/kg
constexpr double kInch3 = 1.6387064e-5;                // m^3
constexpr double kBtuJoule = 1054.350264488889;

constexpr Row kTemperature[] = {
    Factor({"K"}, 1),
    Special({"C"}, Rule::kCelsius),
    Factor({"R"}, kRankine),
    Special({"F"}, Rule::kFahrenheit),
};

constexpr Row kPressure[] = {
    Factor({"PA"}, 1e-6),
    Factor({"KPA"}, 0.001),
    Factor({"MPA"}, 1),
    Factor({"GPA"}, 1000),
    Factor({"BAR"}, 0.1),
    Factor({"KBAR"}, 100),
    Factor({"ATM"}, kAtm),
    Factor({"KG/CM^2", "KGF/CM^2", "ATA", "AT", "ATMA"}, kGravity / 100),
    Factor({"PSIA", "PSI"}, kPsi),
    Factor({"PSF"}, kPsi / 144),
    Factor({"TORR", "MMHG"}, kAtm / 760),
    Factor({"CMHG"}, kAtm / 76),
    Factor({"INHG"}, kAtm / 760 * 25.4),
    Factor({"INH2O"}, 0.000249082),
    Special({"PSIG"}, Rule::kPsig),
};

constexpr Row kDensity[] = {
    Factor({"MOL/L", "MOL/DM^3", "KMOL/M^3"}, 1),
    Factor({"MOL/CC", "MOL/CM^3"}, 1000),
    Factor({"MOL/M^3"}, 0.001),
    Factor({"KG/M^3"}, 1, -1),
    Factor({"KG/L", "KG/DM^3"}, 1000, -1),
    Factor({"G/L", "G/DM^3"}, 1, -1),
    Factor({"G/CM^3", "G/CC", "G/ML"}, 1000, -1),
    Factor({"LB/FT^3", "LBM/FT^3"}, kLbPerFt3, -1),
    Factor({"LBMOL/FT^3"}, kLbPerFt3),
    Factor({"SLUG/FT^3"}, kLbPerFt3* kGravity / kFoot, -1),
    Factor({"LB/GAL"}, kPoundMass / kGallon, -1),
    Reciprocal({"L/MOL", "DM^3/MOL", "M^3/KMOL"}, 1),
    Reciprocal({"CC/MOL", "CM^3/MOL", "ML/MOL"}, 1000),
    Reciprocal({"M^3/MOL"}, 0.001),
    Reciprocal({"M^3/KG"}, 1, -1),
    Reciprocal({"L/KG", "DM^3/KG"}, 1000, -1),
    Reciprocal({"CM^3/G", "CC/G", "ML/G"}, 1000, -1),
    Reciprocal({"DM^3/G"}, 1, -1),
    Reciprocal({"FT^3/LB", "FT^3/LBM"}, kLbPerFt3, -1),
    Reciprocal({"FT^3/LBMOL"}, kLbPerFt3),
    Reciprocal({"FT^3/SLUG"}, kLbPerFt3* kGravity / kFoot, -1),
};

constexpr Row kEnthalpy[] = {
    Factor({"KJ/KMOL", "J/MOL"}, 1),
    Factor({"KJ/MOL"}, 1000),
    Factor({"MJ/MOL"}, 1e6),
    Factor({"J/G", "KJ/KG"}, 1, 1),
    Factor({"M^2/S^2"}, 1.0 / 1000, 1),
    Factor({"FT^2/S^2"}, kFoot* kFoot / 1000, 1),
    Factor({"KCAL/KMOL", "CAL/MOL"}, kCalorie),
    Factor({"KCAL/KG", "CAL/G"}, kCalorie, 1),
    Factor({"BTU/LB", "BTU/LBM"}, kBtuPerLb, 1),
    Factor({"BTU/LBMOL"}, kBtuPerLb),
};

constexpr Row kEntropy[] = {
    Factor({"KJ/KMOL-K", "J/MOL-K"}, 1),
    Factor({"KJ/MOL-K"}, 1000),
    Factor({"J/G-K", "KJ/KG-K"}, 1, 1),
    Factor({"J/KG-K"}, 1.0 / 1000, 1),
    Factor({"BTU/LB-R", "BTU/LBM-R"}, kBtuPerLb / kRankine, 1),
    Factor({"BTU/LBMOL-R"}, kBtuPerLb / kRankine),
    Factor({"CAL/G-C", "CAL/G-K", "KCAL/KG-K", "KCAL/KG-C"}, kCalorie, 1),
    Factor({"CAL/MOL-C", "CAL/MOL-K"}, kCalorie),
    Factor({"FT-LBF/LBMOL-R"}, kFootPound / kPoundMass / kRankine / 1000),
    Factor({"CP/R"}, 8.314472),
};

constexpr Row kSpeed[] = {
    Factor({"M/S"}, 1),
    Special({"M^2/S^2"}, Rule::kSpeedSquared),
    Factor({"CM/S"}, 0.01),
    Factor({"KM/H"}, 1000.0 / 3600),
    Factor({"FT/S"}, kFoot),
    Factor({"IN/S"}, 0.0254),
    Factor({"MPH", "MILE/H"}, 1609.344 / 3600),
    Factor({"KNOT"}, 0.5144444444),
    Factor({"MACH"}, 346.187543707241),  // sqrt(3470559.6191 / 28.95853816)
};

constexpr Row kViscosity[] = {
    Factor({"KG/M-S", "PA-S"}, 1),
    Factor({"MPA-S"}, 0.001),
    Factor({"UPA-S"}, 1e-6),
    Factor({"POISE", "G/CM-S"}, 0.1),
    Factor({"CENTIPOISE"}, 0.001),
    Factor({"MPOISE", "MILLIPOISE"}, 1e-4),
    Factor({"UPOISE", "MICROPOISE"}, 1e-7),
    Factor({"LB/FT-S", "LBM/FT-S"}, kPoundMass / kFoot),
    Factor({"LBF-S/FT^2"}, kPoundForce / (kFoot * kFoot)),
    Factor({"LB/FT-H", "LBM/FT-H"}, kPoundMass / kFoot / 3600),
};

constexpr Row kConductivity[] = {
    Factor({"MW/M-K"}, 1),
    Factor({"W/M-K"}, 1000),
    Factor({"G-CM/S^3-K"}, 0.01),
    Factor({"KG-M/S^3-K"}, 1000),
    Factor({"CAL/S-CM-K"}, 418400),
    Factor({"KCAL/HR-M-K"}, 418400000.0 / 100 / 3600),
    Factor({"LB-FT/S^3-F", "LBM-FT/S^3-F"}, 138.254954376 / kRankine),
    Factor({"LBF/S-F"}, 4448.2216152605 / kRankine),
    Factor({"BTU/H-FT-F"}, 1054350.2644888891 / 3600 / kFoot / kRankine),
};

constexpr Row kJouleThomson[] = {
    Factor({"K/MPA"}, 1),
    Factor({"C/ATM"}, 1 / kAtm),
};

constexpr Row kLength[] = {
    Factor({"M", "METER"}, 1),
    Factor({"DM"}, 0.1),
    Factor({"CM"}, 0.01),
    Factor({"MM"}, 0.001),
    Factor({"KM"}, 1000),
    Factor({"IN", "INCH"}, 0.0254),
    Factor({"FT", "FOOT"}, kFoot),
    Factor({"YD", "YARD"}, 0.9144),
    Factor({"MI", "MILE"}, 1609.344),
    Factor({"LIGHT YEAR"}, 9.46055e15),
    Factor({"ANGSTROM"}, 1e-10),
    Factor({"FATHOM"}, 1.8288),
    Factor({"MIL"}, 0.0254 / 1000),
    Factor({"ROD"}, 5.0292),
    Factor({"PARSEC"}, 3.08374e16),
};

constexpr Row kArea[] = {
    Factor({"M^2", "METER^2"}, 1),
    Factor({"CM^2"}, 1e-4),
    Factor({"MM^2"}, 1e-6),
    Factor({"KM^2"}, 1e6),
    Factor({"IN^2", "INCH^2"}, 0.0254 * 0.0254),
    Factor({"FT^2", "FOOT^2"}, kFoot* kFoot),
    Factor({"YD^2", "YARD^2"}, 0.9144 * 0.9144),
    Factor({"MI^2", "MILE^2"}, 1609.344 * 1609.344),
    Factor({"ACRE"}, 0.9144 * 0.9144 * 4840),
    Factor({"BARN"}, 1e-28),
    Factor({"HECTARE"}, 1e4),
};

constexpr Row kVolume[] = {
    Factor({"M^3", "METER^3"}, 1),
    Factor({"CM^3"}, 1e-6),
    Factor({"LITER", "L", "DM^3"}, 0.001),
    Factor({"IN^3", "INCH^3"}, kInch3),
    Factor({"FT^3", "FOOT^3"}, 12 * 12 * 12 * kInch3),
    Factor({"YD^3", "YARD^3"}, 36 * 36 * 36 * kInch3),
    Factor({"GAL", "GALLON"}, kGallon),
    Factor({"QT", "QUART"}, kGallon / 4),
    Factor({"PT", "PINT"}, kGallon / 8),
    Factor({"CUP"}, kGallon / 16),
    Factor({"OUNCE"}, kGallon / 128),
    Factor({"TBSP", "TABLESPOON"}, kGallon / 256),
    Factor({"TSP", "TEASPOON"}, kGallon / 768),
    Factor({"CORD"}, 3.624556363776),
    Factor({"BARREL"}, 0.158987294928),
    Factor({"BOARD FOOT"}, 0.002359737216),
    Factor({"BUSHEL"}, 0.03523907016688),
};

constexpr Row kMass[] = {
    Factor({"KG"}, 1),
    Factor({"G"}, 0.001),
    Factor({"MG"}, 1e-6),
    Factor({"LB", "LBM"}, kPoundMass),
    Factor({"GRAIN"}, kPoundMass / 7000),
    Factor({"SLUG"}, kPoundForce / kFoot),
    Factor({"TON"}, 907.18474),
    Factor({"TONNE"}, 1000),
};

constexpr Row kForce[] = {
    Factor({"N", "NEWTON"}, 1),        Factor({"MN"}, 0.001),
    Factor({"KGF"}, kGravity),         Factor({"DYNE"}, 1e-5),
    Factor({"LBF"}, kPoundForce),      Factor({"POUNDAL"}, 0.138254954376),
    Factor({"OZF"}, kPoundForce / 16),
};

constexpr Row kEnergy[] = {
    Factor({"J", "JOULE"}, 1), Factor({"KJ"}, 1000),       Factor({"MJ"}, 1e6),
    Factor({"KW-H"}, 3600000), Factor({"CAL"}, kCalorie),  Factor({"KCAL"}, 1000 * kCalorie),
    Factor({"ERG"}, 1e-7),     Factor({"BTU"}, kBtuJoule), Factor({"FT-LBF"}, kFootPound),
};

constexpr Row kPower[] = {
    Factor({"WATT", "W"}, 1),
    Factor({"KW", "KWATT"}, 1000),
    Factor({"BTU/S"}, kBtuJoule),
    Factor({"BTU/MIN"}, kBtuJoule / 60),
    Factor({"BTU/H"}, kBtuJoule / 3600),
    Factor({"CAL/S"}, kCalorie),
    Factor({"KCAL/S"}, 1000 * kCalorie),
    Factor({"CAL/MIN"}, kCalorie / 60),
    Factor({"KCAL/MIN"}, kCalorie / 60 * 1000),
    Factor({"FT-LBF/S"}, kFootPound),
    Factor({"FT-LBF/MIN"}, kFootPound / 60),
    Factor({"FT-LBF/H"}, kFootPound / 3600),
    Factor({"HP"}, 745.6998715822701),
};

constexpr Row kSurfaceTension[] = {
    Factor({"N/M"}, 1),
    Factor({"MN/M"}, 0.001),
    Factor({"DYN/CM", "DYNE/CM"}, 0.001),
    Factor({"LBF/FT"}, kPoundForce / kFoot),
};

struct Quantity {
  std::string_view code;
  std::span<const Row> rows;
};

constexpr Quantity kQuantities[] = {
    {"T", kTemperature},    {"P", kPressure}, {"D", kDensity},   {"H", kEnthalpy},
    {"S", kEntropy},        {"W", kSpeed},    {"U", kViscosity}, {"K", kConductivity},
    {"JT", kJouleThomson},  {"L", kLength},   {"A", kArea},      {"V", kVolume},
    {"M", kMass},           {"F", kForce},    {"E", kEnergy},    {"Q", kPower},
    {"N", kSurfaceTension},
};

const Quantity* FindQuantity(std::string_view code) {
  const auto found = std::find_if(std::begin(kQuantities), std::end(kQuantities),
                                  [code](const Quantity& q) { return q.code == code; });
  return found == std::end(kQuantities) ? nullptr : &*found;
}

// The first row naming the unit; upper-cased, trimmed name expected.
const Row* FindRow(const Quantity& quantity, std::string_view unit) {
  if (unit.empty()) return nullptr;
  for (const Row& row : quantity.rows) {
    if (std::find(row.names.begin(), row.names.end(), unit) != row.names.end()) return &row;
  }
  return nullptr;
}

// The molar mass of the loaded fluid in g/mol, or the reason there is none.
struct MolarMass {
  double value = 0;
  std::string missing;
};

MolarMass AskMolarMass() {
  std::string why;
  const auto wmol = FindEntry(&EntryPoints::WMOLdll, why);
  if (wmol == nullptr) return {0, why};
  MolarMass m;
  wmol(Layer().Composition.data(), &m.value);
  if (!(m.value > 0) || !std::isfinite(m.value)) m.missing = "no fluid is loaded";
  return m;
}

double RowValue(const Row& row, const MolarMass& m, std::string_view unit) {
  if (row.molar == 0) return row.a;
  if (!m.missing.empty()) {
    throw ConversionFault("Cannot convert " + std::string(unit) + ": the molar mass is unknown (" +
                          m.missing + ")");
  }
  return row.molar > 0 ? row.a * m.value : row.a / m.value;
}

// One row in one direction: +1 from the row's unit into the base unit, -1
// from the base unit into the row's unit.
double ApplyRow(const Row& row, double x, int direction, const MolarMass& m,
                std::string_view unit) {
  const bool into_base = direction > 0;
  switch (row.rule) {
    case Rule::kFactor: {
      const double f = RowValue(row, m, unit);
      return into_base ? x * f : x / f;
    }
    case Rule::kReciprocal:
      return RowValue(row, m, unit) / x;
    case Rule::kCelsius:
      return into_base ? x + 273.15 : x - 273.15;
    case Rule::kFahrenheit:
      return into_base ? (x + 459.67) * kRankine : x / kRankine - 459.67;
    case Rule::kPsig:
      return into_base ? x * kPsi + kAtm : (x - kAtm) / kPsi;
    case Rule::kSpeedSquared:
      return into_base ? std::sqrt(x) : x * x;
  }
  return x;
}

enum class Gauge { kNone, kGage, kVacuum };

// A pressure unit ending in GAGE or VACM: the offset kind and the name
// without the suffix and the one separator before it ("PSI GAGE" -> "PSI").
// A name that begins with the suffix keeps nothing: MPa with the offset.
Gauge SplitGauge(std::string& unit) {
  for (const auto& [suffix, gauge] : {std::pair{"GAGE", Gauge::kGage}, {"VACM", Gauge::kVacuum}}) {
    const auto at = unit.find(suffix);
    if (at != std::string::npos) {
      unit.resize(at == 0 ? 0 : at - 1);
      return gauge;
    }
  }
  return Gauge::kNone;
}

// A unit of a quantity as one pass through the base unit uses it: its row
// (none for a name the catalogue lacks, which leaves the value as it is)
// and a gauge pressure's offset.
struct UnitPass {
  std::string name;  // upper-cased, trimmed, without a gauge suffix
  const Row* row = nullptr;
  Gauge gauge = Gauge::kNone;
};

UnitPass PassOf(const Quantity& quantity, std::string unit) {
  UnitPass pass;
  pass.gauge = quantity.code == "P" ? SplitGauge(unit) : Gauge::kNone;
  pass.row = FindRow(quantity, unit);
  pass.name = std::move(unit);
  return pass;
}

double Pass(double x, const Quantity& quantity, const UnitPass& unit, int direction,
            const MolarMass& m) {
  const bool density = quantity.code == "D";
  if (unit.gauge == Gauge::kGage && direction < 0) x -= kAtm;
  if (unit.gauge == Gauge::kVacuum && direction < 0) x = kAtm - x;
  // Keeps the reciprocal rows from dividing by zero; tiny densities read 0.
  if (density && x == 0) x = 1e-50;
  if (unit.row != nullptr) x = ApplyRow(*unit.row, x, direction, m, unit.name);
  if (density && std::fabs(x) < 1e-30) x = 0;
  if (unit.gauge == Gauge::kGage && direction > 0) x += kAtm;
  if (unit.gauge == Gauge::kVacuum && direction > 0) x = kAtm - x;
  return x;
}

std::string NumberText(double x) {
  std::array<char, 32> text{};
  char* const end =
      std::to_chars(text.data(), text.data() + text.size(), x, std::chars_format::general, 6).ptr;
  return std::string(text.data(), end);
}

double ReadValue(const Value& value) {
  if (std::holds_alternative<std::monostate>(value)) return 0;
  if (const double* number = std::get_if<double>(&value)) return *number;
  const std::string& text = std::get<std::string>(value);
  if (const auto number = ParseNumber(text)) return *number;
  throw ConversionFault("\"" + text + "\" is not a number");
}

}  // namespace

// The quantity and the two units, read once.
struct UnitConversion::Plan {
  const Quantity* quantity = nullptr;  // none: the value stays as it is
  std::string source, target;          // as messages name them
  UnitPass from, to;
};

UnitConversion::UnitConversion(std::string_view quantity, std::string_view from,
                               std::string_view to) {
  auto plan = std::make_shared<Plan>();
  plan->source = UpperCase(TrimBlanks(from));
  plan->target = UpperCase(TrimBlanks(to));
  plan->quantity = FindQuantity(UpperCase(TrimBlanks(quantity)));
  if (plan->quantity != nullptr) {
    plan->from = PassOf(*plan->quantity, plan->source);
    plan->to = PassOf(*plan->quantity, plan->target);
  }
  plan_ = std::move(plan);
}

double UnitConversion::operator()(double given) const {
  const Plan& plan = *plan_;
  // Asked on every call, whether or not a unit needs it.
  const MolarMass m = AskMolarMass();
  const auto fault_unless_finite = [&](double x) {
    if (!std::isfinite(x)) {
      throw ConversionFault("Arithmetic fault converting " + NumberText(given) + " from " +
                            plan.source + " to " + plan.target);
    }
    return x;
  };
  fault_unless_finite(given);
  if (plan.quantity == nullptr) return given;
  const double base = fault_unless_finite(Pass(given, *plan.quantity, plan.from, +1, m));
  return fault_unless_finite(Pass(base, *plan.quantity, plan.to, -1, m));
}

Value ConvertUnit(const Value& value, std::string_view quantity, std::string_view from,
                  std::string_view to) {
  if (to.empty()) return value;
  const double given = ReadValue(value);
  return UnitConversion(quantity, from, to)(given);
}

bool IsCatalogued(std::string_view quantity, std::string_view unit) {
  const Quantity* q = FindQuantity(UpperCase(TrimBlanks(quantity)));
  return q != nullptr && FindRow(*q, UpperCase(TrimBlanks(unit))) != nullptr;
}

std::vector<CataloguedUnit> CataloguedUnits() {
  std::vector<CataloguedUnit> units;
  for (const Quantity& q : kQuantities) {
    for (const Row& row : q.rows) {
      for (std::string_view name : row.names) {
        if (!name.empty()) units.push_back({q.code, name});
      }
    }
  }
  return units;
}

}  // namespace property
