#include "property_requests.h"

#include <cmath>
#include <string>
#include <variant>

#include "cycle/number_text.h"
#include "cycle_points.h"
#include "library_text.h"

namespace cycle::detail {

namespace {

// A given value of a request, from the letter of its input code, in the
// forms' units.
std::string InFormUnits(char letter, double value) {
  using fluidcore::Quantity;
  switch (letter) {
    case 'T': return detail::InFormUnits(Quantity::temperature, value);
    case 'P': return detail::InFormUnits(Quantity::pressure, value);
    case 'D': return detail::InFormUnits(Quantity::density, value);
    case 'H': return detail::InFormUnits(Quantity::enthalpy, value);
    case 'S': return detail::InFormUnits(Quantity::entropy, value);
    case 'Q': return "quality " + detail::InFormUnits(Quantity::quality, value);
    default: return FormatFixed(value, 2);
  }
}

// "the enthalpy of the suction state (point 1)"
std::string Subject(const Request& request) {
  return "the " + std::string(request.quantity) + " of the " + std::string(request.state);
}

// " at 49.00 'C and 17.29 bar"; nothing where the request gives no values.
std::string Given(const Request& request) {
  if (request.code.empty()) return {};
  std::string text = " at " + InFormUnits(request.code[0], request.value1);
  if (request.code.size() == 2) {
    text += " and " + InFormUnits(request.code[1], request.value2);
  }
  return text;
}

[[noreturn]] void Fail(std::string_view fluid, const std::string& reason,
                       std::string library_text = {}) {
  throw CycleFailure(fluid, reason, std::move(library_text));
}

}  // namespace

std::string_view Trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  // The library's fixed-width buffers may also carry NUL padding.
  const auto last = text.find_last_not_of(std::string(kBlanks) + '\0');
  return text.substr(first, last - first + 1);
}

std::optional<double> FiniteNumber(const property::PropertyResult& result) {
  const double* value = std::get_if<double>(&result);
  if (value == nullptr || !std::isfinite(*value)) return std::nullopt;
  return *value;
}

std::optional<std::string> LibraryReason(std::string_view text, std::string_view fluid) {
  return InFormTerms(property::FailureOf(text, "mks"), fluid, Trimmed(text));
}

namespace {

// The text a request returned in place of its number.
[[noreturn]] void FailWithText(const std::string& text, std::string_view fluid,
                               const Request& request) {
  const std::string message(Trimmed(text));
  if (message == "Undefined") Fail(fluid, Subject(request) + " is undefined" + Given(request));
  if (message.empty()) Fail(fluid, "no value for " + Subject(request) + Given(request));
  if (const auto reason = LibraryReason(message, fluid)) {
    Fail(fluid, Subject(request) + " cannot be computed: " + *reason, message);
  }
  Fail(fluid, Subject(request) + " cannot be computed" + Given(request), message);
}

// The property layer computes nothing for such a temperature and reports nothing.
void RefuseTemperatureNotAboveZero(std::string_view fluid, const Request& request) {
  if (!request.code.empty() && request.code.front() == 'T' && request.value1 <= 0) {
    Fail(fluid, Subject(request) + Given(request) + ": the temperature is not above absolute zero");
  }
}

[[noreturn]] void FailNotFinite(std::string_view fluid, const Request& request) {
  Fail(fluid, Subject(request) + Given(request) + " is not a finite number");
}

}  // namespace

double NumberOf(const property::PropertyResult& result, std::string_view fluid,
                const Request& request) {
  if (const double* value = std::get_if<double>(&result)) {
    if (!std::isfinite(*value)) FailNotFinite(fluid, request);
    return *value;
  }
  if (const std::string* text = std::get_if<std::string>(&result)) {
    FailWithText(*text, fluid, request);
  }
  Fail(fluid, "no value for " + Subject(request) + Given(request));
}

double Ask(PropertyFunction function, std::string_view fluid, const Request& request) {
  RefuseTemperatureNotAboveZero(fluid, request);
  return NumberOf(function(fluid, request.code, "mks", request.value1, request.value2), fluid,
                  request);
}

property::StateProperties AskState(std::string_view fluid, const Request& request) {
  RefuseTemperatureNotAboveZero(fluid, request);
  const auto result = property::WholeState(fluid, request.code, "mks", request.value1, request.value2);
  if (const auto* state = std::get_if<property::StateProperties>(&result)) {
    for (const double field : {state->T, state->P, state->D, state->H, state->S}) {
      if (!std::isfinite(field)) FailNotFinite(fluid, request);
    }
    return *state;
  }
  FailWithText(std::get<std::string>(result), fluid, request);
}

double Quotient(double numerator, double denominator, std::string_view fluid,
                std::string_view divisor, std::string_view quotient) {
  if (denominator == 0) {
    Fail(fluid, std::string(divisor) + " is zero, so the " + std::string(quotient) +
                    " cannot be calculated");
  }
  const double value = numerator / denominator;
  RequireFinite(fluid, {{quotient, value}});
  return value;
}

void RequireFinite(std::string_view fluid, std::initializer_list<NamedValue> figures) {
  if (const auto name = FirstNonFinite(figures)) {
    Fail(fluid, "the " + std::string(*name) + " is out of range");
  }
}

}  // namespace cycle::detail
