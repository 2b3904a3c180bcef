// The commands of hpcalc, one file each. Each writes its results to out and a refusal
// to err, and returns the exit code.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace hpcalc {

enum ExitCode : int { kSuccess = 0, kRefused = 1, kBadUsage = 2 };

int RunBasic(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunCompare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunLayout(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunDiagram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunProperty(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunSweep(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunScreen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunTranscritical(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The usage text, printed by --help and after a usage error.
extern const char* const kUsage;

}  // namespace hpcalc
