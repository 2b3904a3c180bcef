#include <algorithm>
#include <array>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>

#include "command_support.h"
#include "commands.h"
#include "cycle/number_text.h"
#include "property/message_text.h"
#include "property/property_answer.h"

namespace hpcalc {

namespace {

constexpr std::string_view kDescription =
    "One property: FUNCTION is Temperature, Pressure, Volume, Enthalpy, Entropy or Cp; "
    "CriticalPoint takes the letter T, P or D. Prints the number with full precision, or the "
    "library's text. An omitted VALUE is 0.";

int PrintAnswer(const property::PropertyAnswer& answer, std::ostream& out, std::ostream& err) {
  if (const auto* message = std::get_if<std::string>(&answer)) return Refused(*message, err);
  out << cycle::FormatShortest(std::get<double>(answer)) << '\n';
  return kSuccess;
}

}  // namespace

CommandHelp PropertyHelp() {
  return {{{"property FUNCTION FLUID CODE UNITS [VALUE1 [VALUE2]]", {}, {}, {}},
           {"property CriticalPoint FLUID LETTER UNITS", {}, {}, {}}},
          kDescription};
}

int RunProperty(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  // Values may be negative, so the arguments are taken as they stand.
  if (std::find(args.begin(), args.end(), "--help") != args.end()) return Help(PropertyHelp(), out);
  if (args.size() < 4 || args.size() > 6) {
    return BadUsage("property takes FUNCTION FLUID CODE UNITS [VALUE1 [VALUE2]]", err);
  }
  const std::string& fluid = args[1];
  const std::string& code = args[2];
  const std::string& units = args[3];
  if (property::NamesCriticalPoint(args[0])) {
    if (args.size() > 4) return BadUsage("CriticalPoint takes FLUID LETTER UNITS", err);
    return PrintAnswer(property::CriticalPointAnswer(fluid, code, units), out, err);
  }
  const property::PropertyFunction function = property::PropertyFunctionNamed(args[0]);
  if (function == nullptr) {
    return BadUsage("unknown property function " + property::ShortenedForMessage(args[0]), err);
  }
  // An omitted value is 0; a given one must be a number.
  std::array<double, 2> values{};
  for (std::size_t i = 0; i < values.size() && 4 + i < args.size(); ++i) {
    const auto value = cycle::WholeNumber(args[4 + i]);
    if (!value) {
      return BadUsage(cycle::NumberRefusal(i == 0 ? "VALUE1" : "VALUE2", args[4 + i]), err);
    }
    values[i] = *value;
  }
  return PrintAnswer(property::AnswerOf(function, fluid, code, units, values[0], values[1]), out,
                     err);
}

}  // namespace hpcalc
