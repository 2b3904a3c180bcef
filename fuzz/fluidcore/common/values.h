// Values for the calls, biased towards the fluid's saturation curve,
// critical point and limits and mixed with NaN, infinities, zeros,
// negatives, denormals and huge values; and one call of any entry point.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <string>
#include <utility>

#include "common/calls.h"
#include "common/scales.h"

namespace fuzz {

double hostile_value(FuzzedDataProvider& in);

// v, or a little off it: relative steps of 1e-1 .. 1e-16, the 1e-9 slack
// of the limits, a few ulps, a factor up to 2.
double nudged_value(FuzzedDataProvider& in, double v);

class Values {
 public:
  Values(FuzzedDataProvider& in, const Scales& s, const Model& m) : in_(in), s_(s), m_(m) {}

  double hostile() { return hostile_value(in_); }
  double nudged(double v) { return nudged_value(in_, v); }

  double uniform(double lo, double hi) { return lo + (hi - lo) * in_.ConsumeProbability<double>(); }
  double log_uniform(double lo, double hi) {
    return lo * std::pow(hi / lo, in_.ConsumeProbability<double>());
  }

  double temperature();
  double pressure();
  double density();
  double quality();

  // A state to take given values from: at a temperature and a density or
  // a quality. All NaN where there is none.
  StateValues reference();

  double property(char letter);
  double given(char letter);

  // The two given values of a flash: often both from one state (each exact
  // or nudged), else each on its own.
  std::pair<double, double> pair(const std::string& pair);

  // kph, kr, kq: mostly 1 or 2.
  int selector();

  // A flash, checked, and verified where it succeeds.
  FlashCall call_flash(const std::string& pair, double a, double b, int k, int width = kFluidcoreMessageWidth);

  // Without a fluid every routine says so; with an unusable composition,
  // every routine refuses it.
  void expect_refusal(int ierr) const;

  FuzzedDataProvider& in() { return in_; }
  const Scales& scales() const { return s_; }
  const Model& model() const { return m_; }

 private:
  FuzzedDataProvider& in_;
  const Scales& s_;
  const Model& m_;
};

// One call of any entry point, checked, and verified where it succeeds.
void any_call(Values& v);

}  // namespace fuzz
