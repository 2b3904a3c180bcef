// What every hpcalc command shares: its exit codes' messages and the
// reading of its options.
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cycle/comparison.h"
#include "options.h"

namespace hpcalc {

// The reason, then the usage text, on err; kBadUsage.
int BadUsage(std::string_view reason, std::ostream& err);
// The usage text on out; kSuccess.
int Help(std::ostream& out);
// The message on err; kRefused.
int Refused(std::string_view message, std::ostream& err);

// The comparison form's seven conditions as options, with the form's defaults.
inline constexpr Option kConditionOptions[] = {
    {"capacity", "10"},  {"evaporating", "50"}, {"subcooling", "3.5"}, {"superheating", "4"},
    {"condensing", "90"}, {"safety", "100"},    {"efficiency", "80"},
};

// The texts of those options in the form's fields (no refrigerants chosen).
cycle::ComparisonFields ConditionFields(const ParsedOptions& options);

// The options of a command, or the exit code when the command ends here
// (--help, or a command line it cannot use).
std::variant<ParsedOptions, int> CommandOptions(const std::vector<std::string>& args,
                                                std::span<const Option> known, std::ostream& out,
                                                std::ostream& err);

}  // namespace hpcalc
