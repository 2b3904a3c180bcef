// Property requests of the cycle calculations: every request in "mks", and
// anything but a finite number ends the calculation with a message that names
// the fluid and what was asked.
#pragma once

#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "named_values.h"
#include "property/property_functions.h"

namespace cycle::detail {

// Ends a calculation; what() is the message the engineer sees, quantity()
// what the property request that failed asked for ("suction enthalpy"),
// empty where no request failed.
class CycleFailure : public std::runtime_error {
 public:
  explicit CycleFailure(const std::string& message, std::string quantity = {})
      : std::runtime_error(message), quantity_(std::move(quantity)) {}
  const std::string& quantity() const { return quantity_; }

 private:
  std::string quantity_;
};

using PropertyFunction = property::PropertyResult (*)(std::string_view fluid,
                                                      std::string_view code,
                                                      std::string_view units, double value1,
                                                      double value2);

// What a request asks for, to name it in a message.
struct Request {
  std::string_view quantity;  // "suction enthalpy"
  std::string_view code;      // "TP"; a one-value code ("Tvap") has no second value
  double value1 = 0;
  double value2 = 0;
};

// A library text without its blank and NUL padding.
std::string_view Trimmed(std::string_view text);

// The number in a property function's result where it is a finite one.
std::optional<double> FiniteNumber(const property::PropertyResult& result);

// The number in a property function's result, or CycleFailure: for the
// library's message (trimmed), for "Undefined", for no value at all, and for
// a value that is not finite.
double NumberOf(const property::PropertyResult& result, std::string_view fluid,
                const Request& request);

// Makes the request with the units "mks" and returns its number. A
// temperature at or below absolute zero is refused before the request, since
// the property layer would compute nothing for it and report nothing.
double Ask(PropertyFunction function, std::string_view fluid, const Request& request);

// Every field of the state the request names, or CycleFailure as for Ask.
property::StateProperties AskState(std::string_view fluid, const Request& request);

// numerator / denominator, or CycleFailure when the denominator is zero
// ("<fluid>: <divisor> is zero, so the <quotient> cannot be calculated") or
// the quotient is not finite.
double Quotient(double numerator, double denominator, std::string_view fluid,
                std::string_view divisor, std::string_view quotient);

// CycleFailure "<fluid>: the <name> is out of range" for the first figure
// that is not finite (an overflow of the arithmetic).
void RequireFinite(std::string_view fluid, std::initializer_list<NamedValue> figures);

}  // namespace cycle::detail
