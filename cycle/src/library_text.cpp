#include "library_text.h"

#include "cycle/number_text.h"
#include "cycle_points.h"
#include "fluidcore/failure_text.h"
#include "property/message_text.h"

namespace cycle::detail {

namespace {

using fluidcore::Quantity;
namespace failure = fluidcore::failure;

// Values in the forms' units, each with its fixed decimals.
struct FormUnits {
  std::string value(Quantity q, double v) const { return InFormUnits(q, v); }
  std::pair<std::string, std::string> apart(Quantity q, double given, double limit) const {
    return {value(q, given), value(q, limit)};
  }
  std::string range(Quantity q, double low, double high) const {
    return value(q, low) + " and " + value(q, high);
  }
  std::string number(double v) const { return FormatSignificant(v, 6); }
};

std::string Unreadable(std::string_view fluid) {
  return "the fluid or mixture file of " + property::ShortenedForMessage(fluid) + " cannot be read";
}

// What the library's sentences would not tell the engineer: files by the
// name asked for, without their paths; nothing for what they could not act
// on (no fluid loaded, an internal fault), where the caller names the request.
std::optional<std::optional<std::string>> OwnWords(const fluidcore::Failure& record,
                                                   std::string_view fluid) {
  if (const auto* fault = std::get_if<failure::FileFault>(&record)) {
    if (fault->missing) {
      return property::ShortenedForMessage(fluid) +
             " is not a fluid or mixture the property library knows";
    }
    return Unreadable(fluid);
  }
  if (std::holds_alternative<failure::FileCount>(record)) return Unreadable(fluid);
  if (std::holds_alternative<failure::NoFluid>(record) ||
      std::holds_alternative<failure::Internal>(record)) {
    return std::optional<std::string>();
  }
  return std::nullopt;
}

}  // namespace

std::string InFormUnits(Quantity quantity, double value) {
  switch (quantity) {
    case Quantity::temperature:
      return FormatFixed(value - kKelvinOffset, 2) + " 'C";
    case Quantity::pressure:
      return FormatFixed(value / 100, 2) + " bar";
    case Quantity::density:
      return FormatFixed(value, 2) + " kg/m^3";
    case Quantity::internal_energy:
    case Quantity::enthalpy:
      return FormatFixed(value, 2) + " kJ/kg";
    case Quantity::entropy:
      return FormatFixed(value, 4) + " kJ/kg-K";
    case Quantity::quality:
      return FormatFixed(value, 2);
  }
  return FormatFixed(value, 2);
}

std::optional<std::string> InFormTerms(const property::RequestFailure& why, std::string_view fluid,
                                       std::string_view layer_text) {
  if (const auto* record = std::get_if<fluidcore::Failure>(&why)) {
    if (auto own = OwnWords(*record, fluid)) return *own;
    return fluidcore::describe(*record, FormUnits{});
  }
  if (std::holds_alternative<property::OwnReason>(why) && !layer_text.empty()) {
    return std::string(layer_text);
  }
  return std::nullopt;
}

}  // namespace cycle::detail
