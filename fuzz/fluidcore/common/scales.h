// The fluid's scales: limits, critical point, the lowest saturation
// pressure; found through the entry points (each limit is where the code of
// a refusal changes) and kept per model.
#pragma once

#include "common/checks.h"

namespace fuzz {

// A model's limits (the values the library states, without its 1e-9 slack),
// critical point and lowest saturation pressure.
struct Scales {
  double Tmin = 100, Tmax = 1000, pmax = 1e5, Dmax = 50, Tc = 400, pc = 5000, Dc = 10, p_low = 1e-3;
};

// The scales of the model, found at its first use.
const Scales& scales(const Model& m);

}  // namespace fuzz
