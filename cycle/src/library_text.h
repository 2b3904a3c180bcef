// A failed property request told in the forms' terms, from the record the
// property layer keeps beside the library's text: the words are chosen here,
// whatever the library's own text says.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "fluidcore/failure.h"
#include "property/layer_state.h"

namespace cycle::detail {

// A value of a request ("mks": K, kPa, kg/m^3, kJ/kg, kJ/kg-K) in the forms'
// units: "49.00 'C", "17.29 bar", "421.06 kJ/kg", "1.7275 kJ/kg-K"; a
// quality as a bare number.
std::string InFormUnits(fluidcore::Quantity quantity, double value);

// Why a request failed, in the forms' units ("temperature 120.00 'C is above
// the critical temperature 96.15 'C of R22"). A fluid or mixture file that
// the library could not find or read is told as such for `fluid`, the name
// asked for; the layer's own reason as it states it (`layer_text`). Nothing
// where the reason is not known (a library without failure records) or
// tells the engineer nothing (no library, no fluid loaded, an internal
// fault): the caller then names what was asked.
std::optional<std::string> InFormTerms(const property::RequestFailure& why, std::string_view fluid,
                                       std::string_view layer_text);

}  // namespace cycle::detail
