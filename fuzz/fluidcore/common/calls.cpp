#include "common/calls.h"

#include <algorithm>
#include <memory>

namespace fuzz {

int width_of(FuzzedDataProvider& in) {
  if (in.ConsumeProbability<double>() < 0.9) return kFluidcoreMessageWidth;
  static const int kWidths[] = {0, -1, 1, 5, 7, 40, 254, 256, 1000};
  return in.ConsumeBool() ? in.PickValueInArray(kWidths) : in.ConsumeIntegralInRange(-3, 300);
}

Setup setup(int n, const std::string& files, int files_width, const std::string& mixing,
            const std::string& reference, int herr_width) {
  // Each text exactly as wide as the width says, blank-padded.
  const auto text = [](const std::string& s, int width) {
    auto buffer = std::make_unique<Guarded<char>>(static_cast<std::size_t>(std::max(width, 0)), ' ');
    std::copy_n(s.begin(), std::min<std::size_t>(s.size(), buffer->size()), buffer->data());
    return buffer;
  };
  const int mixing_width = kFluidcoreFileNameWidth, reference_width = kFluidcoreReferenceWidth;
  auto list = text(files, files_width), mix = text(mixing, mixing_width), ref = text(reference, reference_width);
  Guarded<int> count(1, n), ierr(1, -12345);
  Message herr(herr_width);
  trace().add("SETUP n=" + std::to_string(n) + " files=\"" + files.substr(0, 300) + "\" width=" +
              std::to_string(files_width) + " mixing=\"" + mixing + "\" ref=\"" + reference +
              "\" herr_width=" + std::to_string(herr_width));
  SETUPdll(count.data(), list->data(), mix->data(), ref->data(), ierr.data(), herr.data(),
           files_width, mixing_width, reference_width, herr_width);
  require(list->intact() && mix->intact() && ref->intact() && count.intact() && ierr.intact(),
          "SETUP: written past a buffer");
  require(count[0] == n, "SETUP: the component count was overwritten");
  // Its messages show the names typed, which may hold any word ("inf").
  Setup r{ierr[0], herr.check("SETUP", ierr[0], false)};
  trace().add("  -> ierr=" + std::to_string(r.ierr) + " \"" + r.message + "\"");
  return r;
}

FlashCall flash(const std::string& pair, double a, double b, int k, const Model& m, int width,
                bool strict) {
  Slot A(a), B(b), T, P, D, Dl, Dv, Q, E, H, S, Cv, Cp, W;
  Guarded<int> kk(1, k), ierr(1, -12345);
  Composition x(m.x), xl(0.125), xv(0.125);
  Message herr(width);
  trace().add(pair + "FLSH(" + number(a) + ", " + number(b) + ") k=" + std::to_string(k) +
              " width=" + std::to_string(width) + (m.mixture ? " x=" + numbers(m.x.data(), 4) : ""));
  double *a_ = A.ptr(), *b_ = B.ptr(), *x_ = x.ptr(), *xl_ = xl.ptr(), *xv_ = xv.ptr();
  int *k_ = kk.data(), *e_ = ierr.data();
  char* h_ = herr.data();
  const int w = width;
  if (pair == "TP") TPFLSHdll(a_, b_, x_, D.ptr(), Dl.ptr(), Dv.ptr(), xl_, xv_, Q.ptr(), E.ptr(), H.ptr(), S.ptr(), Cv.ptr(), Cp.ptr(), W.ptr(), e_, h_, w);
  else if (pair == "TD") TDFLSHdll(a_, b_, x_, P.ptr(), Dl.ptr(), Dv.ptr(), xl_, xv_, Q.ptr(), E.ptr(), H.ptr(), S.ptr(), Cv.ptr(), Cp.ptr(), W.ptr(), e_, h_, w);
  else if (pair == "TH") THFLSHdll(a_, b_, x_, k_, P.ptr(), D.ptr(), Dl.ptr(), Dv.ptr(), xl_, xv_, Q.ptr(), E.ptr(), S.ptr(), Cv.ptr(), Cp.ptr(), W.ptr(), e_, h_, w);
  else if (pair == "TS") TSFLSHdll(a_, b_, x_, k_, P.ptr(), D.ptr(), Dl.ptr(), Dv.ptr(), xl_, xv_, Q.ptr(), E.ptr(), H.ptr(), Cv.ptr(), Cp.ptr(), W.ptr(), e_, h_, w);
  else if (pair == "TE") TEFLSHdll(a_, b_, x_, k_, P.ptr(), D.ptr(), Dl.ptr(), Dv.ptr(), xl_, xv_, Q.ptr(), H.ptr(), S.ptr(), Cv.ptr(), Cp.ptr(), W.ptr(), e_, h_, w);
  else if (pair == "TQ") TQFLSHdll(a_, b_, x_, k_, P.ptr(), D.ptr(), Dl.ptr(), Dv.ptr(), xl_, xv_, E.ptr(), H.ptr(), S.ptr(), Cv.ptr(), Cp.ptr(), W.ptr(), e_, h_, w);
  else if (pair == "PD") PDFLSHdll(a_, b_, x_, T.ptr(), Dl.ptr(), Dv.ptr(), xl_, xv_, Q.ptr(), E.ptr(), H.ptr(), S.ptr(), Cv.ptr(), Cp.ptr(), W.ptr(), e_, h_, w);
  else if (pair == "PH") PHFLSHdll(a_, b_, x_, T.ptr(), D.ptr(), Dl.ptr(), Dv.ptr(), xl_, xv_, Q.ptr(), E.ptr(), S.ptr(), Cv.ptr(), Cp.ptr(), W.ptr(), e_, h_, w);
  else if (pair == "PS") PSFLSHdll(a_, b_, x_, T.ptr(), D.ptr(), Dl.ptr(), Dv.ptr(), xl_, xv_, Q.ptr(), E.ptr(), H.ptr(), Cv.ptr(), Cp.ptr(), W.ptr(), e_, h_, w);
  else if (pair == "PE") PEFLSHdll(a_, b_, x_, T.ptr(), D.ptr(), Dl.ptr(), Dv.ptr(), xl_, xv_, Q.ptr(), H.ptr(), S.ptr(), Cv.ptr(), Cp.ptr(), W.ptr(), e_, h_, w);
  else if (pair == "PQ") PQFLSHdll(a_, b_, x_, k_, T.ptr(), D.ptr(), Dl.ptr(), Dv.ptr(), xl_, xv_, E.ptr(), H.ptr(), S.ptr(), Cv.ptr(), Cp.ptr(), W.ptr(), e_, h_, w);
  else if (pair == "DH") DHFLSHdll(a_, b_, x_, T.ptr(), P.ptr(), Dl.ptr(), Dv.ptr(), xl_, xv_, Q.ptr(), E.ptr(), S.ptr(), Cv.ptr(), Cp.ptr(), W.ptr(), e_, h_, w);
  else if (pair == "DS") DSFLSHdll(a_, b_, x_, T.ptr(), P.ptr(), Dl.ptr(), Dv.ptr(), xl_, xv_, Q.ptr(), E.ptr(), H.ptr(), Cv.ptr(), Cp.ptr(), W.ptr(), e_, h_, w);
  else if (pair == "DE") DEFLSHdll(a_, b_, x_, T.ptr(), P.ptr(), Dl.ptr(), Dv.ptr(), xl_, xv_, Q.ptr(), H.ptr(), S.ptr(), Cv.ptr(), Cp.ptr(), W.ptr(), e_, h_, w);
  else HSFLSHdll(a_, b_, x_, T.ptr(), P.ptr(), D.ptr(), Dl.ptr(), Dv.ptr(), xl_, xv_, Q.ptr(), E.ptr(), Cv.ptr(), Cp.ptr(), W.ptr(), e_, h_, w);

  const std::string routine = pair + "FLSH";
  require(ierr.intact() && kk.intact(), routine + ": written past ierr or the phase selector");
  require(kk[0] == k, routine + ": the phase selector was overwritten");
  FlashCall r;
  r.ierr = ierr[0];
  r.message = herr.check(routine, r.ierr, strict);
  const bool ok = r.ok();
  check_given_composition(x, m.x, routine);
  check_phase_composition(xl, routine, ok);
  check_phase_composition(xv, routine, ok);
  r.xl = xl.values();
  r.xv = xv.values();
  struct Named { char letter; Slot* slot; };
  const Named slots[] = {{'T', &T}, {'P', &P}, {'D', &D}, {'Q', &Q}, {'E', &E}, {'H', &H}, {'S', &S}};
  for (const auto& [letter, slot] : slots)
    if (pair.find(letter) == std::string::npos) check_slot(*slot, routine + " " + letter, false, ok);
  check_slot(A, routine + " first value", true, ok);
  check_slot(B, routine + " second value", true, ok);
  const std::pair<const char*, Slot*> others[] = {{"Dl", &Dl}, {"Dv", &Dv}, {"Cv", &Cv}, {"Cp", &Cp}, {"W", &W}};
  for (const auto& [name, slot] : others) check_slot(*slot, routine + " " + name, false, ok);
  if (ok) check_heat_capacities(Cv.value(), Cp.value(), W.value(), routine);
  for (const auto& [letter, slot] : slots) r.s[letter] = slot->value();
  r.s.Dl = Dl.value();
  r.s.Dv = Dv.value();
  r.s.Cv = Cv.value();
  r.s.Cp = Cp.value();
  r.s.W = W.value();
  r.s[pair[0]] = a;
  r.s[pair[1]] = b;
  // A quality a rounding error outside 0..1 counts as on the end.
  if (pair[1] == 'Q' && ok) r.s.Q = std::clamp(b, 0.0, 1.0);
  trace().add("  -> ierr=" + std::to_string(r.ierr) + " \"" + r.message + "\" " + r.s.show());
  return r;
}

SaturationCall saturation(char kind, double value, int kph, const Model& m, int width, bool strict) {
  Slot given(value), first, second, Dl, Dv;
  Guarded<int> k(1, kph), kr(1, -77), ierr(1, -12345);
  Composition x(m.x), xl(0.125), xv(0.125);
  Message herr(width);
  const std::string routine = std::string("SAT") + kind;
  trace().add(routine + "(" + number(value) + ") kph=" + std::to_string(kph) + " width=" +
              std::to_string(width));
  if (kind == 'T')
    SATTdll(given.ptr(), x.ptr(), k.data(), first.ptr(), Dl.ptr(), Dv.ptr(), xl.ptr(), xv.ptr(),
            ierr.data(), herr.data(), width);
  else if (kind == 'P')
    SATPdll(given.ptr(), x.ptr(), k.data(), first.ptr(), Dl.ptr(), Dv.ptr(), xl.ptr(), xv.ptr(),
            ierr.data(), herr.data(), width);
  else
    SATDdll(given.ptr(), x.ptr(), k.data(), kr.data(), first.ptr(), second.ptr(), Dl.ptr(),
            Dv.ptr(), xl.ptr(), xv.ptr(), ierr.data(), herr.data(), width);
  require(k.intact() && kr.intact() && ierr.intact(), routine + ": written past an integer");
  require(k[0] == kph, routine + ": the phase selector was overwritten");
  SaturationCall r;
  r.ierr = ierr[0];
  r.message = herr.check(routine, r.ierr, strict);
  const bool ok = r.ok();
  check_slot(given, routine + " given value", true, ok);
  check_slot(first, routine + (kind == 'T' ? " P" : " T"), false, ok);
  check_slot(Dl, routine + " Dl", false, ok);
  check_slot(Dv, routine + " Dv", false, ok);
  if (kind == 'D') {
    check_slot(second, routine + " P", false, ok);
    require(!ok || kr[0] == 1 || kr[0] == 2, routine + ": phase " + std::to_string(kr[0]));
  }
  check_given_composition(x, m.x, routine);
  check_phase_composition(xl, routine, ok);
  check_phase_composition(xv, routine, ok);
  r.kr = kr[0];
  r.T = kind == 'T' ? value : first.value();
  r.P = kind == 'T' ? first.value() : kind == 'P' ? value : second.value();
  r.Dl = Dl.value();
  r.Dv = Dv.value();
  r.xl = xl.values();
  r.xv = xv.values();
  trace().add("  -> ierr=" + std::to_string(r.ierr) + " \"" + r.message + "\" T=" + number(r.T) +
              " P=" + number(r.P) + " Dl=" + number(r.Dl) + " Dv=" + number(r.Dv) +
              " kr=" + std::to_string(r.kr));
  return r;
}

ThermCall therm(double T, double D, const Fractions& composition) {
  Slot t(T), d(D), P, E, H, S, Cv, Cp, W, JT;
  Composition x(composition);
  THERMdll(t.ptr(), d.ptr(), x.ptr(), P.ptr(), E.ptr(), H.ptr(), S.ptr(), Cv.ptr(), Cp.ptr(),
           W.ptr(), JT.ptr());
  check_slot(t, "THERM T", true, true);
  check_slot(d, "THERM D", true, true);
  check_given_composition(x, composition, "THERM");
  const std::pair<const char*, Slot*> outputs[] = {{"P", &P}, {"E", &E}, {"H", &H}, {"S", &S},
                                                   {"Cv", &Cv}, {"Cp", &Cp}, {"W", &W}, {"JT", &JT}};
  for (const auto& [name, slot] : outputs) check_slot(*slot, std::string("THERM ") + name, false, true);
  check_heat_capacities(Cv.value(), Cp.value(), W.value(), "THERM");
  const ThermCall r{P.value(), E.value(), H.value(), S.value(), Cv.value(), Cp.value(), W.value(), JT.value()};
  trace().add("THERM(" + number(T) + ", " + number(D) + ") -> P=" + number(r.P) + " E=" +
              number(r.E) + " H=" + number(r.H) + " S=" + number(r.S) + " Cv=" + number(r.Cv) +
              " Cp=" + number(r.Cp) + " W=" + number(r.W) + " JT=" + number(r.JT));
  return r;
}

CriticalCall critical(const Model& m, int width, bool strict) {
  Slot Tc, Pc, Dc;
  Guarded<int> ierr(1, -12345);
  Composition x(m.x);
  Message herr(width);
  CRITPdll(x.ptr(), Tc.ptr(), Pc.ptr(), Dc.ptr(), ierr.data(), herr.data(), width);
  require(ierr.intact(), "CRITP: written past ierr");
  CriticalCall r;
  r.ierr = ierr[0];
  r.message = herr.check("CRITP", r.ierr, strict);
  check_given_composition(x, m.x, "CRITP");
  for (Slot* s : {&Tc, &Pc, &Dc}) check_slot(*s, "CRITP", false, r.ierr <= 0);
  r.Tc = Tc.value();
  r.Pc = Pc.value();
  r.Dc = Dc.value();
  trace().add("CRITP -> ierr=" + std::to_string(r.ierr) + " \"" + r.message + "\" Tc=" +
              number(r.Tc) + " Pc=" + number(r.Pc) + " Dc=" + number(r.Dc));
  return r;
}

double molar_mass(const Model& m) {
  Slot wm;
  Composition x(m.x);
  WMOLdll(x.ptr(), wm.ptr());
  check_slot(wm, "WMOL", false, true);
  check_given_composition(x, m.x, "WMOL");
  trace().add("WMOL -> " + number(wm.value()));
  return wm.value();
}

}  // namespace fuzz
