// The commands of hpcalc, one file each. Each writes its results to out and a refusal
// to err, and returns the exit code; each describes itself for the usage.
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "options.h"

namespace hpcalc {

enum ExitCode : int { kSuccess = 0, kRefused = 1, kBadUsage = 2 };

struct Command {
  std::string_view name;
  int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
  CommandHelp (*help)();
};

int RunBasic(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunCompare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunLayout(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunFluids(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunDiagram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunProperty(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunScreen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunSweep(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunTranscritical(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

CommandHelp BasicHelp();
CommandHelp CompareHelp();
CommandHelp LayoutHelp();
CommandHelp DiagramHelp();
CommandHelp FluidsHelp();
CommandHelp PropertyHelp();
CommandHelp ScreenHelp();
CommandHelp SweepHelp();
CommandHelp TranscriticalHelp();

// Every command, in the order of the usage.
inline constexpr Command kCommands[] = {
    {"basic", RunBasic, BasicHelp},
    {"compare", RunCompare, CompareHelp},
    {"layout", RunLayout, LayoutHelp},
    {"diagram", RunDiagram, DiagramHelp},
    {"fluids", RunFluids, FluidsHelp},
    {"property", RunProperty, PropertyHelp},
    {"screen", RunScreen, ScreenHelp},
    {"sweep", RunSweep, SweepHelp},
    {"transcritical", RunTranscritical, TranscriticalHelp},
};

// The usage of every command: hpcalc --help, and the text after a usage error.
std::string Usage();

}  // namespace hpcalc
