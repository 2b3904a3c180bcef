#include "options.h"

namespace hpcalc {

std::variant<ParsedOptions, std::string> ParseOptions(const std::vector<std::string>& args,
                                                      std::span<const Option> options) {
  ParsedOptions parsed;
  for (const Option& option : options) {
    parsed.texts.emplace(std::string(option.name), std::string(option.default_text));
  }

  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      parsed.names.push_back(arg);
    } else if (arg == "--") {
      options_ended = true;
    } else if (arg == "--help" || arg == "-h") {
      parsed.help = true;
    } else if (arg == "--csv") {
      parsed.csv = true;
    } else if (arg == "--verbose") {
      parsed.verbose = true;
    } else {
      const auto equals = arg.find('=');
      const std::string name = arg.substr(2, equals == std::string::npos ? equals : equals - 2);
      const auto known = parsed.texts.find(name);
      if (arg.rfind("--", 0) != 0 || known == parsed.texts.end()) {
        return "unknown option " + arg;
      }
      if (equals != std::string::npos) {
        known->second = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        known->second = args[++i];
      } else {
        return "option " + arg + " needs a value";
      }
      parsed.given.insert(name);
    }
  }
  return parsed;
}

}  // namespace hpcalc
