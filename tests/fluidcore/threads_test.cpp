// The entry points called from several threads at once: each thread loads
// its own fluid and gets, bit for bit, what the same calls give on one
// thread. The threads set their fluids up again for every round, all of them
// before any computes; run by ctest, each case starts with nothing loaded or
// parsed, so that the threads also read and parse the files side by side.
#include <gtest/gtest.h>

#include <array>
#include <barrier>
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fluidcore/entry_points.h"
#include "mixture_test_support.h"
#include "on_threads.h"

namespace fluidcore::test {
namespace {

// What one thread loads: SETUP's file list and component count, and the
// composition its calls hand over (a blend uses its own).
struct Fluid {
  std::string files;
  int n = 1;
  std::array<double, 20> x{1};
};

// Every output of every call, in order: the numbers by their bits, the
// error codes and messages as they stand.
struct Record {
  std::vector<std::uint64_t> bits;
  std::string messages;

  void Add(std::initializer_list<double> values) {
    for (const double v : values) bits.push_back(std::bit_cast<std::uint64_t>(v));
  }
  void Add(int ierr, std::string_view message) {
    bits.push_back(static_cast<std::uint64_t>(ierr));
    messages.append(message).push_back('\n');
  }
  bool operator==(const Record&) const = default;
};

constexpr int kRounds = 3;
constexpr int kStates = 12;

// One round on the loaded fluid: its critical point and molar mass, then
// states from 0.6 to 1.1 times the critical temperature at a third of the
// critical pressure, each by TP, back by PH, and by THERM, with the
// saturated state at the temperature.
void Round(Fluid& f, Record& r) {
  double Tc = 0, Pc = 0, Dc = 0, M = 0;
  int ierr = 0;
  char herr[255];
  CRITPdll(f.x.data(), &Tc, &Pc, &Dc, &ierr, herr, 255);
  r.Add({Tc, Pc, Dc});
  r.Add(ierr, {herr, 255});
  WMOLdll(f.x.data(), &M);
  r.Add({M});
  for (int i = 0; i < kStates; ++i) {
    double T = (0.6 + 0.5 * i / (kStates - 1)) * Tc, P = Pc / 3;
    double D, Dl, Dv, Q, E, H, S, Cv, Cp, W, JT, xl[20], xv[20];
    TPFLSHdll(&T, &P, f.x.data(), &D, &Dl, &Dv, xl, xv, &Q, &E, &H, &S, &Cv, &Cp, &W, &ierr, herr,
              255);
    r.Add({D, Dl, Dv, Q, E, H, S, Cv, Cp, W, xl[0], xv[0]});
    r.Add(ierr, {herr, 255});
    double T2;
    PHFLSHdll(&P, &H, f.x.data(), &T2, &D, &Dl, &Dv, xl, xv, &Q, &E, &S, &Cv, &Cp, &W, &ierr, herr,
              255);
    r.Add({T2, D, Dl, Dv, Q, E, S, Cv, Cp, W, xl[0], xv[0]});
    r.Add(ierr, {herr, 255});
    THERMdll(&T, &D, f.x.data(), &P, &E, &H, &S, &Cv, &Cp, &W, &JT);
    r.Add({P, E, H, S, Cv, Cp, W, JT});
    int kph = 1 + i % 2;
    SATTdll(&T, f.x.data(), &kph, &P, &Dl, &Dv, xl, xv, &ierr, herr, 255);
    r.Add({P, Dl, Dv, xl[0], xv[0]});
    r.Add(ierr, {herr, 255});
  }
}

// SETUP, then a round, kRounds times. `together` lines the threads up before
// and after each SETUP: every thread's SETUP then comes between another's
// SETUP and its calls, which would see the last thread's fluid if the
// current fluid were the process's.
Record RunRounds(Fluid f, std::barrier<>* together) {
  Record r;
  for (int round = 0; round < kRounds; ++round) {
    if (together) together->arrive_and_wait();
    std::string message;
    r.Add(setup_components(f.files, f.n, &message), message);
    if (together) together->arrive_and_wait();
    Round(f, r);
  }
  return r;
}

struct Case {
  const char* name;
  std::vector<Fluid> threads;
};

class Threads : public ::testing::TestWithParam<Case> {};

TEST_P(Threads, EachGetsWhatItGetsAlone) {
  const auto& fluids = GetParam().threads;
  const auto together = heatpump_test::OnThreads<Record>(
      fluids.size(),
      [&](std::size_t i, std::barrier<>& start) { return RunRounds(fluids[i], &start); });
  for (std::size_t i = 0; i < fluids.size(); ++i) {
    std::string message;
    ASSERT_LE(setup_components(fluids[i].files, fluids[i].n, &message), 0) << message;
    EXPECT_EQ(together[i], RunRounds(fluids[i], nullptr))
        << "thread " << i << ": " << fluids[i].files;
  }
}

Fluid Pure(const char* name) { return {std::string("fluids\\") + name + ".fld", 1, {1}}; }

Fluid Spelled(const char* a, const char* b, double xa) {
  return {std::string("fluids\\") + a + ".fld|fluids\\" + b + ".fld|", 2, {xa, 1 - xa}};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Threads,
    ::testing::Values(
        Case{"TwoPureFluids", {Pure("R134a"), Pure("R22")}},
        Case{"BlendsAndPureFluids",
             {Pure("R410A"), Pure("Water"), Spelled("R32", "R1234yf", 0.4), Pure("CO2")}},
        Case{"OneBlendOnThreeThreads", {Pure("R407C"), Pure("R407C"), Pure("R407C")}},
        Case{"OneFluidAtTwoCompositions",
             {Spelled("R32", "R125", 0.7), Spelled("R32", "R125", 0.3), Pure("R32")}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace fluidcore::test
