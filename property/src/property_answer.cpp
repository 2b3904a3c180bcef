#include "property/property_answer.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <utility>

#include "property/layer_state.h"
#include "property/state_evaluation.h"

namespace property {

namespace {

constexpr std::pair<std::string_view, PropertyFunction> kFunctions[] = {
    {"Temperature", Temperature}, {"Pressure", Pressure}, {"Volume", Volume},
    {"Enthalpy", Enthalpy},       {"Entropy", Entropy},   {"Cp", Cp},
};

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

std::string ShortestText(double value) {
  std::array<char, 32> text{};
  return std::string(text.data(), std::to_chars(text.data(), text.data() + text.size(), value).ptr);
}

PropertyAnswer Answered(const PropertyResult& result) {
  if (const double* value = std::get_if<double>(&result)) return *value;
  const auto* text = std::get_if<std::string>(&result);
  const std::string message = text ? *text : std::string();
  const auto last = message.find_last_not_of(std::string(" \t\r\n") + '\0');
  return last == std::string::npos ? std::string("no value") : message.substr(0, last + 1);
}

}  // namespace

PropertyFunction PropertyFunctionNamed(std::string_view name) {
  for (const auto& [known, function] : kFunctions) {
    if (SameName(name, known)) return function;
  }
  return nullptr;
}

PropertyAnswer AnswerOf(PropertyFunction function, std::string_view fluid, std::string_view code,
                        std::string_view units, double value1, double value2) {
  const PropertyResult result = function(fluid, code, units, value1, value2);
  // The layer computes nothing for these and returns the given value, or 0.
  if (std::holds_alternative<double>(result)) {
    switch (Evaluation().Skipped) {
      case NothingComputed::kNo:
        break;
      case NothingComputed::kUnknownCode:
        return "Nothing computed: the input code \"" + std::string(code) +
               "\" names no pair of properties (two of T, P, D, E, H, S and Q, V with a volume "
               "other than 0) and no saturation code (such as Tliq)";
      case NothingComputed::kTemperatureNotPositive:
        return "Nothing computed: a temperature of " + ShortestText(Layer().State.T) +
               " K has no state";
    }
  }
  return Answered(result);
}

bool NamesCriticalPoint(std::string_view name) { return SameName(name, "CriticalPoint"); }

PropertyAnswer CriticalPointAnswer(std::string_view fluid, std::string_view letter,
                                   std::string_view units) {
  return Answered(CriticalPoint(fluid, letter, units));
}

}  // namespace property
