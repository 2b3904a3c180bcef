// Points computed on several threads equal the same points computed one
// after the other, bit for bit, whatever fluids the workers load in turn.
#include "cycle/parallel_points.h"

#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "cycle/layouts.h"

namespace {

// Pure fluids, blends by name and a spelled mixture, so that every worker
// switches its fluid from point to point.
const std::vector<std::string> kFluids = {
    "R134a", "R410A", "R290", "R407C", "R1234yf", "R32,0.5,R125,0.5", "R717", "R600a",
    "R134a", "R513A", "R744", "R1233zd(E)"};

cycle::LayoutOutcome Point(std::size_t i) {
  cycle::LayoutInput input;
  input.Refrigerant = kFluids[i % kFluids.size()];
  input.Evaporating = "5";
  input.Condensing = i % 2 ? "45" : "55";
  return cycle::CalcLayout(i % 3 ? cycle::Layout::economizer : cycle::Layout::ihx, input);
}

// Every figure of a point, or its refusal, as text that shows each bit.
std::string Fingerprint(const cycle::LayoutOutcome& outcome) {
  if (const auto* refusal = outcome.refusal()) return refusal->message;
  const auto& r = *outcome.result();
  std::string text;
  for (const double v : {r.cop, r.vhc, r.heating_capacity, r.compressor_power, r.mass_flow,
                         r.injection_ratio, r.exergy_efficiency}) {
    text += std::to_string(std::bit_cast<std::uint64_t>(v)) + ' ';
  }
  return text;
}

TEST(ComputeInParallel, EqualsTheSerialRunInItsOrder) {
  const std::size_t count = 2 * kFluids.size();
  std::vector<std::string> serial;
  for (std::size_t i = 0; i < count; ++i) serial.push_back(Fingerprint(Point(i)));
  for (const int workers : {1, 2, 4}) {
    const auto parallel = cycle::ComputeInParallel<cycle::LayoutOutcome>(
        count, Point, {.workers = workers, .stop_requested = {}, .done = {}});
    ASSERT_EQ(parallel.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
      ASSERT_TRUE(parallel[i]) << i;
      EXPECT_EQ(Fingerprint(*parallel[i]), serial[i]) << kFluids[i % kFluids.size()] << " with "
                                                      << workers << " workers";
    }
  }
}

TEST(ComputeInParallel, AStopLeavesThePointsNotBegunEmpty) {
  std::atomic<int> done{0};
  const auto results = cycle::ComputeInParallel<int>(
      10, [](std::size_t i) { return static_cast<int>(i); },
      {.workers = 1,
       .stop_requested = [&done] { return done >= 3; },
       .done = [&done](std::size_t) { ++done; }});
  for (std::size_t i = 0; i < results.size(); ++i) {
    EXPECT_EQ(results[i].has_value(), i < 3) << i;
  }
  EXPECT_TRUE(cycle::ComputeInParallel<int>(0, [](std::size_t) { return 1; }).empty());
}

TEST(ComputeInParallel, AFailedPointIsRethrownAfterTheWorkersAreDone) {
  const auto fail_at_5 = [](std::size_t i) {
    if (i == 5) throw std::runtime_error("point 5");
    return static_cast<int>(i);
  };
  EXPECT_THROW(cycle::ComputeInParallel<int>(40, fail_at_5, {.workers = 3, .stop_requested = {},
                                                             .done = {}}),
               std::runtime_error);
}

}  // namespace
