// The usage texts, made from the commands' syntaxes: every line within 80
// columns.
#pragma once

#include <string>

#include "options.h"

namespace hpcalc {

// One command's synopsis, what it does, and each option and flag with its
// default and what it is: `hpcalc COMMAND --help`.
std::string CommandUsage(const CommandHelp& command);

}  // namespace hpcalc
