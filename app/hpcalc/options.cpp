#include "options.h"

#include <algorithm>

#include "property/message_text.h"

namespace hpcalc {

std::vector<Option> AllOptions(const Syntax& syntax) {
  std::vector<Option> options = syntax.options;
  if (syntax.inputs) options.insert(options.end(), {kInputsOption, kSaveInputsOption});
  return options;
}

std::variant<ParsedOptions, std::string> ParseOptions(const std::vector<std::string>& args,
                                                      const Syntax& syntax) {
  ParsedOptions parsed;
  for (const Option& option : AllOptions(syntax)) {
    parsed.texts.emplace(std::string(option.name), std::string(option.default_text));
  }
  const auto is_flag = [&](std::string_view arg) {
    return arg.starts_with("--") &&
           std::any_of(syntax.flags.begin(), syntax.flags.end(),
                       [&](const Flag& flag) { return arg.substr(2) == flag.name; });
  };

  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      parsed.names.push_back(arg);
    } else if (arg == "--") {
      options_ended = true;
    } else if (arg == "--help" || arg == "-h") {
      parsed.help = true;
    } else if (is_flag(arg)) {
      parsed.flags.insert(arg.substr(2));
    } else {
      const auto equals = arg.find('=');
      const std::string name = arg.substr(2, equals == std::string::npos ? equals : equals - 2);
      const auto known = parsed.texts.find(name);
      if (!arg.starts_with("--") || known == parsed.texts.end()) {
        return "unknown option " + property::ShortenedForMessage(arg);
      }
      parsed.given.insert(name);
      parsed.given_in_order.push_back(name);
      if (equals != std::string::npos) {
        known->second = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        known->second = args[++i];
      } else {
        return "option " + property::ShortenedForMessage(arg) + " needs a value";
      }
    }
  }
  return parsed;
}

}  // namespace hpcalc
