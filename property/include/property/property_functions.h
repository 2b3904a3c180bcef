// Single-property requests: the interface the cycle calculations use.
//
// Each call is one complete request: load the fluid unless it is the one
// loaded last, convert the two given values from the caller's unit system into
// library units, evaluate the state named by the input code, and return one
// field of it in the caller's unit system.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "property/layer_state.h"

namespace property {

// A number in the caller's unit system; or, in place of the number, a text
// (the library's message, blank-padded to its fixed width, or "Undefined");
// or nothing.
using PropertyResult = std::variant<std::monostate, double, std::string>;

// fluid: a fluid name (pure fluid, spelled mixture, mixture file or "AIR").
// code: the input code ("TP", "PH", "Tvap" ...). units: the unit system
// ("mks" ...; empty selects the default system). An omitted value counts as 0.
PropertyResult Temperature(std::string_view fluid, std::string_view code,
                           std::string_view units = {}, double value1 = 0, double value2 = 0);
PropertyResult Pressure(std::string_view fluid, std::string_view code,
                        std::string_view units = {}, double value1 = 0, double value2 = 0);
// Specific volume: the reciprocal of the state's density.
PropertyResult Volume(std::string_view fluid, std::string_view code,
                      std::string_view units = {}, double value1 = 0, double value2 = 0);
PropertyResult Enthalpy(std::string_view fluid, std::string_view code,
                        std::string_view units = {}, double value1 = 0, double value2 = 0);
PropertyResult Entropy(std::string_view fluid, std::string_view code,
                       std::string_view units = {}, double value1 = 0, double value2 = 0);
// Isobaric heat capacity, in the entropy unit of the unit system.
PropertyResult Cp(std::string_view fluid, std::string_view code,
                  std::string_view units = {}, double value1 = 0, double value2 = 0);

// Every field of one state in the caller's unit system: temperature,
// pressure, density, enthalpy, entropy, and the molar vapour quality as the
// library gives it (0 to 1 inside the dome; -998 liquid, 998 vapour, 999
// supercritical outside it); and the isobaric heat capacity, NaN where the
// state has none (inside the dome).
struct StateProperties {
  double T = 0, P = 0, D = 0, H = 0, S = 0, Q = 0;
  double Cp = 0;
};
// The state, or the text that stands in place of a number.
using StateResult = std::variant<StateProperties, std::string>;

// One request as the single-property functions make it, every field returned.
StateResult WholeState(std::string_view fluid, std::string_view code,
                       std::string_view units = {}, double value1 = 0, double value2 = 0);

// The lowest temperature of the fluid's equation, below which the library
// computes no state.
PropertyResult LowerTemperatureLimit(std::string_view fluid, std::string_view units = {});
// The highest pressure of the fluid's equation.
PropertyResult UpperPressureLimit(std::string_view fluid, std::string_view units = {});

// Critical temperature (letter "T", any other letter or none), pressure ("P")
// or density ("D") of the fluid.
PropertyResult CriticalPoint(std::string_view fluid, std::string_view letter = {},
                             std::string_view units = {});

// Why the calling thread's last request failed, where `text` is what that
// request returned in place of a number: the record beside ErrorText, the
// library's values in the unit system `units`. Nothing known (monostate) for
// any other text, or where a value cannot be converted.
RequestFailure FailureOf(std::string_view text, std::string_view units);

}  // namespace property
