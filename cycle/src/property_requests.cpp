#include "property_requests.h"

#include <cmath>
#include <charconv>
#include <string>
#include <variant>

namespace cycle::detail {

namespace {

bool IsOneValueCode(std::string_view code) { return code.size() > 2; }

std::string Number(double value) {
  char text[32];
  char* const end =
      std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6).ptr;
  return std::string(text, end);
}

// "suction enthalpy at TP 318.15, 1942.69"
std::string Describe(const Request& request) {
  std::string text = std::string(request.quantity) + " at " + std::string(request.code) + " " +
                     Number(request.value1);
  if (!IsOneValueCode(request.code)) text += ", " + Number(request.value2);
  return text;
}

[[noreturn]] void Fail(std::string_view fluid, std::string_view what,
                       std::string_view quantity = {}) {
  throw CycleFailure(std::string(fluid) + ": " + std::string(what), std::string(quantity));
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

namespace {

// The text a request returned in place of its number.
[[noreturn]] void FailWithText(const std::string& text, std::string_view fluid,
                               const Request& request) {
  const std::string_view message = Trimmed(text);
  if (message == "Undefined") Fail(fluid, Describe(request) + " is undefined", request.quantity);
  if (!message.empty()) Fail(fluid, message, request.quantity);
  Fail(fluid, "no value for the " + Describe(request), request.quantity);
}

// The property layer computes nothing for such a temperature and reports nothing.
void RefuseTemperatureNotAboveZero(std::string_view fluid, const Request& request) {
  if (request.code.front() == 'T' && request.value1 <= 0) {
    Fail(fluid, Describe(request) + ": the temperature is not above absolute zero",
         request.quantity);
  }
}

}  // namespace

double NumberOf(const property::PropertyResult& result, std::string_view fluid,
                const Request& request) {
  if (const double* value = std::get_if<double>(&result)) {
    if (!std::isfinite(*value)) {
      Fail(fluid, Describe(request) + " is not a finite number", request.quantity);
    }
    return *value;
  }
  if (const std::string* text = std::get_if<std::string>(&result)) {
    FailWithText(*text, fluid, request);
  }
  Fail(fluid, "no value for the " + Describe(request), request.quantity);
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
      if (!std::isfinite(field)) {
        Fail(fluid, Describe(request) + " is not a finite number", request.quantity);
      }
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
