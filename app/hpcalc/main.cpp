// hpcalc: the heat-pump calculations on the command line, for engineers who
// script their work. Same inputs as the forms, same figures as the pages.
#include <unistd.h>

#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "commands.h"
#include "property/message_text.h"
#include "files/whole_file.h"

namespace {

// A command's results, written whole: output that cannot be written (a full
// disk behind a redirection) fails the command instead of passing unseen.
int Run(int (*run)(const std::vector<std::string>&, std::ostream&, std::ostream&),
        const std::vector<std::string>& args) {
  std::ostringstream out;
  const int exit_code = run(args, out, std::cerr);
  if (const auto failure = files::WriteAll(STDOUT_FILENO, out.view())) {
    std::cerr << "hpcalc: cannot write the output: " << *failure << '\n';
    return hpcalc::kRefused;
  }
  return exit_code;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 1 ? 2 : argc), argv + argc);
  const std::string_view command = argc > 1 ? argv[1] : "";
  for (const hpcalc::Command& known : hpcalc::kCommands) {
    if (command == known.name) return Run(known.run, args);
  }
  if (command == "--help" || command == "-h" || command == "help") {
    std::cout << hpcalc::Usage();
    return hpcalc::kSuccess;
  }
  if (command == "--version") {
    std::cout << "hpcalc " HEATPUMP_VERSION "\n";
    return hpcalc::kSuccess;
  }
  std::cerr << (command.empty()
                    ? std::string("hpcalc: no command")
                    : "hpcalc: unknown command " + property::ShortenedForMessage(command))
            << "\n\n"
            << hpcalc::Usage();
  return hpcalc::kBadUsage;
}
