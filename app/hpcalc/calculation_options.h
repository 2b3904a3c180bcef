// The options of the calculations, shared by every command that runs one
// (basic, compare, layout and transcritical, the diagrams of each, and the
// parameter studies): the forms' fields with the forms' defaults.
#pragma once

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <variant>

#include "cycle/basic_cycle.h"
#include "cycle/comparison.h"
#include "cycle/layouts.h"
#include "cycle/transcritical.h"
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

// The cycle layouts' fields with the layout form's defaults; the source and
// the sink blank for Te + 5 and the condensing temperature - 5.
inline constexpr std::array<Option, 13> kLayoutOptions{{
    {"capacity", "10"},         {"evaporating", "50"},      {"condensing", "90"},
    {"subcooling", "3.5"},      {"superheating", "4"},      {"safety", "100"},
    {"efficiency", "80"},       {"ihx-effectiveness", "50"}, {"intermediate", "mean"},
    {"injection-superheat", "5"}, {"approach", "5"},        {"source", ""},
    {"sink", ""},
}};

// The transcritical form's fields with the form's defaults.
inline constexpr std::array<Option, 9> kTranscriticalOptions{{
    {"refrigerant", "R744"},
    {"capacity", "10"},
    {"evaporating", "10"},
    {"superheating", "5"},
    {"gas-cooler-outlet", "35"},
    {"high-pressure", "optimal"},
    {"efficiency", "70"},
    {"water-in", "15"},
    {"water-out", "65"},
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

// The layout's input for one refrigerant, the options as typed.
cycle::LayoutInput LayoutInputOf(const ParsedOptions& options, const std::string& refrigerant);

// The transcritical cycle's input, the options as typed.
cycle::TranscriticalInput TranscriticalInputOf(const ParsedOptions& options);

// A refused refrigerant's line: its reason, after its name where the
// reason does not begin with it.
std::string LayoutRefusalLine(const cycle::LayoutOutcome& outcome);

// Why the names cannot be the refrigerants of a layout (one to eight of
// them), or nothing.
std::optional<std::string> RefuseLayoutNames(const ParsedOptions& options);

}  // namespace hpcalc
