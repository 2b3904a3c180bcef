// The options of one hpcalc command: "--name value" or "--name=value", the
// flags --csv and --verbose, and names after the options.
#pragma once

#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace hpcalc {

struct Option {
  std::string_view name;           // without the leading "--"
  std::string_view default_text;   // read through the leading-number conversion, like a form field
};

struct ParsedOptions {
  std::map<std::string, std::string, std::less<>> texts;  // every option, given or default
  std::set<std::string, std::less<>> given;               // the options on the command line
  bool csv = false;
  bool verbose = false;  // a failed property request's message followed by the library's text
  bool help = false;
  std::vector<std::string> names;  // the arguments that are not options

  const std::string& Text(std::string_view name) const { return texts.find(name)->second; }
  bool Given(std::string_view name) const { return given.contains(name); }
};

// The parsed options, or the reason the command line is unusable.
std::variant<ParsedOptions, std::string> ParseOptions(const std::vector<std::string>& args,
                                                      std::span<const Option> options);

}  // namespace hpcalc
