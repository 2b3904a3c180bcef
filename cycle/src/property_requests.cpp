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

double NumberOf(const property::PropertyResult& result, std::string_view fluid,
                const Request& request) {
  const std::string_view quantity = request.quantity;
  if (const double* value = std::get_if<double>(&result)) {
    if (!std::isfinite(*value)) Fail(fluid, Describe(request) + " is not a finite number", quantity);
    return *value;
  }
  if (const std::string* text = std::get_if<std::string>(&result)) {
    const std::string_view message = Trimmed(*text);
    if (message == "Undefined") Fail(fluid, Describe(request) + " is undefined", quantity);
    if (!message.empty()) Fail(fluid, message, quantity);
  }
  Fail(fluid, "no value for the " + Describe(request), quantity);
}

double Ask(PropertyFunction function, std::string_view fluid, const Request& request) {
  if (request.code.front() == 'T' && request.value1 <= 0) {
    Fail(fluid, Describe(request) + ": the temperature is not above absolute zero",
         request.quantity);
  }
  return NumberOf(function(fluid, request.code, "mks", request.value1, request.value2), fluid,
                  request);
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
