// Property requests of the cycle calculations: every request in "mks", and
// anything but a finite number ends the calculation with a message that names
// the fluid and what was asked.
#pragma once

#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cycle/library_text_option.h"
#include "named_values.h"
#include "property/message_text.h"
#include "property/property_functions.h"

namespace cycle::detail {

// The message, followed by the library's text where asked for and there is one.
inline std::string WithLibraryText(const std::string& message, std::string_view library_text,
                                   LibraryText shown) {
  if (shown == LibraryText::omitted || library_text.empty()) return message;
  return message + " (library: " + std::string(library_text) + ")";
}

// Ends a calculation; what() is the message the engineer sees: the fluid,
// then the reason in the forms' terms. Where a property request failed, the
// library's own text goes with it.
class CycleFailure : public std::runtime_error {
 public:
  CycleFailure(std::string_view fluid, const std::string& reason, std::string library_text = {})
      : std::runtime_error(property::ShortenedForMessage(fluid) + ": " + reason),
        reason_(reason),
        library_text_(std::move(library_text)) {}
  // The message without the fluid's name, for a table that names it.
  const std::string& reason() const { return reason_; }
  // what(), followed by the library's text where asked for and there is one.
  std::string Message(LibraryText shown) const {
    return WithLibraryText(what(), library_text_, shown);
  }
  std::string Reason(LibraryText shown) const {
    return WithLibraryText(reason_, library_text_, shown);
  }

 private:
  std::string reason_;
  std::string library_text_;
};

using PropertyFunction = property::PropertyResult (*)(std::string_view fluid,
                                                      std::string_view code,
                                                      std::string_view units, double value1,
                                                      double value2);

// What a request asks for, to name it in a message in the forms' terms:
// "the enthalpy of the suction state (point 1) ... at 49.00 'C and 17.29 bar".
struct Request {
  std::string_view quantity;  // "enthalpy"
  std::string_view state;     // "suction state (point 1)"
  std::string_view code = {};      // "TP"; a one-value code ("Tvap") has no second value; empty: none
  double value1 = 0;
  double value2 = 0;
};

// A library text without its blank and NUL padding.
std::string_view Trimmed(std::string_view text);

// The number in a property function's result where it is a finite one.
std::optional<double> FiniteNumber(const property::PropertyResult& result);
// Why the request that returned `text` in place of a number failed, in the
// forms' terms, where the property layer's record tells (the calling
// thread's last request, whose text it is).
std::optional<std::string> LibraryReason(std::string_view text, std::string_view fluid);

// The number in a property function's result, or CycleFailure: for the
// library's failure (told in the forms' terms where its record tells, else
// by the given values; the library's text goes with the failure), for
// "Undefined", for no value at all, and for a value that is not finite.
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
