#include "command_support.h"

#include <ostream>

#include "commands.h"

namespace hpcalc {

int BadUsage(std::string_view reason, std::ostream& err) {
  err << "hpcalc: " << reason << "\n\n" << kUsage;
  return kBadUsage;
}

int Help(std::ostream& out) {
  out << kUsage;
  return kSuccess;
}

int Refused(std::string_view message, std::ostream& err) {
  err << message << '\n';
  return kRefused;
}

cycle::ComparisonFields ConditionFields(const ParsedOptions& options) {
  return {options.Text("capacity"),   options.Text("evaporating"), options.Text("subcooling"),
          options.Text("superheating"), options.Text("condensing"), options.Text("safety"),
          options.Text("efficiency"), ""};
}

std::variant<ParsedOptions, int> CommandOptions(const std::vector<std::string>& args,
                                                std::span<const Option> known, std::ostream& out,
                                                std::ostream& err) {
  auto parsed = ParseOptions(args, known);
  if (const auto* reason = std::get_if<std::string>(&parsed)) return BadUsage(*reason, err);
  auto& options = std::get<ParsedOptions>(parsed);
  if (options.help) return Help(out);
  return std::move(options);
}

}  // namespace hpcalc
