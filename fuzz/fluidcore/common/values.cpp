#include "common/values.h"

#include <cstdint>
#include <cstring>
#include <limits>

#include "common/consistency.h"

namespace fuzz {

double hostile_value(FuzzedDataProvider& in) {
  static const double kSpecial[] = {kNaN, -kNaN, kInf, -kInf, 0.0, -0.0, -1.0, -300.0, 1e-300,
                                    5e-324, 2.2250738585072014e-308, 1e300, -1e300,
                                    std::numeric_limits<double>::max(),
                                    -std::numeric_limits<double>::max(), 1.0, 1e-9, 1e9};
  if (in.ConsumeBool()) return in.PickValueInArray(kSpecial);
  const auto bits = in.ConsumeIntegral<std::uint64_t>();
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

double nudged_value(FuzzedDataProvider& in, double v) {
  const double sign = in.ConsumeBool() ? 1 : -1;
  switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0:
      return v * (1 + sign * std::pow(10.0, -in.ConsumeIntegralInRange(1, 16)));
    case 1:
      return v * (1 + sign * 1e-9) * (1 + in.ConsumeIntegralInRange(-3, 3) * 2.2e-16);
    case 2: {
      double r = v;
      for (int i = in.ConsumeIntegralInRange(1, 4); i > 0; --i) r = std::nextafter(r, sign * kInf);
      return r;
    }
    case 3:
      return v * in.ConsumeFloatingPointInRange(0.5, 2.0);
    default:
      return v;
  }
}

// ---------------------------------------------------------------------------
// Given values

double Values::temperature() {
  switch (in_.ConsumeIntegralInRange(0, 8)) {
    case 0: return uniform(s_.Tmin, s_.Tmax);
    case 1: return uniform(s_.Tmin, s_.Tc);
    case 2: return nudged(s_.Tc);
    case 3: return nudged(s_.Tmin);
    case 4: return nudged(s_.Tmax);
    case 5: return nudged(uniform(s_.Tmin, s_.Tc));
    case 6: return nudged(s_.Tc * (1 - log_uniform(1e-9, 1e-2)));
    case 7: return log_uniform(1e-3, 1e6);
    default: return hostile();
  }
}

double Values::pressure() {
  switch (in_.ConsumeIntegralInRange(0, 7)) {
    case 0: case 1: {
      const auto sat = saturation('T', uniform(s_.Tmin, s_.Tc), selector(), m_, kFluidcoreMessageWidth, m_.trusted);
      return nudged(sat.ok() ? sat.P : s_.pc);
    }
    case 2: return nudged(s_.pc);
    case 3: return nudged(s_.pmax);
    case 4: return log_uniform(s_.p_low * 1e-3, s_.pmax * 1.5);
    case 5: return nudged(s_.p_low);
    case 6: return log_uniform(1e-12, 1e12);
    default: return hostile();
  }
}

double Values::density() {
  switch (in_.ConsumeIntegralInRange(0, 7)) {
    case 0: case 1: {
      const auto sat = saturation('T', uniform(s_.Tmin, s_.Tc), selector(), m_, kFluidcoreMessageWidth, m_.trusted);
      return nudged(!sat.ok() ? s_.Dc : in_.ConsumeBool() ? sat.Dl : sat.Dv);
    }
    case 2: return nudged(s_.Dc);
    case 3: return nudged(s_.Dmax);
    case 4: return log_uniform(1e-10, s_.Dmax);
    case 5: return uniform(0, s_.Dmax);
    default: return hostile();
  }
}

double Values::quality() {
  static const double kQualities[] = {0, 1, 0.5, -1e-9, 1 + 1e-9, -2e-9, 1 + 2e-9, 1e-300,
                                      1 - 1e-16, 1e-16, -998, 998, 999};
  switch (in_.ConsumeIntegralInRange(0, 3)) {
    case 0: return in_.PickValueInArray(kQualities);
    case 1: case 2: return in_.ConsumeProbability<double>();
    default: return hostile();
  }
}

StateValues Values::reference() {
  const double T = temperature();
  const bool by_density = in_.ConsumeBool();
  const double second = by_density ? density() : quality();
  const FlashCall r = call_flash(by_density ? "TD" : "TQ", T, second, selector());
  return r.ok() ? r.s : StateValues{};
}

double Values::property(char letter) {
  switch (in_.ConsumeIntegralInRange(0, 3)) {
    case 0: case 1: {
      const double v = reference()[letter];
      return std::isnan(v) ? hostile() : nudged(v);
    }
    case 2: return letter == 'S' ? uniform(-1000, 1000) : uniform(-2e5, 2e5);
    default: return hostile();
  }
}

double Values::given(char letter) {
  switch (letter) {
    case 'T': return temperature();
    case 'P': return pressure();
    case 'D': return density();
    case 'Q': return quality();
    default: return property(letter);
  }
}

std::pair<double, double> Values::pair(const std::string& pair) {
  if (in_.ConsumeProbability<double>() < 0.6) {
    StateValues ref = reference();
    if (!std::isnan(ref.T)) {
      const auto take = [&](char letter) {
        return in_.ConsumeBool() ? ref[letter] : nudged(ref[letter]);
      };
      const double a = take(pair[0]);
      return {a, take(pair[1])};
    }
  }
  const double a = given(pair[0]);
  return {a, given(pair[1])};
}

int Values::selector() {
  if (in_.ConsumeProbability<double>() < 0.8) return in_.ConsumeBool() ? 1 : 2;
  static const int kOdd[] = {0, -1, 3, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
  return in_.ConsumeBool() ? in_.PickValueInArray(kOdd) : in_.ConsumeIntegral<int>();
}

FlashCall Values::call_flash(const std::string& pair, double a, double b, int k, int width) {
  const FlashCall r = flash(pair, a, b, k, m_, width, m_.trusted);
  expect_refusal(r.ierr);
  if (r.ok() && m_.trusted) verify_flash(pair, r, m_, s_);
  return r;
}

void Values::expect_refusal(int ierr) const {
  if (!m_.known) return;
  if (!m_.loaded) require(ierr == 4, "a call without a fluid loaded gives code " + std::to_string(ierr));
  else if (!computable(m_)) require(ierr == 1, "a call with an unusable composition gives code " + std::to_string(ierr));
}

// ---------------------------------------------------------------------------
// One call of any entry point.

namespace {

const char* const kPairs[] = {"TP", "TD", "TH", "TS", "TE", "TQ", "PD", "PH",
                              "PS", "PE", "PQ", "DH", "DS", "DE", "HS"};

}  // namespace

void any_call(Values& v) {
  FuzzedDataProvider& in = v.in();
  const Model& m = v.model();
  const Scales& s = v.scales();
  const int which = in.ConsumeIntegralInRange(0, 21);
  if (which < 15) {
    const std::string pair = kPairs[which];
    const auto [a, b] = v.pair(pair);
    const int k = v.selector();
    v.call_flash(pair, a, b, k, width_of(in));
    return;
  }
  if (which < 18) {
    const char kind = "TPD"[which - 15];
    const double value = kind == 'T' ? v.temperature() : kind == 'P' ? v.pressure() : v.density();
    const int kph = v.selector();
    const auto r = saturation(kind, value, kph, m, width_of(in), m.trusted);
    v.expect_refusal(r.ierr);
    if (r.ok() && m.trusted) verify_saturation(kind, value, kph, r, m, s);
    return;
  }
  if (which < 20) {
    const double T = v.temperature(), D = v.density();
    const ThermCall t = therm(T, D, m.x);
    // In the range of the equation every state can be evaluated.
    if (computable(m) && m.trusted && m.known && T >= s.Tmin && T <= s.Tmax && D > 0 && D <= s.Dmax)
      for (double p : {t.P, t.E, t.H, t.S})
        require(p != kUndefined, "THERM(" + number(T) + ", " + number(D) + ") is undefined in range");
    return;
  }
  if (which == 20) {
    const auto c = critical(m, width_of(in), m.trusted);
    v.expect_refusal(c.ierr);
    if (computable(m) && m.known) {
      require(c.ierr <= 0, "CRITP refused: " + c.message);
      require(c.Tc > 0 && c.Pc > 0 && c.Dc > 0, "CRITP: not positive");
    }
    return;
  }
  const double wm = molar_mass(m);
  if (computable(m) && m.known) require(wm > 0 && wm != kUndefined, "WMOL: " + number(wm));
}

}  // namespace fuzz
