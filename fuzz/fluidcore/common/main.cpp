// libFuzzer harness of the property library's C entry points, driven the way
// the property layer drives them: a SETUP, then any of the saturation
// routines, the fifteen flashes, THERM, CRITP and WMOL, with values biased
// towards the fluid's saturation curve, critical point and limits and mixed
// with NaN, infinities, zeros, negatives, denormals and huge values.
//
// Every call is checked: outputs finite (or the undefined marker where a
// property does not exist), cv, cp and w positive where they are given (also
// at and next to a critical point), ierr and herr agreeing, herr written over its
// width, blank-padded and naming the routine, nothing written past any
// buffer or into a given value. A successful flash returns a state that
// reproduces its given values (through TDFLSH at the returned T and D), a
// two-phase state has 0 <= q <= 1 and its densities around the overall one,
// and saturation states have equal pressures in both phases. A fault aborts
// with the calls of the input that led to it.
//
// FLUIDCORE_FUZZ_FAMILY fixes which setups an executable fuzzes: pure fluids,
// mixtures (blends by name, spelled mixtures, air), or setup texts, fluid
// files and mixture files of garbage.
#include <fuzzer/FuzzedDataProvider.h>
#include <sanitizer/asan_interface.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "fluidcore/entry_points.h"

namespace {

namespace fs = std::filesystem;

constexpr int kComponents = kFluidcoreMaxComponents;
constexpr double kUndefined = FLUIDCORE_UNDEFINED;
constexpr double kR = 8.314462618;  // J/(mol K), for the scale of tolerances
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
using Fractions = std::array<double, kComponents>;

enum class Family { pure, mixture, setup };
constexpr Family kFamily = Family::FLUIDCORE_FUZZ_FAMILY;

std::string number(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

std::string numbers(const double* v, int n) {
  std::string r;
  for (int i = 0; i < n; ++i) r += (i ? "," : "") + number(v[i]);
  return r;
}

// ---------------------------------------------------------------------------
// Faults

// What the current input did so far, printed with a fault.
class Trace {
 public:
  void clear() { lines_.clear(); }
  void add(const std::string& line) {
    if (quiet_ == 0) lines_ += line + '\n';
  }
  // Calls made while a Quiet lives are checked but not listed (the
  // bisections that find a fluid's limits).
  class Quiet {
   public:
    explicit Quiet(Trace& t) : t_(t) { ++t_.quiet_; }
    ~Quiet() { --t_.quiet_; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

   private:
    Trace& t_;
  };
  void print() const { std::fprintf(stderr, "---- calls of this input:\n%s----\n", lines_.c_str()); }
  [[noreturn]] void fault(const std::string& what) const {
    std::fprintf(stderr, "\n==== fluidcore fault: %s\n---- calls of this input:\n%s----\n",
                 what.c_str(), lines_.c_str());
    std::abort();
  }

 private:
  std::string lines_;
  int quiet_ = 0;
};

Trace& trace() {
  static Trace t;
  return t;
}

void require(bool ok, const std::string& what) {
  if (!ok) trace().fault(what);
}

// ---------------------------------------------------------------------------
// Buffers with poisoned guard zones on both sides: a write past either end is
// an AddressSanitizer report, and the zones' pattern is checked besides.

template <class T>
class Guarded {
 public:
  static constexpr std::size_t kGuard = 64 / sizeof(T) + 1;
  static constexpr unsigned char kPattern = 0xA5;

  Guarded(std::size_t n, T fill) : n_(n), storage_(n + 2 * kGuard) {
    std::memset(static_cast<void*>(storage_.data()), kPattern, storage_.size() * sizeof(T));
    std::fill_n(data(), n_, fill);
    poison(true);
  }
  Guarded(const Guarded&) = delete;
  Guarded& operator=(const Guarded&) = delete;
  ~Guarded() { poison(false); }

  T* data() { return storage_.data() + kGuard; }
  const T* data() const { return storage_.data() + kGuard; }
  T& operator[](std::size_t i) { return data()[i]; }
  std::size_t size() const { return n_; }

  // The guard zones still hold their pattern.
  bool intact() {
    poison(false);
    const auto* bytes = reinterpret_cast<const unsigned char*>(storage_.data());
    const std::size_t guard = kGuard * sizeof(T), tail = (kGuard + n_) * sizeof(T);
    bool ok = true;
    for (std::size_t i = 0; i < guard; ++i)
      ok = ok && bytes[i] == kPattern && bytes[tail + i] == kPattern;
    poison(true);
    return ok;
  }

 private:
  void poison(bool on) {
    const std::size_t bytes = kGuard * sizeof(T);
    T* zones[] = {storage_.data(), storage_.data() + kGuard + n_};
    for (T* zone : zones) {
      if (on) ASAN_POISON_MEMORY_REGION(zone, bytes);
      else ASAN_UNPOISON_MEMORY_REGION(zone, bytes);
    }
  }

  std::size_t n_;
  std::vector<T> storage_;
};

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// An argument passed by address: given, or an output the routine must write
// (NaN until it does: the library never writes NaN).
struct Slot {
  explicit Slot(double v = kNaN) : cell(1, v), given(v) {}
  double* ptr() { return cell.data(); }
  double value() const { return cell.data()[0]; }
  Guarded<double> cell;
  double given;
};

// Checks a slot after a call: nothing written around it; a given value left
// alone; an output written (where the call succeeded) and finite.
void check_slot(Slot& s, const std::string& what, bool is_input, bool succeeded) {
  require(s.cell.intact(), what + ": written past its slot");
  const double v = s.value();
  if (is_input) {
    require(same_bits(v, s.given), what + ": given value overwritten");
    return;
  }
  if (std::isnan(v)) {
    require(!succeeded, what + ": not written by a successful call");
    return;
  }
  require(std::isfinite(v), what + " is " + number(v));
}

// cv, cp and w: positive, or the marker where the state has none (two
// phases; no stable state at a critical point within rounding).
void check_heat_capacities(double cv, double cp, double w, const std::string& what) {
  const std::pair<const char*, double> values[] = {{"Cv", cv}, {"Cp", cp}, {"W", w}};
  for (const auto& [name, v] : values)
    require(v == kUndefined || v > 0, what + " " + name + " is " + number(v));
}

// A composition array of 20 doubles, guarded.
struct Composition {
  explicit Composition(const Fractions& x) : cell(kComponents, 0.0) {
    std::copy(x.begin(), x.end(), cell.data());
  }
  explicit Composition(double fill) : cell(kComponents, fill) {}
  double* ptr() { return cell.data(); }
  Fractions values() const {
    Fractions r;
    std::copy_n(cell.data(), kComponents, r.begin());
    return r;
  }
  Guarded<double> cell;
};

void check_given_composition(Composition& c, const Fractions& x, const std::string& what) {
  require(c.cell.intact(), what + ": written past the composition array");
  for (int i = 0; i < kComponents; ++i)
    require(same_bits(c.values()[static_cast<std::size_t>(i)], x[static_cast<std::size_t>(i)]),
            what + ": the given composition was overwritten");
}

// A phase composition the routine writes: finite, and on success fractions
// from 0 to 1 adding up to 1.
void check_phase_composition(Composition& c, const std::string& what, bool succeeded) {
  require(c.cell.intact(), what + ": written past a phase composition array");
  const Fractions v = c.values();
  double sum = 0;
  for (double f : v) {
    require(std::isfinite(f), what + ": phase composition holds " + number(f));
    sum += f;
  }
  if (!succeeded) return;
  for (double f : v) require(f >= 0 && f <= 1, what + ": phase composition holds " + number(f));
  require(std::abs(sum - 1) <= 1e-9, what + ": phase composition adds up to " + number(sum));
}

// ---------------------------------------------------------------------------
// Error texts: written over their whole width (no stale message survives),
// blank-padded, naming the routine, agreeing with ierr.

class Message {
 public:
  explicit Message(int width)
      : width_(width), buffer_(static_cast<std::size_t>(std::max(width, 0)), 'S') {
    for (int i = 0; i < std::max(width, 0); ++i) buffer_[static_cast<std::size_t>(i)] = stale(static_cast<std::size_t>(i));
  }
  char* data() { return buffer_.data(); }
  int width() const { return width_; }

  // The text without its padding, after the checks. strict: also the
  // numbers it shows (not for models from files of garbage).
  std::string check(const std::string& routine, int ierr, bool strict) {
    require(buffer_.intact(), routine + ": bytes written past the message buffer");
    const std::string raw(buffer_.data(), buffer_.size());
    const std::string text = raw.substr(0, raw.find_last_not_of(' ') + 1);
    const auto where = routine + " (ierr " + std::to_string(ierr) + ", \"" + text + "\")";
    static const int kCodes[] = {0, 1, 2, 3, 4, 101, -1, -2};
    require(std::find(std::begin(kCodes), std::end(kCodes), ierr) != std::end(kCodes),
            where + ": unknown or internal error code");
    if (width_ <= 0) return text;
    require(raw.find('\0') == std::string::npos, where + ": NUL in the message buffer");
    require(!stale_part(raw), where + ": message buffer not written");
    require((ierr == 0) == text.empty(), where + ": ierr and message disagree");
    if (ierr == 0) return text;
    const std::string prefix = (routine + ": ").substr(0, static_cast<std::size_t>(width_));
    require(raw.compare(0, prefix.size(), prefix) == 0, where + ": message does not name the routine");
    if (!strict) return text;
    // Numbers in a message are given values or the fluid's: never NaN, an
    // infinity or the undefined marker.
    std::string word;
    for (std::size_t i = 0; i <= text.size(); ++i) {
      const char c = i < text.size() ? static_cast<char>(std::tolower(static_cast<unsigned char>(text[i]))) : ' ';
      if (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '+' || c == '-') {
        word += c;
        continue;
      }
      for (const char* bad : {"nan", "-nan", "inf", "-inf", "-9.99999e+06", "-9999990"})
        require(word != bad, where + ": the message shows \"" + word + "\"");
      word.clear();
    }
    return text;
  }

 private:
  static char stale(std::size_t i) {
    static const char kStale[] = "STALE MESSAGE OF AN EARLIER CALL";
    return kStale[i % 32];
  }
  // Part of the earlier contents left in place: 16 bytes in a row (or the
  // whole of a shorter buffer) as they were. (Not a search for the word: a
  // fluid name the message shows may hold it.) One byte cannot tell: every
  // routine's name starts with the same letter as the old contents or not.
  static bool stale_part(const std::string& raw) {
    if (raw.size() < 2) return false;
    std::size_t run = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
      run = raw[i] == stale(i) ? run + 1 : 0;
      if (run >= std::min<std::size_t>(16, raw.size())) return true;
    }
    return false;
  }
  int width_;
  Guarded<char> buffer_;
};

// ---------------------------------------------------------------------------
// What is loaded, as the harness knows it.

struct Model {
  bool loaded = false;    // the last SETUP succeeded
  bool mixture = false;
  bool blend = false;     // a blend by name: its own composition, x ignored
  bool trusted = true;    // loaded from the project's own files
  bool known = true;      // the harness knows what the setup loaded
  Fractions x{};          // what the calls hand over
  bool x_usable = true;   // x is a composition the library accepts
  std::string name;
};

bool usable(const Fractions& x, int n) {
  double sum = 0;
  for (int i = 0; i < n; ++i) {
    const double v = x[static_cast<std::size_t>(i)];
    if (!std::isfinite(v) || v < 0) return false;
    sum += v;
  }
  return sum > 0 && std::isfinite(sum);
}

// Whether the calls can expect results: a fluid is loaded and the
// composition handed over (where it counts) is usable.
bool computable(const Model& m) { return m.loaded && (!m.mixture || m.blend || m.x_usable); }

// ---------------------------------------------------------------------------
// Checked calls of every entry point.

int width_of(FuzzedDataProvider& in) {
  if (in.ConsumeProbability<double>() < 0.9) return kFluidcoreMessageWidth;
  static const int kWidths[] = {0, -1, 1, 5, 7, 40, 254, 256, 1000};
  return in.ConsumeBool() ? in.PickValueInArray(kWidths) : in.ConsumeIntegralInRange(-3, 300);
}

struct Setup {
  int ierr = 0;
  std::string message;
};

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

// A state by its letters.
struct StateValues {
  double T = kNaN, P = kNaN, D = kNaN, Dl = kNaN, Dv = kNaN, Q = kNaN;
  double E = kNaN, H = kNaN, S = kNaN, Cv = kNaN, Cp = kNaN, W = kNaN;

  double& operator[](char letter) {
    switch (letter) {
      case 'T': return T;
      case 'P': return P;
      case 'D': return D;
      case 'Q': return Q;
      case 'E': return E;
      case 'H': return H;
      default: return S;
    }
  }
  double operator[](char letter) const { return const_cast<StateValues&>(*this)[letter]; }
  bool two_phase() const { return Q >= 0 && Q <= 1; }
  std::string show() const {
    return "T=" + number(T) + " P=" + number(P) + " D=" + number(D) + " Dl=" + number(Dl) +
           " Dv=" + number(Dv) + " Q=" + number(Q) + " E=" + number(E) + " H=" + number(H) +
           " S=" + number(S) + " Cv=" + number(Cv) + " Cp=" + number(Cp) + " W=" + number(W);
  }
};

struct FlashCall {
  int ierr = 0;
  std::string message;
  StateValues s;  // the outputs, and the given values in their own fields
  Fractions xl{}, xv{};
  bool ok() const { return ierr <= 0; }
};

const char* const kPairs[] = {"TP", "TD", "TH", "TS", "TE", "TQ", "PD", "PH",
                              "PS", "PE", "PQ", "DH", "DS", "DE", "HS"};

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

// kind: 'T' (SATT), 'P' (SATP) or 'D' (SATD). T and P hold the saturation
// temperature and pressure (the given one included).
struct SaturationCall {
  int ierr = 0;
  std::string message;
  double T = kNaN, P = kNaN, Dl = kNaN, Dv = kNaN;
  int kr = 0;
  Fractions xl{}, xv{};
  bool ok() const { return ierr <= 0; }
};

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

struct ThermCall {
  double P, E, H, S, Cv, Cp, W, JT;
};

// THERM has no error code: every output is written, a value or the marker.
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

struct CriticalCall {
  int ierr = 0;
  std::string message;
  double Tc = kNaN, Pc = kNaN, Dc = kNaN;
};

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

// ---------------------------------------------------------------------------
// Consistency of successful results.

// A model's limits (the values the library states, without its 1e-9 slack),
// critical point and lowest saturation pressure.
struct Scales {
  double Tmin = 100, Tmax = 1000, pmax = 1e5, Dmax = 50, Tc = 400, pc = 5000, Dc = 10, p_low = 1e-3;
};

// Given values within the library's slack of 1e-9 outside a limit count as
// on it (a saturation temperature above the equation's critical one as that
// one): the state returned is at the limit, a relative 1e-9 off the given T
// or p. Where that can be, the round trips allow for it.
bool on_limit_by_slack(const Scales& sc, double T, double p) {
  return T < sc.Tmin || T > sc.Tmax || p > sc.pmax || std::abs(T - sc.Tc) <= 2e-9 * sc.Tc;
}

bool near(double a, double b, double tol) { return std::abs(a - b) <= tol; }

// Tolerances: pressures relative, with a term for the stiffness of a liquid
// (a rounding error in its density moves p by rho dp/drho 1e-16); energies
// relative to their size or R T.
double pressure_tolerance(double p, double rho, double T, double relative) {
  return relative * (std::abs(p) + rho * kR * T);
}

// How far a state a relative 1e-9 off in T may be from the one at the given
// T: p by 1e-9 T (dp/dT)_rho, (dp/dT)_rho below 100 rho R; h and e by
// 1e-9 T (dh/dT)_rho, which near the critical point reaches 1000 R.
struct Slack {
  double p = 0, h = 0, s = 0;
};

Slack slack(const Scales& sc, double T, double p, double rho) {
  if (!on_limit_by_slack(sc, T, p)) return {};
  return {1e-7 * rho * kR * T, 1e-6 * kR * T, 1e-6 * kR};
}

// Flashes and THERM agree at a single-phase (T, D); a two-phase state's
// phases have its pressure and mix to its enthalpy.
void check_phases(const std::string& what, const StateValues& s, const Fractions& xl,
                  const Fractions& xv, const Model& m, const Scales& sc) {
  const double RT = kR * s.T;
  if (!s.two_phase()) {
    const ThermCall t = therm(s.T, s.D, m.x);
    require(near(t.P, s.P, pressure_tolerance(s.P, s.D, s.T, 1e-12)), what + ": THERM pressure " + number(t.P));
    require(near(t.H, s.H, 1e-12 * (std::abs(s.H) + RT)), what + ": THERM enthalpy " + number(t.H));
    require(near(t.S, s.S, 1e-12 * (std::abs(s.S) + kR)), what + ": THERM entropy " + number(t.S));
    require(near(t.Cp, s.Cp, 1e-12 * std::abs(s.Cp)), what + ": THERM cp " + number(t.Cp));
    require(near(t.W, s.W, 1e-12 * std::abs(s.W)), what + ": THERM w " + number(t.W));
    return;
  }
  // A blend's calls all use its own composition: its phases cannot be
  // evaluated apart.
  if (m.blend) return;
  const ThermCall L = therm(s.T, s.Dl, m.mixture ? xl : m.x);
  const ThermCall V = therm(s.T, s.Dv, m.mixture ? xv : m.x);
  const Slack off = slack(sc, s.T, s.P, s.Dl);
  require(near(L.P, s.P, pressure_tolerance(s.P, s.Dl, s.T, 1e-8) + off.p), what + ": liquid pressure " + number(L.P));
  require(near(V.P, s.P, pressure_tolerance(s.P, s.Dv, s.T, 1e-8) + off.p), what + ": vapour pressure " + number(V.P));
  const double h = (1 - s.Q) * L.H + s.Q * V.H;
  require(near(h, s.H, 1e-9 * (std::abs(s.H) + RT) + off.h), what + ": the phases' enthalpies mix to " + number(h));
}

// Next to a mixture's critical point, up to the highest temperature of its
// two-phase region, an isotherm crosses the dew (or bubble) line twice
// (retrograde condensation): the flashes at given T take states past the
// first crossing as one phase, those at given p find the split. There a
// temperature has only one of its bubble and dew points.
bool retrograde(const Model& m, double T) {
  if (!m.mixture) return false;
  const bool bubble = saturation('T', T, 1, m, kFluidcoreMessageWidth, true).ok();
  const bool dew = saturation('T', T, 2, m, kFluidcoreMessageWidth, true).ok();
  return bubble != dew;
}

// A single phase, or a saturated one, within the range has cv, cp and w;
// next to a critical point rounding can leave it a hair inside the spinodal,
// where it has no cp and no w, and so can the equation beyond the range (a
// warning) at densities past its data (check_heat_capacities makes sure that
// those given are positive).
void require_heat_capacities(const FlashCall& f, const Scales& sc, const std::string& what) {
  const StateValues& s = f.s;
  const bool next_to_critical =
      std::abs(s.T - sc.Tc) <= 1e-4 * sc.Tc && std::abs(s.D - sc.Dc) <= 0.2 * sc.Dc;
  require(s.Cv != kUndefined, what + ": cv undefined");
  require(next_to_critical || f.ierr < 0 || (s.Cp != kUndefined && s.W != kUndefined),
          what + ": cp or w undefined away from the critical point");
}

void verify_flash(const std::string& pair, const FlashCall& f, const Model& m, const Scales& sc) {
  const StateValues& s = f.s;
  const std::string what = pair + "FLSH(" + number(s[pair[0]]) + ", " + number(s[pair[1]]) + ") state " + s.show();
  require(s.T > 0 && s.P > 0 && s.D > 0 && s.Dl > 0 && s.Dv > 0, what + ": not positive");
  if (s.two_phase()) {
    require(s.Dl >= s.Dv, what + ": liquid lighter than the vapour");
    const double v = (1 - s.Q) / s.Dl + s.Q / s.Dv;
    require(near(1 / s.D, v, 1e-9 * v), what + ": the density is not the phases' mix");
    const bool saturated = s.Q == 0 || s.Q == 1;
    if (!saturated) {
      for (double c : {s.Cv, s.Cp, s.W})
        require(c == kUndefined, what + ": cv, cp or w of a two-phase state");
    } else {
      require_heat_capacities(f, sc, what);
    }
  } else {
    require(s.Q == -998 || s.Q == 998 || s.Q == 999, what + ": quality of a single-phase state");
    require(s.Dl == s.D && s.Dv == s.D, what + ": phase densities of a single-phase state");
    require_heat_capacities(f, sc, what);
  }
  if (pair == "TD") return check_phases(what, s, f.xl, f.xv, m, sc);
  // The state found, evaluated again at its T and D, has the given values
  // (and the others returned).
  const FlashCall td = flash("TD", s.T, s.D, 1, m, kFluidcoreMessageWidth, true);
  // Next to a mixture's critical point (phases a hundredth apart in
  // density) the split at T and D may not converge: a refusal saying so is
  // an answer there.
  if (!td.ok() && m.mixture && s.Dl - s.Dv <= 1e-2 * s.Dl &&
      td.message.find("no convergence") != std::string::npos)
    return;
  require(td.ok(), what + ": TDFLSH refuses it: " + td.message);
  const StateValues& t = td.s;
  if (s.two_phase() != t.two_phase() && retrograde(m, s.T)) return;
  const double RT = kR * s.T;
  const Slack off = slack(sc, s.T, s.P, s.D);
  // Near a critical point two solves of one split agree less closely, by
  // about the inverse of its phases' relative difference in density.
  const double relative = s.two_phase() ? std::max(1.0, 0.1 * s.Dl / (s.Dl - s.Dv)) * 1e-8 : 1e-8;
  require(near(t.P, s.P, pressure_tolerance(s.P, s.D, s.T, relative) + off.p),
          what + ": pressure " + number(t.P) + " at its T and D");
  require(near(t.H, s.H, relative * (std::abs(s.H) + RT) + off.h), what + ": enthalpy " + number(t.H) + " at its T and D");
  require(near(t.E, s.E, relative * (std::abs(s.E) + RT) + off.h), what + ": energy " + number(t.E) + " at its T and D");
  require(near(t.S, s.S, relative * (std::abs(s.S) + kR) + off.s), what + ": entropy " + number(t.S) + " at its T and D");
  // Close to the critical point (phases a hundredth apart in density, or
  // split across the supercritical boundary) the quality is ill-conditioned:
  // p hardly moves with density there, and two solves of one dew point that
  // agree in p to 1e-11 may differ by 1e-5 in density.
  if (s.Dl - s.Dv <= 1e-2 * s.Dl || t.Dl - t.Dv <= 1e-2 * t.Dl) return;
  // So it is at a fluid's published critical temperature, which its
  // equation's own one may miss by a rounding error (the phases then stay a
  // few percent apart).
  if (std::abs(s.T - sc.Tc) <= 2e-9 * sc.Tc) return;
  // Farther from it, a few 1e-8 in the phases' densities (how closely two
  // solves of one saturation point there agree) move the quality by that
  // over their relative difference.
  const double q_tolerance = 1e-7 + 3e-8 * s.Dl / (s.Dl - s.Dv);
  if (s.two_phase() && t.two_phase())
    require(near(t.Q, s.Q, q_tolerance), what + ": quality " + number(t.Q) + " at its T and D");
  else if (s.two_phase() != t.two_phase()) {
    const double q = s.two_phase() ? s.Q : t.Q;
    require(q <= q_tolerance || q >= 1 - q_tolerance, what + ": TDFLSH finds quality " + number(t.Q));
  }
}

void verify_saturation(char kind, double value, int kph, const SaturationCall& c, const Model& m,
                       const Scales& sc) {
  const std::string what = std::string("SAT") + kind + "(" + number(value) + ") kph=" +
                           std::to_string(kph) + " T=" + number(c.T) + " P=" + number(c.P) +
                           " Dl=" + number(c.Dl) + " Dv=" + number(c.Dv);
  require(c.T > 0 && c.P > 0 && c.Dl > 0 && c.Dv > 0, what + ": not positive");
  require(c.Dl >= c.Dv * (1 - 1e-12), what + ": liquid lighter than the vapour");
  // A density within the library's slack of 1e-9 beyond the end of its range
  // stands for the end's own.
  if (kind == 'D') require(near(c.kr == 1 ? c.Dl : c.Dv, value, 2e-9 * value), what + ": the given density is neither phase's");
  // Within millikelvins of the critical point (phases a thousandth apart in
  // density) a point at p may lie a rounding error beyond the end of the
  // line traced at T.
  if (kind == 'P' && c.Dl - c.Dv > 1e-3 * c.Dl) {
    const SaturationCall back = saturation('T', c.T, kph, m, kFluidcoreMessageWidth, true);
    require(back.ok(), what + ": SATT refuses its temperature: " + back.message);
    // A mixture's isotherm can cross its dew (or bubble) line twice
    // (retrograde condensation): SATT may give the other point, whose feed
    // phase has another density.
    const auto feed_density = [&](const SaturationCall& point) { return kph == 1 ? point.Dl : point.Dv; };
    const bool other_point =
        m.mixture && !near(feed_density(back), feed_density(c), 1e-6 * feed_density(c));
    require(other_point || near(back.P, value, 1e-8 * value),
            what + ": SATT at its temperature gives " + number(back.P));
  }
  // Both phases at the saturation pressure (a blend: only the phase of its
  // own composition, the feed).
  const int feed = m.mixture ? (kind == 'D' ? c.kr : kph) : 0;
  const auto check = [&](double rho, const Fractions& x, const char* phase) {
    const ThermCall t = therm(c.T, rho, x);
    require(near(t.P, c.P, pressure_tolerance(c.P, rho, c.T, 1e-8) + slack(sc, c.T, c.P, rho).p),
            what + ": the " + phase + " has the pressure " + number(t.P));
  };
  if (!m.blend || feed == 1) check(c.Dl, m.mixture && !m.blend ? c.xl : m.x, "liquid");
  if (!m.blend || feed == 2) check(c.Dv, m.mixture && !m.blend ? c.xv : m.x, "vapour");
}

// ---------------------------------------------------------------------------
// The fluid's scales: limits, critical point, the lowest saturation
// pressure; found through the entry points (each limit is where the code of
// a refusal changes) and kept per model.


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

const Scales& scales(const Model& m) {
  static std::map<std::string, Scales> known;
  const std::string key = key_of(m);
  if (const auto it = known.find(key); it != known.end()) return it->second;
  return known.emplace(key, discover(m)).first->second;
}

// ---------------------------------------------------------------------------
// Values for the calls.

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

// v, or a little off it: relative steps of 1e-1 .. 1e-16, the 1e-9 slack
// of the limits, a few ulps, a factor up to 2.
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

class Values {
 public:
  Values(FuzzedDataProvider& in, const Scales& s, const Model& m) : in_(in), s_(s), m_(m) {}

  double hostile() { return hostile_value(in_); }
  double nudged(double v) { return nudged_value(in_, v); }

  double uniform(double lo, double hi) { return lo + (hi - lo) * in_.ConsumeProbability<double>(); }
  double log_uniform(double lo, double hi) {
    return lo * std::pow(hi / lo, in_.ConsumeProbability<double>());
  }

  double temperature() {
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

  double pressure() {
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

  double density() {
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

  double quality() {
    static const double kQualities[] = {0, 1, 0.5, -1e-9, 1 + 1e-9, -2e-9, 1 + 2e-9, 1e-300,
                                        1 - 1e-16, 1e-16, -998, 998, 999};
    switch (in_.ConsumeIntegralInRange(0, 3)) {
      case 0: return in_.PickValueInArray(kQualities);
      case 1: case 2: return in_.ConsumeProbability<double>();
      default: return hostile();
    }
  }

  // A state to take given values from: at a temperature and a density or
  // a quality. All NaN where there is none.
  StateValues reference() {
    const double T = temperature();
    const bool by_density = in_.ConsumeBool();
    const double second = by_density ? density() : quality();
    const FlashCall r = call_flash(by_density ? "TD" : "TQ", T, second, selector());
    return r.ok() ? r.s : StateValues{};
  }

  double property(char letter) {
    switch (in_.ConsumeIntegralInRange(0, 3)) {
      case 0: case 1: {
        const double v = reference()[letter];
        return std::isnan(v) ? hostile() : nudged(v);
      }
      case 2: return letter == 'S' ? uniform(-1000, 1000) : uniform(-2e5, 2e5);
      default: return hostile();
    }
  }

  double given(char letter) {
    switch (letter) {
      case 'T': return temperature();
      case 'P': return pressure();
      case 'D': return density();
      case 'Q': return quality();
      default: return property(letter);
    }
  }

  // The two given values of a flash: often both from one state (each exact
  // or nudged), else each on its own.
  std::pair<double, double> pair(const std::string& pair) {
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

  // kph, kr, kq: mostly 1 or 2.
  int selector() {
    if (in_.ConsumeProbability<double>() < 0.8) return in_.ConsumeBool() ? 1 : 2;
    static const int kOdd[] = {0, -1, 3, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
    return in_.ConsumeBool() ? in_.PickValueInArray(kOdd) : in_.ConsumeIntegral<int>();
  }

  // A flash, checked, and verified where it succeeds.
  FlashCall call_flash(const std::string& pair, double a, double b, int k, int width = kFluidcoreMessageWidth) {
    const FlashCall r = flash(pair, a, b, k, m_, width, m_.trusted);
    expect_refusal(r.ierr);
    if (r.ok() && m_.trusted) verify_flash(pair, r, m_, s_);
    return r;
  }

  // Without a fluid every routine says so; with an unusable composition,
  // every routine refuses it.
  void expect_refusal(int ierr) const {
    if (!m_.known) return;
    if (!m_.loaded) require(ierr == 4, "a call without a fluid loaded gives code " + std::to_string(ierr));
    else if (!computable(m_)) require(ierr == 1, "a call with an unusable composition gives code " + std::to_string(ierr));
  }

  FuzzedDataProvider& in() { return in_; }
  const Scales& scales() const { return s_; }
  const Model& model() const { return m_; }

 private:
  FuzzedDataProvider& in_;
  const Scales& s_;
  const Model& m_;
};

// ---------------------------------------------------------------------------
// One call of any entry point.

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

// ---------------------------------------------------------------------------
// Setups.

// The folder of this program: fluids/ and mixtures/ lie beside it.
fs::path data_dir() {
  std::error_code ec;
  return fs::read_symlink("/proc/self/exe", ec).parent_path();
}

std::string read_text(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Every blend of mixtures/ by its name.
const std::vector<std::string>& blend_names() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> r;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(data_dir() / "mixtures", ec))
      if (e.path().extension() == ".mix") r.push_back(e.path().stem().string());
    std::sort(r.begin(), r.end());
    if (r.empty()) r.push_back("R410A");
    return r;
  }();
  return names;
}

constexpr const char* kMixingFile = "fluids\\hmx.bnc";

// "fluids\R134a.fld" as the layer writes it, or another spelling the library
// accepts: other separators and letter case, without the extension.
std::string spelling(FuzzedDataProvider& in, std::string name, const char* extension) {
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 1: for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c))); break;
    case 2: for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c))); break;
    default: break;
  }
  static const char* const kFolders[] = {"fluids\\", "fluids\\", "fluids/", " fluids\\", "./fluids/"};
  return in.PickValueInArray(kFolders) + name + (in.ConsumeProbability<double>() < 0.7 ? extension : "");
}

// Whatever a caller's composition array may hold: zeros at start, an
// earlier mixture's fractions, garbage.
Fractions leftover_composition(FuzzedDataProvider& in) {
  Fractions x{};
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: break;
    case 1: x[0] = 0.6976146993758624; x[1] = 0.30238530062413754; break;
    case 2: x.fill(kNaN); break;
    default: for (double& v : x) v = in.ConsumeFloatingPoint<double>();
  }
  return x;
}

// The width of a file list: the usual, or the list's own length or a little
// more (never cutting it: garbage setups cut names themselves).
int files_width(FuzzedDataProvider& in, const std::string& files) {
  if (in.ConsumeProbability<double>() < 0.85) return kFluidcoreFileListWidth;
  return static_cast<int>(files.size()) + (in.ConsumeBool() ? 0 : in.ConsumeIntegralInRange(0, 400));
}

Model load(FuzzedDataProvider& in, Model m, int n, const std::string& files) {
  const auto r = setup(n, files, files_width(in, files), kMixingFile, "DEF", width_of(in));
  m.loaded = r.ierr <= 0;
  m.known = true;
  m.x_usable = usable(m.x, n);
  return m;
}

Model setup_pure(FuzzedDataProvider& in) {
  struct Fluid { const char* file; const char* alias; };
  static const Fluid kFluids[] = {
      {"R134a", "R134a"}, {"R22", "r22"}, {"Water", "R718"}, {"CarbonDioxide", "R744"},
      {"Ammonia", "R717"}, {"Helium", "helium"}, {"D6", "D6"}, {"R32", "R32"},
      {"n-Propane", "R290"}, {"Nitrogen", "nitrogen"}, {"IsoButane", "R600a"},
      {"R1234yf", "R1234YF"}, {"R1234ze(E)", "R1234ze(E)"}, {"HeavyWater", "HeavyWater"},
      {"Methanol", "methanol"}, {"ParaHydrogen", "ParaHydrogen"}, {"R23", "R23"},
      {"SulfurHexafluoride", "SulfurHexafluoride"}, {"Neon", "Neon"}, {"R1233zd(E)", "R1233zd(E)"},
      {"n-Dodecane", "n-Dodecane"}, {"MethylLinoleate", "MethylLinoleate"}, {"Argon", "argon"},
      {"Oxygen", "oxygen"}, {"R125", "R125"}, {"R1234ze(Z)", "R1234ze(Z)"}, {"Ethanol", "ethanol"},
      {"Toluene", "toluene"}, {"MM", "MM"}, {"R245fa", "R245fa"}};
  const Fluid& f = in.PickValueInArray(kFluids);
  Model m;
  m.name = f.file;
  m.x = leftover_composition(in);
  const std::string files = spelling(in, in.ConsumeProbability<double>() < 0.8 ? f.file : f.alias, ".fld");
  m = load(in, m, 1, files + (in.ConsumeProbability<double>() < 0.1 ? "|" : ""));
  require(m.loaded, "SETUP of " + files + " failed");
  return m;
}

// A composition for n components: mostly fractions in quarters (few
// compositions, which recur: tracing a new one's lines costs more than many
// calls), else any positive ones, or hostile.
Fractions composition(FuzzedDataProvider& in, int n) {
  Fractions x{};
  const int mode = in.ConsumeIntegralInRange(0, 9);
  for (int i = 0; i < n; ++i) {
    double& f = x[static_cast<std::size_t>(i)];
    if (mode < 7) f = in.ConsumeIntegralInRange(0, 4) / 4.0;
    else if (mode < 9) f = in.ConsumeProbability<double>();
    else f = in.ConsumeBool() ? nudged_value(in, in.ConsumeProbability<double>()) : hostile_value(in);
  }
  if (mode < 7 && std::all_of(x.begin(), x.begin() + n, [](double f) { return f == 0; })) x[0] = 1;
  return x;
}

Model setup_mixture(FuzzedDataProvider& in) {
  static const char* const kBlends[] = {"R410A", "R407C", "R404A", "R454B", "R513A", "R507A"};
  static const char* const kComponentsPool[] = {
      "R32", "R125", "R134a", "R1234yf", "R143a", "R1234ze(E)", "n-Propane", "IsoButane",
      "CarbonDioxide", "Nitrogen", "Argon", "Oxygen", "R152A", "R227EA", "R1132(E)", "Water"};
  Model m;
  m.mixture = true;
  switch (in.ConsumeIntegralInRange(0, 5)) {
    case 0: case 1: {  // a blend by name, as the layer hands it over
      std::string name = in.PickValueInArray(kBlends);
      if (in.ConsumeProbability<double>() < 0.2) name = blend_names()[in.ConsumeIntegralInRange<std::size_t>(0, blend_names().size() - 1)];
      m.name = name;
      m.blend = true;
      m.x = leftover_composition(in);
      const std::string files = in.ConsumeProbability<double>() < 0.8 ? spelling(in, name, ".fld")
                                                                       : "mixtures\\" + name + ".mix";
      m = load(in, m, 1, files);
      require(m.loaded, "SETUP of the blend " + files + " failed");
      return m;
    }
    case 2: {  // air, as the layer spells it
      m.name = "air";
      m.x = {0.7812, 0.0092, 0.2096};
      if (in.ConsumeProbability<double>() < 0.3) m.x = composition(in, 3);
      m = load(in, m, 3, "fluids\\nitrogen.fld|fluids\\argon.fld|fluids\\oxygen.fld|");
      require(m.loaded, "SETUP of air failed");
      return m;
    }
    default: {  // a spelled mixture of 2 to 5 distinct components, mostly 2 or 3
      static const int kCounts[] = {2, 2, 2, 2, 3, 3, 4, 5};
      const int n = in.PickValueInArray(kCounts);
      std::vector<std::string> names;
      constexpr std::size_t kPool = std::size(kComponentsPool);
      std::vector<bool> taken(kPool, false);
      while (static_cast<int>(names.size()) < n) {
        // Mostly the refrigerants of the blends, with published pairs.
        const std::size_t pool = in.ConsumeProbability<double>() < 0.8 ? 8 : kPool;
        std::size_t i = in.ConsumeIntegralInRange<std::size_t>(0, pool - 1);
        while (taken[i]) i = (i + 1) % kPool;
        taken[i] = true;
        names.push_back(kComponentsPool[i]);
      }
      std::string files;
      for (const auto& c : names) {
        m.name += (m.name.empty() ? "" : "/") + c;
        files += "fluids\\" + c + ".fld|";
      }
      m.x = composition(in, n);
      m = load(in, m, n, files);
      require(m.loaded, "SETUP of " + files + " failed");
      return m;
    }
  }
}

// Files of this process for the library to read, each under a name of its
// own (the library keeps a parsed file by its path).
class TempFiles {
 public:
  TempFiles() {
    char pattern[] = "/tmp/fluidcore-fuzz-XXXXXX";
    if (const char* made = ::mkdtemp(pattern)) dir_ = made;
  }
  ~TempFiles() {
    std::error_code ec;
    if (!dir_.empty()) fs::remove_all(dir_, ec);
  }
  TempFiles(const TempFiles&) = delete;
  TempFiles& operator=(const TempFiles&) = delete;

  fs::path write(const std::string& name, const std::string& content) {
    const fs::path path = dir_ / (std::to_string(++count_) + "-" + name);
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

 private:
  fs::path dir_;
  unsigned long count_ = 0;
};

TempFiles& temp_files() {
  static TempFiles files;
  return files;
}

// The texts that garbage is made from: fluid files of each term family, a
// mixture file, and a mixing file holding the R32/R125 pair.
struct Originals {
  std::vector<std::string> fluids;
  std::string blend;
  std::string mixing;
};

const Originals& originals() {
  static const Originals o = [] {
    Originals r;
    const fs::path dir = data_dir();
    for (const char* f : {"R134a.fld", "Water.fld", "Ammonia.fld", "Helium.fld", "R32.fld"})
      r.fluids.push_back(read_text(dir / "fluids" / f));
    r.blend = read_text(dir / "mixtures" / "R410A.mix");
    const std::string hmx = read_text(dir / "fluids" / "hmx.bnc");
    // The pair and its departure function, cut out of the full file.
    const auto pair_at = hmx.find("\"fluid1\": \"R32\",\n");
    const auto departure_at = hmx.find("\"R32-R125\": {");
    if (pair_at != std::string::npos && departure_at != std::string::npos) {
      const auto pair_begin = hmx.rfind('{', pair_at), pair_end = hmx.find('}', pair_at);
      std::size_t depth = 0, end = departure_at;
      for (std::size_t i = hmx.find('{', departure_at); i < hmx.size(); ++i) {
        depth += hmx[i] == '{';
        depth -= hmx[i] == '}';
        if (depth == 0) {
          end = i + 1;
          break;
        }
      }
      r.mixing = "{\"format\": \"fluidcore-mixing 1\", \"pairs\": [" +
                 hmx.substr(pair_begin, pair_end + 1 - pair_begin) + "], \"departure_functions\": {" +
                 hmx.substr(departure_at, end - departure_at) + "}}";
    }
    return r;
  }();
  return o;
}

// text with a few numbers replaced by others, or a few bytes changed.
std::string mutated(FuzzedDataProvider& in, std::string text) {
  static const char* const kNumbers[] = {"0",    "-0",   "1",   "-1",   "1e308", "-1e308", "1e-320",
                                         "2",    "100",  "1e-9", "-1e-9", "64",   "65",    "1e400",
                                         "0.5",  "3",    "25",  "-25",  "1e9",  "\"x\"",  "null"};
  for (int edits = in.ConsumeIntegralInRange(1, 4); edits > 0 && !text.empty(); --edits) {
    const auto pos = in.ConsumeIntegralInRange<std::size_t>(0, text.size() - 1);
    if (in.ConsumeProbability<double>() < 0.8) {
      const auto start = text.find_first_of("-0123456789", pos);
      if (start == std::string::npos) continue;
      const auto end = std::min(text.find_first_not_of("-+.eE0123456789", start), text.size());
      const std::string replacement =
          in.ConsumeBool() ? in.PickValueInArray(kNumbers) : number(in.ConsumeFloatingPoint<double>());
      text.replace(start, end - start, replacement);
    } else {
      text[pos] = static_cast<char>(in.ConsumeIntegral<unsigned char>());
    }
  }
  return text;
}

Model setup_garbage(FuzzedDataProvider& in) {
  Model m;
  m.known = false;
  m.x = leftover_composition(in);
  int n = 1;
  std::string files, mixing = kMixingFile, reference = "DEF";
  int width = kFluidcoreFileListWidth;
  switch (in.ConsumeIntegralInRange(0, 9)) {
    case 0: case 1: {  // texts of garbage
      static const int kCounts[] = {0, -1, 1, 2, 3, 20, 21, std::numeric_limits<int>::min(),
                                    std::numeric_limits<int>::max()};
      n = in.ConsumeBool() ? in.PickValueInArray(kCounts) : in.ConsumeIntegral<int>();
      files = in.ConsumeRandomLengthString(600);
      width = in.ConsumeBool() ? static_cast<int>(files.size()) : files_width(in, files);
      if (in.ConsumeBool()) mixing = in.ConsumeRandomLengthString(300);
      if (in.ConsumeBool()) reference = in.ConsumeRandomLengthString(5);
      break;
    }
    case 2: case 3: {  // a real name with garbage inserted, or cut short
      static const char* const kNames[] = {"fluids\\R22.fld", "fluids\\R410A.fld", "R134a",
                                           "fluids\\nitrogen.fld|fluids\\argon.fld|fluids\\oxygen.fld|",
                                           "fluids\\R32.fld|fluids\\R125.fld|", "mixtures\\R407C.mix"};
      files = in.PickValueInArray(kNames);
      n = static_cast<int>(std::count(files.begin(), files.end(), '|'));
      n = std::max(n, 1) + (in.ConsumeProbability<double>() < 0.2 ? in.ConsumeIntegralInRange(-2, 2) : 0);
      const auto at = in.ConsumeIntegralInRange<std::size_t>(0, files.size());
      if (in.ConsumeBool()) files.insert(at, in.ConsumeRandomLengthString(20));
      else files.resize(at);
      width = files_width(in, files);
      break;
    }
    case 4: {  // a fluid file of garbage
      files = temp_files().write("garbage.fld", in.ConsumeRandomLengthString(4000)).string();
      m.trusted = false;
      break;
    }
    case 5: case 6: {  // a real fluid file with a few numbers or bytes changed
      const auto& texts = originals().fluids;
      const std::string& text = texts[in.ConsumeIntegralInRange<std::size_t>(0, texts.size() - 1)];
      files = temp_files().write("changed.fld", mutated(in, text)).string();
      m.trusted = false;
      break;
    }
    case 7: case 8: {  // a mixture file with changes
      const std::string text = in.ConsumeProbability<double>() < 0.8 ? mutated(in, originals().blend)
                                                                     : in.ConsumeRandomLengthString(300);
      files = temp_files().write("blend.mix", text).string();
      m.blend = true;  // its own composition, whatever the calls hand over
      break;
    }
    default: {  // a mixing file with changes, for R32/R125
      n = 2;
      files = "fluids\\R32.fld|fluids\\R125.fld|";
      mixing = temp_files().write("mixing.bnc", mutated(in, originals().mixing)).string();
      m.trusted = false;
      m.x = composition(in, 2);
    }
  }
  m.name = std::to_string(n) + "|" + files + "|" + mixing + "|" + reference;
  const auto r = setup(n, files, width, mixing, reference, width_of(in));
  m.loaded = r.ierr <= 0;
  m.mixture = m.blend || n != 1;
  m.x_usable = usable(m.x, std::clamp(n, 1, kComponents));
  return m;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  trace().clear();
  const Model m = kFamily == Family::pure      ? setup_pure(in)
                  : kFamily == Family::mixture ? setup_mixture(in)
                                               : setup_garbage(in);
  Values values(in, scales(m), m);
  // At least one call, however short the input.
  int calls = in.ConsumeIntegralInRange(1, 6);
  do any_call(values);
  while (--calls > 0 && in.remaining_bytes() > 0);
  // FLUIDCORE_FUZZ_TRACE=1 lists the calls of every input (to see what a
  // replayed input does).
  static const bool listed = std::getenv("FLUIDCORE_FUZZ_TRACE") != nullptr;
  if (listed) trace().print();
  return 0;
}
