#include "common/scales.h"

#include <cmath>
#include <map>
#include <string>

#include "common/calls.h"

namespace fuzz {
namespace {

// Bisection in ln(x) for where code(x) stops being code(lo); returns the last
// x on lo's side.
template <class Code>
double edge(Code code, double lo, double hi) {
  const int at_lo = code(lo);
  if (code(hi) == at_lo) return lo;
  for (int i = 0; i < 70 && hi > lo * (1 + 1e-16); ++i) {
    const double mid = std::sqrt(lo * hi);
    (code(mid) == at_lo ? lo : hi) = mid;
  }
  return lo;
}

Scales discover(const Model& m) {
  Scales s;
  if (!computable(m)) return s;
  const Trace::Quiet quiet(trace());
  const auto code = [&](const char* pair, double a, double b) {
    return flash(pair, a, b, 1, m, kFluidcoreMessageWidth, m.trusted).ierr;
  };
  const CriticalCall c = critical(m, kFluidcoreMessageWidth, m.trusted);
  if (c.ierr > 0 || !(c.Tc > 0 && c.Pc > 0 && c.Dc > 0)) return s;
  s.Tc = c.Tc;
  s.pc = c.Pc;
  s.Dc = c.Dc;
  // Given a NaN second value, a flash refuses the first one (code 2) when it
  // is out of range, else the NaN (code 1).
  // The limits less the slack of 1e-9 the library grants.
  constexpr double kSlack = 1e-9;
  s.Tmin = edge([&](double T) { return code("TP", T, kNaN); }, 1e-6, s.Tc) / (1 - kSlack);
  s.Tmax = edge([&](double T) { return code("TP", T, kNaN); }, s.Tc, 1e8) / (1 + kSlack);
  s.pmax = edge([&](double p) { return code("PH", p, kNaN); }, s.pc, 1e15) / (1 + kSlack);
  s.Dmax = edge([&](double rho) { return code("PD", kNaN, rho); }, s.Dc, 1e8);
  const SaturationCall low = saturation('T', s.Tmin, 1, m, kFluidcoreMessageWidth, m.trusted);
  s.p_low = low.ok() ? low.P : 1e-6 * s.pc;
  return s;
}

std::string key_of(const Model& m) {
  std::string key = m.name;
  if (m.mixture && !m.blend) key += "|" + numbers(m.x.data(), kComponents);
  return key;
}

}  // namespace

const Scales& scales(const Model& m) {
  static std::map<std::string, Scales> known;
  const std::string key = key_of(m);
  if (const auto it = known.find(key); it != known.end()) return it->second;
  return known.emplace(key, discover(m)).first->second;
}

}  // namespace fuzz
