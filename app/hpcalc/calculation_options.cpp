#include "calculation_options.h"

#include <algorithm>

#include "command_support.h"
#include "property/message_text.h"

namespace hpcalc {

std::variant<cycle::BasicCycleInput, int> BasicInputOf(const ParsedOptions& options,
                                                       std::ostream& err) {
  if (!options.names.empty()) {
    return BadUsage("basic takes no names: " + property::ShortenedForMessage(options.names[0]), err);
  }
  auto read = cycle::ReadBasicCycleInput({options.Text("refrigerant"), options.Text("flow"),
                                          options.Text("hot-water"), options.Text("subcooling"),
                                          options.Text("superheating"), options.Text("condensing"),
                                          options.Text("safety"), options.Text("efficiency")});
  if (const auto* message = std::get_if<std::string>(&read)) return Refused(*message, err);
  return std::get<cycle::BasicCycleInput>(read);
}

cycle::ComparisonFields ConditionFields(const ParsedOptions& options) {
  return {options.Text("capacity"),     options.Text("evaporating"), options.Text("subcooling"),
          options.Text("superheating"), options.Text("condensing"),  options.Text("safety"),
          options.Text("efficiency"),   ""};
}

std::variant<cycle::ComparisonFields, std::string> ComparisonFieldsOf(const ParsedOptions& options) {
  const std::size_t count = options.names.size();
  if (count < 1 || count > static_cast<std::size_t>(cycle::kMaxRefrigerants)) {
    return "compare takes one to eight refrigerant names";
  }
  cycle::ComparisonFields fields = ConditionFields(options);
  fields.NumberRefrigerant = std::to_string(count);
  std::copy(options.names.begin(), options.names.end(), fields.Refrigerant.begin());
  return fields;
}

cycle::LayoutInput LayoutInputOf(const ParsedOptions& options, const std::string& refrigerant) {
  return {refrigerant,
          options.Text("capacity"),
          options.Text("evaporating"),
          options.Text("condensing"),
          options.Text("subcooling"),
          options.Text("superheating"),
          options.Text("safety"),
          options.Text("efficiency"),
          options.Text("ihx-effectiveness"),
          options.Text("intermediate"),
          options.Text("injection-superheat"),
          options.Text("approach"),
          options.Text("source"),
          options.Text("sink")};
}

cycle::TranscriticalInput TranscriticalInputOf(const ParsedOptions& options) {
  return {options.Text("refrigerant"),       options.Text("capacity"),
          options.Text("evaporating"),       options.Text("superheating"),
          options.Text("gas-cooler-outlet"), options.Text("high-pressure"),
          options.Text("efficiency"),        options.Text("water-in"),
          options.Text("water-out")};
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
