#include "calculation_options.h"

#include <algorithm>

#include "command_support.h"
#include "property/message_text.h"

namespace hpcalc {

std::vector<Option> LayoutOptions() {
  std::vector<Option> options = OptionsOf(cycle::kLayoutDefaults);
  std::erase_if(options, [](const Option& option) { return option.name == "refrigerant"; });
  return options;
}

std::variant<cycle::BasicCycleInput, int> BasicInputOf(const ParsedOptions& options,
                                                       std::ostream& err) {
  if (!options.names.empty()) {
    return BadUsage("basic takes no names: " + property::ShortenedForMessage(options.names[0]), err);
  }
  auto read = cycle::ReadBasicCycleInput(options.FieldsOf(cycle::kBasicDefaults));
  if (const auto* message = std::get_if<std::string>(&read)) return Refused(*message, err);
  return std::get<cycle::BasicCycleInput>(read);
}

cycle::ComparisonFields ConditionFields(const ParsedOptions& options) {
  return options.FieldsOf(cycle::kComparisonDefaults);
}

std::variant<cycle::ComparisonFields, std::string> ComparisonFieldsOf(const ParsedOptions& options) {
  return cycle::WithRefrigerants(ConditionFields(options), options.names);
}

cycle::LayoutInput LayoutInputOf(const ParsedOptions& options, const std::string& refrigerant) {
  cycle::LayoutInput input;
  input.Refrigerant = refrigerant;
  return options.FieldsOf(cycle::kLayoutDefaults, input);
}

std::string LayoutRefusalLine(const cycle::LayoutOutcome& outcome) {
  const std::string& reason = outcome.refusal()->reason;
  return reason.starts_with(outcome.refrigerant) ? reason : outcome.refrigerant + ": " + reason;
}

std::optional<std::string> RefuseLayoutNames(const ParsedOptions& options) {
  const std::size_t count = options.names.size();
  if (count >= 1 && count <= static_cast<std::size_t>(cycle::kMaxRefrigerants)) return std::nullopt;
  return "layout takes one to eight refrigerant names";
}

}  // namespace hpcalc
