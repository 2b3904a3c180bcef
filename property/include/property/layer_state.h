// The working data that every step of a property request shares: the error
// pair with the failure record, the composition of the loaded fluid and the
// state cache. One instance
// per thread: the requests of one thread follow one another, and threads
// make theirs side by side without seeing each other's state.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "fluidcore/failure.h"

namespace property {

// A text that always holds exactly Width characters: a shorter text is padded
// with blanks, a longer one cut at the width. It is handed to the property
// library as a character buffer of its width.
template <std::size_t Width>
class FixedText {
 public:
  static constexpr int kWidth = static_cast<int>(Width);

  FixedText() { Assign({}); }
  FixedText(std::string_view text) { Assign(text); }  // NOLINT: assigned like a text
  FixedText& operator=(std::string_view text) {
    Assign(text);
    return *this;
  }

  std::string_view View() const { return {chars_.data(), Width}; }
  std::string Str() const { return std::string(View()); }
  // The text without its trailing blanks.
  std::string_view Trimmed() const {
    const auto end = View().find_last_not_of(' ');
    return View().substr(0, end == std::string_view::npos ? 0 : end + 1);
  }

  // The buffer handed to the library, Width characters long.
  char* Buffer() { return chars_.data(); }

  // After the library wrote into Buffer(): a C string ends at its first NUL,
  // so the rest becomes blanks again; a buffer filled to the width without a
  // NUL is taken whole.
  void AdoptLibraryText() {
    const auto nul = std::find(chars_.begin(), chars_.begin() + Width, '\0');
    std::fill(nul, chars_.begin() + Width, ' ');
    chars_[Width] = '\0';
  }

 private:
  void Assign(std::string_view text) {
    const std::size_t kept = std::min(text.size(), Width);
    std::copy_n(text.begin(), kept, chars_.begin());
    std::fill(chars_.begin() + kept, chars_.begin() + Width, ' ');
    chars_[Width] = '\0';
  }

  // One guard byte past the width, so that a library that writes a
  // terminating NUL just past the buffer it was given harms nothing.
  std::array<char, Width + 1> chars_{};
};

constexpr int kMaxComponents = 20;
constexpr std::size_t kMessageWidth = 255;

// Fractions of the components of the loaded fluid. Positions count from 1 to
// kMaxComponents: position i belongs to the i-th component file handed to the
// library.
class ComponentFractions {
 public:
  double& at(int position) { return fractions_.at(static_cast<std::size_t>(position - 1)); }
  double at(int position) const { return fractions_.at(static_cast<std::size_t>(position - 1)); }
  double* data() { return fractions_.data(); }
  bool operator==(const ComponentFractions&) const = default;

 private:
  std::array<double, kMaxComponents> fractions_{};
};

// The last computed state, in library units (K, kPa, mol/dm^3, J/mol,
// J/mol-K, m/s).
struct StateCache {
  double T = 0, P = 0, D = 0, Dl = 0, Dv = 0, Q = 0, E = 0, H = 0, S = 0;
  double Cv = 0, Cp = 0, W = 0;
  double JT = 0;                           // written only by THERMdll
  double Tcrit = 0, Pcrit = 0, Dcrit = 0;  // written only by CriticalPoint

  // Clears what a new request computes; JT and the critical point stay.
  void Reset() { Q = T = P = D = Dl = Dv = E = H = S = Cv = Cp = W = 0; }
};

// The layer refused the fluid name: ErrorText states why, in words for
// whoever typed it.
struct OwnReason {};
// A value of the request could not be converted between unit systems (not a
// number, an overflow, no molar mass).
struct ConversionFailed {};
// The property library or one of its entry points could not be loaded.
struct LibraryUnavailable {};
// An unexpected fault (out of memory and the like).
struct Unexpected {};

// Why the current request failed, as data: the library's record (values in
// library units), a reason of the layer's own, or nothing known beyond
// ErrorText (a library without failure records).
using RequestFailure = std::variant<std::monostate, fluidcore::Failure, OwnReason,
                                    ConversionFailed, LibraryUnavailable, Unexpected>;

struct LayerState {
  // 0: no error; > 0: the current request failed; < 0: a library warning,
  // treated as success.
  int ErrorCode = 0;
  FixedText<kMessageWidth> ErrorText;
  // Set with every failure, beside ErrorText.
  RequestFailure Why;
  ComponentFractions Composition;
  StateCache State;

  void Fail(std::string_view message, RequestFailure why) {
    ErrorCode = 1;
    ErrorText = message;
    Why = std::move(why);
  }
};

// The calling thread's instance.
LayerState& Layer();

}  // namespace property
