// --inputs and --save-inputs of the calculating commands: a form's inputs
// file in place of the defaults, and the command's inputs written as one.
#pragma once

#include <iosfwd>
#include <optional>

#include "options.h"

namespace hpcalc {

// --inputs FILE: the file's fields become the texts of the command's
// options but those given after it (the file's win over those before it),
// and, for a command that takes names and was given none, its refrigerants
// (the comparison's, or the refrigerant field of a form that holds one) its
// names. The message and the exit code where the file cannot be used;
// nothing otherwise.
std::optional<int> TakeInputsFile(ParsedOptions& options, const Syntax& syntax, std::ostream& err);

// --save-inputs FILE: the inputs of the command's form as the options give
// them, the rest at their defaults, the names as its refrigerants, written
// as an inputs file. The message and the exit code where they cannot be
// written; nothing otherwise.
std::optional<int> SaveRequestedInputs(const ParsedOptions& options, const Syntax& syntax,
                                       std::ostream& err);

}  // namespace hpcalc
