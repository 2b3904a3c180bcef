// The options of the calculations, shared by every command that runs one
// (basic, compare, layout and screen, and the diagrams of the first three):
// the forms' fields at the forms' defaults, from the calculations' tables.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "cycle/layouts.h"
#include "options.h"

namespace hpcalc {

// The layouts' fields but the refrigerant, which the names give.
std::vector<Option> LayoutOptions();

// The basic calculation's input as its form reads it (ReadBasicCycleInput),
// or the exit code where the command ends: a command line it cannot use (the
// basic calculation takes no names), or the form's refusal of a field.
std::variant<cycle::BasicCycleInput, int> BasicInputOf(const ParsedOptions& options,
                                                       std::ostream& err);

// The comparison form's seven condition fields, no refrigerants chosen.
cycle::ComparisonFields ConditionFields(const ParsedOptions& options);

// The comparison form's fields, the names as refrigerants 1 to N, or the
// reason the command line is unusable (one to eight names).
std::variant<cycle::ComparisonFields, std::string> ComparisonFieldsOf(const ParsedOptions& options);

// The layout's input for one refrigerant, the options as typed.
cycle::LayoutInput LayoutInputOf(const ParsedOptions& options, const std::string& refrigerant);

// A refused refrigerant's line: its reason, after its name where the
// reason does not begin with it.
std::string LayoutRefusalLine(const cycle::LayoutOutcome& outcome);

// Why the names cannot be the refrigerants of a layout (one to eight of
// them), or nothing.
std::optional<std::string> RefuseLayoutNames(const ParsedOptions& options);

}  // namespace hpcalc
