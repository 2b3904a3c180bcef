// What the standards publish about the fluids and blends, in one table for
// the whole program, each fact with its source: the safety class of ASHRAE
// 34, the 100-year GWP of the IPCC's assessment reports, and the ODP of the
// Montreal Protocol's annexes (0 for a fluid without chlorine or bromine).
// A fact the table gives stands over what a fluid file says; where the table
// gives none, the file's stands. A blend's GWP and ODP are not listed: they
// follow from its components' by mass.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "catalogue/fluid_facts.h"

namespace catalogue {

struct SourcedClass {
  std::string_view value;  // "A2L"
  std::string_view source;
};

struct SourcedFigure {
  double value = 0;
  std::string_view source;
};

struct PublishedFacts {
  std::string_view name;  // the fluid file's name without ".fld", or the blend's designation
  std::optional<SourcedClass> safety_class;
  std::optional<SourcedFigure> gwp100;
  std::optional<SourcedFigure> odp;
};

// Every row, sorted by name without regard to case.
std::span<const PublishedFacts> PublishedFactsTable();

// The row of a fluid file's name or a blend's designation, without regard
// to case; nullptr when the table has none.
const PublishedFacts* PublishedFactsOf(std::string_view name);

// The fluid's facts with the table's in place of its file's.
PureFluidFacts WithPublishedFacts(PureFluidFacts fluid);

}  // namespace catalogue
