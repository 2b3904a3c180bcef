#include "inputs_options.h"

#include <algorithm>
#include <set>
#include <string>
#include <variant>

#include "command_support.h"
#include "cycle/comparison.h"

namespace hpcalc {

namespace {

// The field a form holding one refrigerant keeps it in; commands that take
// several take them as names instead.
constexpr std::string_view kRefrigerant = "refrigerant";

// Whether the command takes the form's refrigerant as names, not as an option.
bool RefrigerantAsNames(const inputs::Inputs& form, const ParsedOptions& options) {
  return form.fields.contains(kRefrigerant) && !options.texts.contains(kRefrigerant);
}

// The options given after the last --inputs: they win over the file, which
// wins over those before it.
std::set<std::string_view> GivenAfterInputs(const ParsedOptions& options) {
  const auto& order = options.given_in_order;
  return {order.rbegin(), std::find(order.rbegin(), order.rend(), kInputsOption.name)};
}

}  // namespace

std::optional<int> TakeInputsFile(ParsedOptions& options, const Syntax& syntax, std::ostream& err) {
  if (!syntax.inputs || !options.Given(kInputsOption.name)) return std::nullopt;
  if (auto exit_code = RefuseEmptyFileName(options, kInputsOption.name, err)) return exit_code;
  const auto opened = inputs::OpenInputs(options.Text(kInputsOption.name), syntax.inputs->form);
  if (const auto* reason = std::get_if<std::string>(&opened)) return Refused(*reason, err);
  const auto& file = std::get<inputs::Inputs>(opened);
  const std::set<std::string_view> after = GivenAfterInputs(options);
  for (const auto& [option, text] : file.fields) {
    const auto known = options.texts.find(option);
    if (known != options.texts.end() && !after.contains(option)) known->second = text;
  }
  if (options.names.empty() && !syntax.names.empty()) {
    if (file.form == inputs::Form::comparison) {
      options.names = file.refrigerants;
    } else if (RefrigerantAsNames(file, options)) {
      options.names = {file.fields.find(kRefrigerant)->second};
    }
  }
  return std::nullopt;
}

std::optional<int> SaveRequestedInputs(const ParsedOptions& options, const Syntax& syntax,
                                       std::ostream& err) {
  if (!syntax.inputs || !options.Given(kSaveInputsOption.name)) return std::nullopt;
  if (auto exit_code = RefuseEmptyFileName(options, kSaveInputsOption.name, err)) return exit_code;
  inputs::Inputs saved = inputs::DefaultInputs(syntax.inputs->form);
  for (auto& [option, text] : saved.fields) {
    if (const auto given = options.texts.find(option); given != options.texts.end()) {
      text = given->second;
    }
  }
  const std::size_t names = options.names.size();
  if (saved.form == inputs::Form::comparison) {
    if (names > static_cast<std::size_t>(cycle::kMaxRefrigerants)) {
      return BadUsage("--save-inputs: the comparison's form holds at most eight refrigerants", err);
    }
    saved.refrigerants = options.names;
  } else if (names > 0 && RefrigerantAsNames(saved, options)) {
    if (names > 1) {
      return BadUsage("--save-inputs: the form holds one refrigerant, not " +
                          std::to_string(names),
                      err);
    }
    saved.fields.find(kRefrigerant)->second = options.names.front();
  }
  if (!syntax.inputs->layout.empty()) saved.layout = syntax.inputs->layout;
  if (const auto failure = inputs::SaveInputs(options.Text(kSaveInputsOption.name), saved)) {
    return Refused(*failure, err);
  }
  return std::nullopt;
}

}  // namespace hpcalc
