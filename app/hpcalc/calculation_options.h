// The options of the two calculations, shared by every command that runs
// one (basic and compare, and the diagrams of either): the forms' fields
// with the forms' defaults.
#pragma once

#include <array>
#include <iosfwd>
#include <string>
#include <variant>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "options.h"

namespace hpcalc {

inline constexpr std::array<Option, 8> kBasicOptions{{
    {"refrigerant", "R22"}, {"flow", "1"},        {"hot-water", "50"}, {"subcooling", "3.5"},
    {"superheating", "4"},  {"condensing", "90"}, {"safety", "100"},   {"efficiency", "80"},
}};
inline constexpr std::array<Option, 7> kCompareOptions{{
    {"capacity", "10"},   {"evaporating", "50"}, {"subcooling", "3.5"}, {"superheating", "4"},
    {"condensing", "90"}, {"safety", "100"},     {"efficiency", "80"},
}};

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

}  // namespace hpcalc
