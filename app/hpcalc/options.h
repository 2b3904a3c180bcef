// The command line of one hpcalc command: options "--name value" or
// "--name=value", flags "--name", and names after them; "--" ends the
// options. The same description gives the command's usage text.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cycle/field_defaults.h"
#include "inputs/inputs_file.h"

namespace hpcalc {

struct Option {
  std::string_view name;          // without the leading "--"
  std::string_view default_text;  // read as a form reads its field
  std::string_view help;          // what the value is
  // The usage's word for the value where the default does not show it
  // ("FILE", "mean|optimal|BAR"); empty: the default.
  std::string_view placeholder = {};
};

struct Flag {
  std::string_view name;  // without the leading "--"
  std::string_view help;
};

// The form whose inputs files a calculating command reads (--inputs) and
// writes (--save-inputs), with the layout its words name.
struct InputsForm {
  inputs::Form form;
  std::string_view layout = {};
};

// One way to call a command: the words that name it, its options and
// flags, and what it takes after them.
struct Syntax {
  std::string words;  // after "hpcalc": "layout basic|ihx|economizer|flash-tank"
  std::vector<Option> options;
  std::vector<Flag> flags;
  std::string_view names;  // "NAME...", or nothing
  // A calculating command's form: it takes --inputs and --save-inputs.
  std::optional<InputsForm> inputs = std::nullopt;
};

inline constexpr Option kInputsOption{
    "inputs", "",
    "a form's inputs saved as a .hpc file: its fields stand for the defaults (and its "
    "refrigerants for the names where none are given); options after it win over it",
    "FILE"};
inline constexpr Option kSaveInputsOption{
    "save-inputs", "",
    "writes the inputs of the command, as given and the rest at their defaults, as a .hpc file "
    "that the calculation's form opens",
    "FILE"};

// The command's options, with --inputs and --save-inputs where it calculates.
std::vector<Option> AllOptions(const Syntax& syntax);

// A command's syntaxes and what it does, for its usage.
struct CommandHelp {
  std::vector<Syntax> syntaxes;
  std::string_view description;
};

// The options of a calculation's table of fields, each at its form's default.
template <typename Fields, std::size_t N>
std::vector<Option> OptionsOf(const cycle::FieldDefaults<Fields, N>& table) {
  std::vector<Option> options;
  for (const cycle::FieldDefault<Fields>& entry : table) {
    options.push_back({entry.option, entry.text, entry.help, entry.placeholder});
  }
  return options;
}

// The flags of the commands, each with what it asks for.
inline constexpr Flag kCsvFlag{"csv", "a header line and comma-separated lines"};
inline constexpr Flag kVerboseFlag{
    "verbose", "a failed property request's message followed by the property library's own text"};

struct ParsedOptions {
  inputs::FieldTexts texts;                  // every option, given or default
  std::set<std::string, std::less<>> given;  // the options on the command line
  std::vector<std::string> given_in_order;   // the same as they stand, each time given
  std::set<std::string, std::less<>> flags;  // the flags on the command line
  bool help = false;
  std::vector<std::string> names;  // the arguments that are not options

  const std::string& Text(std::string_view name) const { return texts.find(name)->second; }
  bool Given(std::string_view name) const { return given.contains(name); }
  bool Has(const Flag& flag) const { return flags.contains(flag.name); }

  // The fields of the table as the options give them; those it lacks as
  // `fields` holds them.
  template <typename Fields, std::size_t N>
  Fields FieldsOf(const cycle::FieldDefaults<Fields, N>& table, Fields fields = {}) const {
    return inputs::FieldsOf(table, texts, std::move(fields));
  }
};

// The parsed options, or the reason the command line is unusable.
std::variant<ParsedOptions, std::string> ParseOptions(const std::vector<std::string>& args,
                                                      const Syntax& syntax);

}  // namespace hpcalc
