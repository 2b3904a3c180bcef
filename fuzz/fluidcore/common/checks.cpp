#include "common/checks.h"

#include <cctype>
#include <cmath>
#include <iterator>
#include <utility>

namespace fuzz {

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

Trace& trace() {
  static Trace t;
  return t;
}

void require(bool ok, const std::string& what) {
  if (!ok) trace().fault(what);
}

// ---------------------------------------------------------------------------
// Slots and compositions

namespace {

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

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

void check_heat_capacities(double cv, double cp, double w, const std::string& what) {
  const std::pair<const char*, double> values[] = {{"Cv", cv}, {"Cp", cp}, {"W", w}};
  for (const auto& [name, v] : values)
    require(v == kUndefined || v > 0, what + " " + name + " is " + number(v));
}

void check_given_composition(Composition& c, const Fractions& x, const std::string& what) {
  require(c.cell.intact(), what + ": written past the composition array");
  for (int i = 0; i < kComponents; ++i)
    require(same_bits(c.values()[static_cast<std::size_t>(i)], x[static_cast<std::size_t>(i)]),
            what + ": the given composition was overwritten");
}

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
// Error texts

Message::Message(int width)
    : width_(width), buffer_(static_cast<std::size_t>(std::max(width, 0)), 'S') {
  for (int i = 0; i < std::max(width, 0); ++i) buffer_[static_cast<std::size_t>(i)] = stale(static_cast<std::size_t>(i));
}

std::string Message::check(const std::string& routine, int ierr, bool strict) {
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

char Message::stale(std::size_t i) {
  static const char kStale[] = "STALE MESSAGE OF AN EARLIER CALL";
  return kStale[i % 32];
}

// Part of the earlier contents left in place: 16 bytes in a row (or the
// whole of a shorter buffer) as they were. (Not a search for the word: a
// fluid name the message shows may hold it.) One byte cannot tell: every
// routine's name starts with the same letter as the old contents or not.
bool Message::stale_part(const std::string& raw) {
  if (raw.size() < 2) return false;
  std::size_t run = 0;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    run = raw[i] == stale(i) ? run + 1 : 0;
    if (run >= std::min<std::size_t>(16, raw.size())) return true;
  }
  return false;
}

// ---------------------------------------------------------------------------
// What is loaded

bool usable(const Fractions& x, int n) {
  double sum = 0;
  for (int i = 0; i < n; ++i) {
    const double v = x[static_cast<std::size_t>(i)];
    if (!std::isfinite(v) || v < 0) return false;
    sum += v;
  }
  return sum > 0 && std::isfinite(sum);
}

bool computable(const Model& m) { return m.loaded && (!m.mixture || m.blend || m.x_usable); }

}  // namespace fuzz
