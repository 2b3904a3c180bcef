#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>

#include "command_support.h"
#include "commands.h"
#include "cycle/number_text.h"
#include "property/layer_state.h"
#include "property/message_text.h"
#include "property/property_functions.h"
#include "property/state_evaluation.h"

namespace hpcalc {

namespace {

using SingleProperty = property::PropertyResult (*)(std::string_view, std::string_view,
                                                    std::string_view, double, double);

constexpr std::pair<std::string_view, SingleProperty> kFunctions[] = {
    {"Temperature", property::Temperature}, {"Pressure", property::Pressure},
    {"Volume", property::Volume},           {"Enthalpy", property::Enthalpy},
    {"Entropy", property::Entropy},         {"Cp", property::Cp},
};
constexpr std::string_view kCriticalPoint = "CriticalPoint";

constexpr std::string_view kDescription =
    "One property: FUNCTION is Temperature, Pressure, Volume, Enthalpy, Entropy or Cp; "
    "CriticalPoint takes the letter T, P or D. Prints the number with full precision, or the "
    "library's text. An omitted VALUE is 0.";

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

std::string NumberText(double value) {
  std::array<char, 32> text{};
  const char* end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
  return std::string(static_cast<const char*>(text.data()), end);
}

int PrintResult(const property::PropertyResult& result, std::ostream& out, std::ostream& err) {
  if (const double* value = std::get_if<double>(&result)) {
    out << NumberText(*value) << '\n';
    return kSuccess;
  }
  const auto* text = std::get_if<std::string>(&result);
  const std::string message = text ? *text : std::string();
  const auto last = message.find_last_not_of(std::string(" \t\r\n") + '\0');
  return Refused(last == std::string::npos ? "no value" : message.substr(0, last + 1), err);
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
  if (SameName(args[0], kCriticalPoint)) {
    if (args.size() > 4) return BadUsage("CriticalPoint takes FLUID LETTER UNITS", err);
    return PrintResult(property::CriticalPoint(fluid, code, units), out, err);
  }
  const auto function = std::find_if(std::begin(kFunctions), std::end(kFunctions),
                                     [&](const auto& entry) { return SameName(args[0], entry.first); });
  if (function == std::end(kFunctions)) {
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
  const auto result = function->second(fluid, code, units, values[0], values[1]);
  // The layer computes nothing for these and returns the given value, or 0:
  // no answer to print.
  if (std::holds_alternative<double>(result)) {
    switch (property::Evaluation().Skipped) {
      case property::NothingComputed::kNo:
        break;
      case property::NothingComputed::kUnknownCode:
        return Refused("Nothing computed: the input code \"" + code +
                           "\" names no pair of properties (two of T, P, D, E, H, S and Q, V "
                           "with a volume other than 0) and no saturation code (such as Tliq)",
                       err);
      case property::NothingComputed::kTemperatureNotPositive:
        return Refused("Nothing computed: a temperature of " +
                           NumberText(property::Layer().State.T) + " K has no state",
                       err);
    }
  }
  return PrintResult(result, out, err);
}

}  // namespace hpcalc
