// What every checked call of the harness builds on: the trace of the
// current input and its faults, buffers with guard zones, the slots of
// values passed by address, composition arrays, error texts, and the model
// the harness believes loaded.
#pragma once

#include <sanitizer/asan_interface.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "fluidcore/entry_points.h"

namespace fuzz {

constexpr int kComponents = kFluidcoreMaxComponents;
constexpr double kUndefined = FLUIDCORE_UNDEFINED;
constexpr double kR = 8.314462618;  // J/(mol K), for the scale of tolerances
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
using Fractions = std::array<double, kComponents>;

std::string number(double v);
std::string numbers(const double* v, int n);

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

Trace& trace();

void require(bool ok, const std::string& what);

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
void check_slot(Slot& s, const std::string& what, bool is_input, bool succeeded);

// cv, cp and w: positive, or the marker where the state has none (two
// phases; no stable state at a critical point within rounding).
void check_heat_capacities(double cv, double cp, double w, const std::string& what);

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

void check_given_composition(Composition& c, const Fractions& x, const std::string& what);

// A phase composition the routine writes: finite, and on success fractions
// from 0 to 1 adding up to 1.
void check_phase_composition(Composition& c, const std::string& what, bool succeeded);

// ---------------------------------------------------------------------------
// Error texts: written over their whole width (no stale message survives),
// blank-padded, naming the routine, agreeing with ierr.

class Message {
 public:
  explicit Message(int width);
  char* data() { return buffer_.data(); }
  int width() const { return width_; }

  // The text without its padding, after the checks. strict: also the
  // numbers it shows (not for models from files of garbage).
  std::string check(const std::string& routine, int ierr, bool strict);

 private:
  static char stale(std::size_t i);
  static bool stale_part(const std::string& raw);
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

bool usable(const Fractions& x, int n);

// Whether the calls can expect results: a fluid is loaded and the
// composition handed over (where it counts) is usable.
bool computable(const Model& m);

}  // namespace fuzz
