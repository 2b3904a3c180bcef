#include "fluidcore/failure_text.h"

#include "fluidcore/saturation.h"

namespace fluidcore {

namespace {

// Values in the library's units, with six significant digits at least.
struct LibraryUnits {
  static std::string unit(Quantity q) {
    switch (q) {
      case Quantity::temperature:
        return "K";
      case Quantity::pressure:
        return "kPa";
      case Quantity::density:
        return "mol/dm^3";
      case Quantity::internal_energy:
      case Quantity::enthalpy:
        return "J/mol";
      case Quantity::entropy:
        return "J/(mol K)";
      case Quantity::quality:
        return {};
    }
    return {};
  }
  static std::string with_unit(Quantity q, const std::string& number) {
    const std::string u = unit(q);
    return u.empty() ? number : number + " " + u;
  }
  std::string value(Quantity q, double v) const { return with_unit(q, format_number(v)); }
  std::pair<std::string, std::string> apart(Quantity q, double given, double limit) const {
    const auto [g, l] = format_apart(given, limit);
    return {with_unit(q, g), with_unit(q, l)};
  }
  std::string range(Quantity q, double low, double high) const {
    return format_number(low) + " and " + value(q, high);
  }
  std::string number(double v) const { return format_number(v); }
};

}  // namespace

std::string describe(const Failure& why) { return describe(why, LibraryUnits{}); }

}  // namespace fluidcore
