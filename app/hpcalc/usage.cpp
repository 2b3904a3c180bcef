#include "usage.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "commands.h"

namespace hpcalc {

namespace {

constexpr std::size_t kWidth = 80;
constexpr std::size_t kDescriptionIndent = 6;
// Where an option's help begins, right of "  --name VALUE".
constexpr std::size_t kHelpColumn = 28;

// What every command shares, a paragraph each.
constexpr std::string_view kNotes[] = {
    "Numbers are read as the forms read them: blanks are skipped and \".\" is the decimal "
    "point; a text without a number reads as 0 (and gets the form's message for a missing "
    "input), one that holds more than a number (\"1,5\", \"12 kW\") is refused.",
    "When a property cannot be computed, the message names the refrigerant, the state of the "
    "cycle and the limit in the forms' units; --verbose adds the property library's own text. "
    "Exit codes: 0 done, 1 refused (the message is printed), 2 bad usage.",
    "--inputs FILE reads the inputs a form saved (Save Inputs..., a .hpc file) in place of the "
    "defaults: options after it win over the file, the file over options before it, and "
    "names given win over its refrigerants; the layout is the one the command names. "
    "--save-inputs FILE writes the command's inputs the same way, for the calculation's form "
    "or --inputs to open (a layout's file holds one refrigerant).",
};

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  for (std::size_t start = text.find_first_not_of(' '); start != std::string_view::npos;) {
    const std::size_t end = std::min(text.find(' ', start), text.size());
    words.emplace_back(text.substr(start, end - start));
    start = text.find_first_not_of(' ', end);
  }
  return words;
}

// `line`, then the pieces separated by blanks, in lines of at most kWidth
// columns (a longer piece stands alone); lines after the first start
// `indent` blanks in.
std::string Wrapped(std::string line, const std::vector<std::string>& pieces, std::size_t indent) {
  std::string text;
  for (const std::string& piece : pieces) {
    const bool blank = line.find_first_not_of(' ') == std::string::npos;
    const std::size_t gap = line.empty() || line.back() == ' ' ? 0 : 1;
    if (!blank && line.size() + gap + piece.size() > kWidth) {
      text += line + '\n';
      line = std::string(indent, ' ');
    } else {
      line.append(gap, ' ');
    }
    line += piece;
  }
  return text + line + '\n';
}

std::string Paragraph(std::string_view text, std::size_t indent) {
  return Wrapped(std::string(indent, ' '), Words(text), indent);
}

std::string_view ValueWord(const Option& option) {
  return option.placeholder.empty() ? option.default_text : option.placeholder;
}

std::string Synopsis(const Syntax& syntax) {
  std::vector<std::string> pieces;
  for (const Option& option : AllOptions(syntax)) {
    pieces.push_back("[--" + std::string(option.name) + " " + std::string(ValueWord(option)) + "]");
  }
  for (const Flag& flag : syntax.flags) pieces.push_back("[--" + std::string(flag.name) + "]");
  if (!syntax.names.empty()) pieces.emplace_back(syntax.names);
  // Continued lines start after the command's name.
  const std::string_view name = std::string_view(syntax.words).substr(0, syntax.words.find(' '));
  const std::string command = "  hpcalc " + syntax.words;
  return Wrapped(command, pieces, command.size() - syntax.words.size() + name.size() + 1);
}

// "  --name VALUE" and its help from kHelpColumn on, on the next line where
// the name leaves no room; the help's lines wrapped under it.
std::string OptionLine(const std::string& name, std::string_view help) {
  std::string head = "  --" + name;
  std::string text;
  if (head.size() + 2 > kHelpColumn) {
    text = head + '\n';
    head.clear();
  }
  head.resize(kHelpColumn, ' ');
  return text + Wrapped(std::move(head), Words(help), kHelpColumn);
}

std::string OptionLines(const Syntax& syntax) {
  std::string text;
  for (const Option& option : AllOptions(syntax)) {
    std::string help(option.help);
    if (!option.placeholder.empty() && !option.default_text.empty()) {
      help += " (default " + std::string(option.default_text) + ")";
    }
    const std::string_view value = ValueWord(option);
    text += OptionLine(std::string(option.name) + (value.empty() ? "" : " ") + std::string(value),
                       help);
  }
  for (const Flag& flag : syntax.flags) text += OptionLine(std::string(flag.name), flag.help);
  return text;
}

std::string Notes() {
  std::string text;
  for (const std::string_view note : kNotes) text += Paragraph(note, 0);
  return text;
}

}  // namespace

std::string Usage() {
  std::string text = "Usage:\n";
  for (const Command& listed : kCommands) {
    const CommandHelp command = listed.help();
    for (const Syntax& syntax : command.syntaxes) text += Synopsis(syntax);
    text += Paragraph(command.description, kDescriptionIndent);
  }
  text +=
      "  hpcalc COMMAND --help\n"
      "      The command's options with their defaults.\n"
      "  hpcalc --help\n"
      "  hpcalc --version\n\n";
  return text + Notes();
}

std::string CommandUsage(const CommandHelp& command) {
  std::string text = "Usage:\n";
  for (const Syntax& syntax : command.syntaxes) text += Synopsis(syntax);
  text += Paragraph(command.description, kDescriptionIndent);
  for (const Syntax& syntax : command.syntaxes) {
    if (AllOptions(syntax).empty() && syntax.flags.empty()) continue;
    text += command.syntaxes.size() == 1 ? "\nOptions:\n"
                                         : "\nOptions of hpcalc " + syntax.words + ":\n";
    text += OptionLines(syntax);
  }
  return text + '\n' + Notes();
}

}  // namespace hpcalc
