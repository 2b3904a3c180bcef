// What every hpcalc command shares: its exit codes' messages and the
// reading of its options.
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "options.h"

namespace hpcalc {

// The reason, then the usage text, on err; kBadUsage.
int BadUsage(std::string_view reason, std::ostream& err);
// The usage text on out; kSuccess.
int Help(std::ostream& out);
// The message on err; kRefused.
int Refused(std::string_view message, std::ostream& err);

// The options of a command, or the exit code when the command ends here
// (--help, or a command line it cannot use).
std::variant<ParsedOptions, int> CommandOptions(const std::vector<std::string>& args,
                                                std::span<const Option> known, std::ostream& out,
                                                std::ostream& err);

}  // namespace hpcalc
