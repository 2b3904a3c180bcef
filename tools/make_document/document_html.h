// The document as rich text (the HTML subset that Qt's text document reads):
// title, guide, the tables by critical temperature, and the registers of
// names and sources.
#pragma once

#include <optional>
#include <string>

#include "catalogue.h"

namespace document {

// The condensing temperatures the selection tables are marked for, degrees C.
inline constexpr double kMarkedCondensingTemperatures[] = {60, 90, 120};

// How far below the critical temperature condensing counts as comfortable, K.
inline constexpr double kComfortableMargin = 10;

enum class CondensingMark {
  Unknown,  // no critical temperature
  Yes,      // at least kComfortableMargin below the critical temperature
  Close,    // below it, but by less than kComfortableMargin
  No,       // at or above it: the comparison form refuses the fluid
};
CondensingMark MarkFor(std::optional<double> critical_temperature, double condensing);

std::string DocumentHtml(const Catalogue& catalogue);

// The guide to choosing a working fluid (guide.cpp).
std::string GuideHtml(const Catalogue& catalogue);

}  // namespace document
